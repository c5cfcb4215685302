#include "application.h"

#include "window.h"

#include <QCoreApplication>
#include <QGuiApplication>

#include <memory>

namespace {
std::unique_ptr<Application> g_app;
bool g_unhandled = false;
}

void RunFrameworkInitialization(const DelegatePtr &startRoutine)
{
    // Qt would quit when the last window closes; Restart closes the only
    // window before it builds the next, so the framework quits only on Quit.
    if (auto *gui = qobject_cast<QGuiApplication *>(QCoreApplication::instance()))
        gui->setQuitOnLastWindowClosed(false);
    if (startRoutine)
        startRoutine->invoke(EventArgs{});
}

void RuntimeRegisterAppObject(Application *app)
{
    g_app.reset(app);
}

Application *RuntimeAppObject()
{
    return g_app.get();
}

void RuntimeRun()
{
    if (!Dispatcher::hasPendingException())
        QCoreApplication::exec();
    if (std::exception_ptr pending = Dispatcher::takePendingException())
        std::rethrow_exception(pending);
}

void Quit()
{
    QCoreApplication::exit(0);
}

void RuntimeNoteUnhandled()
{
    g_unhandled = true;
}

void RuntimeReleaseWindows()
{
    for (Window *window : OpenWindows())
        delete window;
    // Closed windows wait for the loop to release them; it has ended.
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

int RuntimeExit()
{
    RuntimeReleaseWindows();
    g_app.reset();
    return g_unhandled ? 1 : 0;
}
