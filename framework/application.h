#pragma once

#include "menu.h"
#include "runtime.h"

// The application object: it holds the application's menu bar.
class Application : public Object
{
public:
    QString className() const override { return QStringLiteral("Application"); }
    MenuBar *menuBar() const { return m_menuBar; }
    // The bar is shared, not owned.
    void setMenuBar(MenuBar *bar) { m_menuBar = bar; }

private:
    MenuBar *m_menuBar = nullptr;
};

// Initialises the framework and calls the start routine back once.
void RunFrameworkInitialization(const DelegatePtr &startRoutine);
// Takes the application object; the framework holds it until exit.
void RuntimeRegisterAppObject(Application *app);
Application *RuntimeAppObject();
// Runs the event loop until the application quits. An exception that ended
// a handler is rethrown here, after the loop has returned.
void RuntimeRun();
// Ends the event loop as the Quit item does.
void Quit();
// Releases every window, open or closed, the framework still holds.
void RuntimeReleaseWindows();
// Releases the application object; returns the
// process's exit status (1 after an unhandled exception, else 0).
int RuntimeExit();
// Marks the run as ended by an unhandled exception.
void RuntimeNoteUnhandled();
