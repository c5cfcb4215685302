#include "startup.h"

#include "menubar1.h"
#include "window1.h"
#include "window2.h"
#include "window3.h"

#include <memory>
#include <vector>

namespace {
// The plug-in entry-point table: the program has none.
std::vector<void *> g_pluginEntrypoints;
}

void App::registerClass()
{
    ClassInfo info;
    info.name = QStringLiteral("App");
    info.baseName = QStringLiteral("Application");
    info.create = [] { return static_cast<Object *>(new App); };
    info.members.push_back({QStringLiteral("Constructor"), QStringLiteral("%%"), QStringLiteral("Public"), {}, {}});
    RuntimeRegisterClass(std::move(info));
}

void initialize()
{
    registerFrameworkClasses();
    App::registerClass();
    Window1::registerClass();
    MenuBar1::registerClass();
    Window2::registerClass();
    Window3::registerClass();
}

void Main()
{
    try {
        DelegatePtr start = RuntimeCreateDelegate([] { Startup(); }, QStringLiteral("(  )"));
        RunFrameworkInitialization(start);
        start.reset();
        RuntimeRun();
    } catch (const RuntimeException &e) {
        RuntimeNoteUnhandled();
        UnhandledException(e);
    } catch (const std::exception &e) {
        RuntimeNoteUnhandled();
        UnhandledException(e);
    }
}

void Startup()
{
    // The framework's external classes need no set-up of their own here.
    InitPluginEntrypoints();
    InitFileTypes();
    NewAppInstance();
    ApplicationAddMenuHandlers();
    MakeDefaultView();
}

void InitPluginEntrypoints()
{
    g_pluginEntrypoints.assign(0, nullptr);
}

void InitFileTypes()
{
}

void NewAppInstance()
{
    std::unique_ptr<App> app(RuntimeCheckCast<App>(RuntimeNewObject(RuntimeLookupClass(QStringLiteral("App")))));
    if (!app)
        throw NilObjectException(QStringLiteral("Could not make the application object"));
    app->Constructor();
    MenuBar1 *bar = MenuBar1::MenuBar1_();
    if (!bar)
        throw NilObjectException(QStringLiteral("No menu bar"));
    app->setMenuBar(bar);
    RuntimeRegisterAppObject(app.release()); // the framework holds it from here on
}

void ApplicationAddMenuHandlers()
{
}

void MakeDefaultView()
{
    Window1::Window1_();
}

void finalize()
{
    RuntimeReleaseWindows();
    MenuBar1::releaseInstance();
}
