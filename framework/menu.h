#pragma once

#include "runtime.h"

#include <QString>

#include <memory>
#include <vector>

class QMenuBar;
class QMenu;
class QAction;
class Window;

// A menu or an item, as a model. Text uses "&" before the access key and "-"
// for a separator; KeyboardShortcut "Cmd+Q" names the platform's command
// modifier (Ctrl here) with Q.
class MenuItem : public Object
{
public:
    MenuItem() = default;
    ~MenuItem() override;
    QString className() const override { return QStringLiteral("MenuItem"); }
    QString debugName() const override { return m_name; }

    // The default constructor of the runtime: a nameless, empty item.
    void Constructor() {}

    QString Name() const { return m_name; }
    void setName(const QString &name) { m_name = name; }
    QString Text() const { return m_text; }
    void setText(const QString &text) { m_text = text; }
    QString KeyboardShortcut() const { return m_shortcut; }
    void setKeyboardShortcut(const QString &shortcut)
    {
        m_shortcut = shortcut;
        m_shortcutSet = true;
    }
    bool isShortcutSet() const { return m_shortcutSet; }
    bool AutoEnable() const { return m_autoEnable; }
    void setAutoEnable(bool on) { m_autoEnable = on; }
    bool isSeparator() const { return m_text == QLatin1String("-"); }

    // Appends an entry and takes ownership of it.
    void Append(MenuItem *item);
    int Count() const { return int(m_children.size()); }
    MenuItem *Item(int index) const;
    // The direct entry of that exact name, or nullptr.
    MenuItem *Child(const QString &name) const;
    // The entry of that exact name anywhere under this one, or nullptr.
    MenuItem *Lookup(const QString &name) const;

    // The shortcut as Qt spells it ("Cmd+Q" -> "Ctrl+Q").
    QString platformShortcut() const;

private:
    QString m_name;
    QString m_text;
    QString m_shortcut;
    bool m_shortcutSet = false;
    bool m_autoEnable = false;
    std::vector<std::unique_ptr<MenuItem>> m_children;
};

// Quits the application when chosen.
class QuitMenuItem : public MenuItem
{
public:
    QString className() const override { return QStringLiteral("QuitMenuItem"); }
};

// An item that the Mac puts in the application menu; here it stays where it
// was appended.
class AppleMenuItem : public MenuItem
{
public:
    QString className() const override { return QStringLiteral("AppleMenuItem"); }
};

class MenuBar : public MenuItem
{
public:
    QString className() const override { return QStringLiteral("MenuBar"); }

    // Builds Qt menus for `window` from the model; the model is untouched, so
    // one bar can serve one window after another.
    void installIn(Window *window, QMenuBar *qtBar);
};

// What choosing an item does: a Quit item quits, the standard Edit items act
// on the focused text control of the active window, anything else goes to the
// window's bound command. Returns whether something handled it.
bool RunMenuItem(Window *window, MenuItem *item);
