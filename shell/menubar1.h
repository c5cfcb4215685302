#pragma once

#include "menu.h"

#include <array>

// One entry of the menu bar, in the order the bar is built.
struct MenuEntry
{
    int builder;        // 0, 1 or 2: Untitled0, Untitled1 or Untitled2
    const char *name;
    const char *cls;    // "MenuItem", "QuitMenuItem" or "AppleMenuItem"
    const char *text;
    const char *shortcut; // nullptr: never set (separators)
    const char *menu;     // the menu it is appended to; nullptr: the bar
};

const std::array<MenuEntry, 14> &menuBar1Entries();

// The application's menu bar: File, Edit and Instructions. One instance for
// the whole run, shared by the application object and every main window.
class MenuBar1 : public MenuBar
{
public:
    QString className() const override { return QStringLiteral("MenuBar1"); }

    // The single instance; built on first use, never nil.
    static MenuBar1 *MenuBar1_();
    // Releases the single instance (shut-down only).
    static void releaseInstance();
    static void registerClass();

    void Constructor();
    void Untitled0();
    void Untitled1();
    void Untitled2();

private:
    void build(int builder);
};
