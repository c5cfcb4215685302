#pragma once

#include "controls.h"
#include "menu.h"

#include <QHash>
#include <QPointer>

#include <memory>
#include <vector>

class QMainWindow;
class QWidget;

// A top-level window. Window::Constructor builds it through the hooks of its
// class, delivers the Open events once every control exists, registers it
// under its class name and shows it when its Visible property is True.
class Window : public Object
{
public:
    Window();
    ~Window() override;
    QString className() const override { return QStringLiteral("Window"); }

    // The widget whose area is the window's content (the design size).
    QWidget *content() const { return m_content; }
    QMainWindow *frame() const { return m_frame; }

    // Builds the window: Layout, CreateControls, AddMenuHandlers, then the
    // Open events, registration and showing.
    void Constructor();

    // Shows the window, restores it when minimised and brings it to the front.
    void Show();
    // Closes the window with its controls and timers; afterwards its class
    // name no longer finds it. The object is released once the running event
    // has ended.
    void Close();
    bool isClosed() const { return m_closed; }

    QString Title() const { return m_title; }
    bool Visible() const;
    int Width() const { return m_width; }
    int Height() const { return m_height; }
    bool CloseButton() const { return m_closeButton; }
    bool Resizeable() const { return m_resizeable; }
    bool MinimizeButton() const { return m_minimizeButton; }
    bool MaximizeButton() const { return m_maximizeButton; }

    // The menu bar the window shows (not owned); nullptr for none.
    MenuBar *menuBar() const { return m_menuBar; }
    void setMenuBar(MenuBar *bar);

    // Creates an object of a control class for this window.
    Control *New(const ClassInfo *cls);
    // Registers `control` under `name` and takes ownership.
    void AddControl(const QString &name, Control *control);
    // Returns nullptr for a name not registered.
    Control *ControlByName(const QString &name) const;
    const std::vector<Control *> &controls() const { return m_order; }

    // Binds a menu command by item name, without regard to case.
    void AddMenuHandler(const QString &itemName, DelegatePtr handler);
    // Runs the command bound to the item's name; returns whether it was
    // handled. Used by the menu bar and by tests.
    bool handleMenuCommand(const QString &itemName);
    // Runs the EnableMenuItems event, before the menus show.
    void runEnableMenuItems();

    bool declaresProperty(const QByteArray &name) const override;

protected:
    void applyDesignProperty(const QByteArray &name, const PropertyValue &value) override;
    virtual void Layout() {}
    virtual void CreateControls() {}
    virtual void AddMenuHandlers() {}
    virtual void EnableMenuItems() {}

private:
    friend class WindowFrame;
    void closeRequested();
    void applyFrameFlags();
    void applyTabOrder();

    QMainWindow *m_frame = nullptr;
    QWidget *m_content = nullptr;
    QHash<QString, Control *> m_controls;
    std::vector<Control *> m_order;
    std::vector<std::pair<QString, DelegatePtr>> m_menuHandlers;
    MenuBar *m_menuBar = nullptr;
    QString m_title;
    int m_width = 100, m_height = 100;
    bool m_visible = false;
    bool m_closeButton = true, m_resizeable = true, m_minimizeButton = true, m_maximizeButton = true;
    bool m_built = false;
    bool m_closed = false;
};

// The open window registered under a class name, or nullptr.
Window *GetImplicitWindow(const QString &className);
// All open windows, in the order they were built.
std::vector<Window *> OpenWindows();
