#include "menubar1.h"

#include <memory>

namespace {

// clang-format off
const std::array<MenuEntry, 14> kEntries = {{
//   builder name                        class            text                 shortcut  menu
    {0, "FileMenu",                 "MenuItem",      "&File",             "",       nullptr},
    {0, "FileQuit",                 "QuitMenuItem",  "&Quit",             "Cmd+Q",  "FileMenu"},
    {0, "FileAboutZentora2010",     "AppleMenuItem", "About Zentora2010", "",       "FileMenu"},
    {1, "EditMenu",                 "MenuItem",      "&Edit",             "",       nullptr},
    {1, "EditUndo",                 "MenuItem",      "&Undo",             "Cmd+Z",  "EditMenu"},
    {1, "UntitledMenu1",            "MenuItem",      "-",                 nullptr,  "EditMenu"},
    {1, "EditCut",                  "MenuItem",      "Cu&t",              "Cmd+X",  "EditMenu"},
    {1, "EditCopy",                 "MenuItem",      "&Copy",             "Cmd+C",  "EditMenu"},
    {1, "EditPaste",                "MenuItem",      "&Paste",            "Cmd+V",  "EditMenu"},
    {1, "EditClear",                "MenuItem",      "&Delete",           "",       "EditMenu"},
    {1, "UntitledMenu0",            "MenuItem",      "-",                 nullptr,  "EditMenu"},
    {1, "EditSelectAll",            "MenuItem",      "Select &All",       "Cmd+A",  "EditMenu"},
    {2, "instructionsMenu",         "MenuItem",      "Instructions",      "",       nullptr},
    {2, "instructionsinstructions", "MenuItem",      "instructions",      "",       "instructionsMenu"},
}};
// clang-format on

std::unique_ptr<MenuBar1> g_implicitInstance;

} // namespace

const std::array<MenuEntry, 14> &menuBar1Entries()
{
    return kEntries;
}

void MenuBar1::registerClass()
{
    ClassInfo info;
    info.name = QStringLiteral("MenuBar1.MenuBar1");
    info.baseName = QStringLiteral("MenuBar");
    info.create = [] { return static_cast<Object *>(new MenuBar1); };
    for (const char *member : {"Constructor", "Untitled0", "Untitled1", "Untitled2"})
        info.members.push_back({QString::fromLatin1(member), QStringLiteral("%%"), QStringLiteral("Public"), {}, {}});
    RuntimeRegisterClass(std::move(info));
}

MenuBar1 *MenuBar1::MenuBar1_()
{
    if (!g_implicitInstance) {
        registerClass();
        auto *bar = RuntimeCheckCast<MenuBar1>(RuntimeNewObject(RuntimeLookupClass(QStringLiteral("MenuBar1.MenuBar1"))));
        if (!bar)
            throw NilObjectException(QStringLiteral("Could not make the menu bar"));
        g_implicitInstance.reset(bar);
        bar->Constructor();
    }
    return g_implicitInstance.get();
}

void MenuBar1::releaseInstance()
{
    g_implicitInstance.reset();
}

void MenuBar1::Constructor()
{
    Untitled0();
    Untitled1();
    Untitled2();
}

void MenuBar1::Untitled0()
{
    build(0);
}

void MenuBar1::Untitled1()
{
    build(1);
}

void MenuBar1::Untitled2()
{
    build(2);
}

void MenuBar1::build(int builder)
{
    for (const MenuEntry &entry : kEntries) {
        if (entry.builder != builder)
            continue;
        auto *item = RuntimeCheckCast<MenuItem>(RuntimeNewObject(RuntimeLookupClass(QString::fromLatin1(entry.cls))));
        if (!item)
            throw NilObjectException(QStringLiteral("Could not make the menu item %1").arg(QLatin1String(entry.name)));
        item->Constructor();
        item->setName(QString::fromLatin1(entry.name));
        item->setAutoEnable(true);
        item->setText(QString::fromUtf8(entry.text));
        if (entry.shortcut)
            item->setKeyboardShortcut(QString::fromLatin1(entry.shortcut));
        if (!entry.menu) {
            Append(item);
            continue;
        }
        MenuItem *menu = Child(QString::fromLatin1(entry.menu));
        if (!menu) {
            delete item;
            throw NilObjectException(QStringLiteral("No menu %1 on the bar").arg(QLatin1String(entry.menu)));
        }
        menu->Append(item);
    }
}
