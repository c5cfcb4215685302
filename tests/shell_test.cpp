// The application shell: the main window's single instance and its window
// properties, the one menu bar with its fourteen entries, the application
// object, and the classes as the runtime registers them.
#include "menubar1.h"
#include "startup.h"
#include "window_fixture.h"

#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>

namespace {

using MainWindowShellTest = MainWindowTest;

// ---- single instance and window properties --------------------------------------------

TEST_F(MainWindowShellTest, SameWindowWhileOpen)
{
    EXPECT_EQ(Window1::Window1_(), w);
    EXPECT_EQ(Window1::Window1_(), w);
    EXPECT_EQ(GetImplicitWindow(QStringLiteral("Window1.Window1")), w);
    int mainWindows = 0;
    for (Window *open : OpenWindows())
        mainWindows += open->className() == QLatin1String("Window1.Window1");
    EXPECT_EQ(mainWindows, 1);
}

TEST_F(MainWindowShellTest, NewWindowAfterCloseStartsFromItsDesignState)
{
    const std::array<qint32, 9> builtFlags = {w->one, w->two, w->three, w->four, w->five,
                                              w->six, w->seven, w->eight, w->listit};
    // Change what a played window would have changed.
    chooseTeams();
    w->CheckBox1()->userClick();
    w->CheckBox2()->userClick();
    w->TextField1()->setText(QStringLiteral("7"));
    w->Label20()->setText(QStringLiteral("TEAM: Auburn"));
    w->listit = 1;
    ASSERT_FALSE(w->team.isEmpty());

    QPointer<Window1> old = w;
    w->Close();
    EXPECT_EQ(GetImplicitWindow(QStringLiteral("Window1.Window1")), nullptr);
    Window1 *fresh = Window1::Window1_();
    ASSERT_NE(fresh, old.data());
    EXPECT_EQ(Window1::Window1_(), fresh);
    EXPECT_TRUE(fresh->team.isEmpty());
    EXPECT_EQ(fresh->listit, 0);
    const std::array<qint32, 9> freshFlags = {fresh->one,  fresh->two,   fresh->three, fresh->four,  fresh->five,
                                              fresh->six,  fresh->seven, fresh->eight, fresh->listit};
    EXPECT_EQ(freshFlags, builtFlags);
    EXPECT_EQ(fresh->TextField1()->Text(), QString());
    EXPECT_EQ(fresh->Label20()->Text(), QStringLiteral("TEAM: TBA"));
    EXPECT_FALSE(fresh->CheckBox1()->Value());
    EXPECT_TRUE(fresh->CheckBox1()->Enabled());
    EXPECT_FALSE(fresh->CheckBox2()->Enabled());
    EXPECT_EQ(fresh->PopupMenu1()->ListIndex(), 0);
    EXPECT_TRUE(fresh->PopupMenu1()->Enabled());
    EXPECT_EQ(fresh->PopupMenu17()->ListCount(), 0);
    EXPECT_EQ(fresh->Listbox1()->ListCount(), 0);
    w = fresh;
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(old.isNull());
}

TEST_F(MainWindowShellTest, NewObjectHasInitialProperties)
{
    // Before any hook or handler runs: the field initialiser's values.
    std::unique_ptr<Object> object(RuntimeNewObject(Window1::Lookup()));
    auto *blank = RuntimeCheckCast<Window1>(object.get());
    ASSERT_NE(blank, nullptr);
    EXPECT_TRUE(blank->team.isEmpty());
    for (qint32 flag : {blank->one, blank->two, blank->three, blank->four, blank->five, blank->six, blank->seven,
                        blank->eight, blank->listit})
        EXPECT_EQ(flag, 0);
    EXPECT_TRUE(blank->controls().empty());
}

TEST_F(MainWindowShellTest, WindowIsFixedTitledAndVisibleWithoutShow)
{
    EXPECT_EQ(w->Title(), QStringLiteral("So You Want A Zentora?"));
    EXPECT_EQ(w->frame()->windowTitle(), QStringLiteral("So You Want A Zentora?"));
    EXPECT_EQ(w->content()->size(), QSize(850, 650));
    EXPECT_TRUE(w->Visible());
    EXPECT_TRUE(w->frame()->isVisible());

    EXPECT_FALSE(w->CloseButton());
    EXPECT_FALSE(w->Resizeable());
    EXPECT_TRUE(w->MinimizeButton());
    EXPECT_FALSE(w->MaximizeButton());
    const Qt::WindowFlags flags = w->frame()->windowFlags();
    EXPECT_FALSE(flags.testFlag(Qt::WindowCloseButtonHint));
    EXPECT_FALSE(flags.testFlag(Qt::WindowMaximizeButtonHint));
    EXPECT_TRUE(flags.testFlag(Qt::WindowMinimizeButtonHint));

    // The frame cannot be resized: it keeps the content's size.
    QCoreApplication::processEvents();
    const QSize frameSize = w->frame()->size();
    EXPECT_EQ(w->frame()->minimumSize(), w->frame()->maximumSize());
    w->frame()->resize(frameSize + QSize(200, 100));
    QCoreApplication::processEvents();
    EXPECT_EQ(w->frame()->size(), frameSize);
    EXPECT_EQ(w->content()->size(), QSize(850, 650));
}

TEST_F(MainWindowShellTest, CloseRequestFromTheDesktopDoesNotCloseTheMainWindow)
{
    // No close box: the desktop's close request quits instead (no event loop
    // runs here, so nothing ends).
    w->frame()->close();
    QCoreApplication::processEvents();
    EXPECT_FALSE(w->isClosed());
    EXPECT_EQ(GetImplicitWindow(QStringLiteral("Window1.Window1")), w);
}

// ---- the menu bar -----------------------------------------------------------------------

struct MenuRow
{
    const char *name;
    const char *cls;
    const char *text;
    const char *shortcut; // nullptr: never set
    const char *menu;     // nullptr: on the bar
};

// clang-format off
const MenuRow kMenus[] = {
    {"FileMenu",                 "MenuItem",      "&File",             "",      nullptr},
    {"FileQuit",                 "QuitMenuItem",  "&Quit",             "Cmd+Q", "FileMenu"},
    {"FileAboutZentora2010",     "AppleMenuItem", "About Zentora2010", "",      "FileMenu"},
    {"EditMenu",                 "MenuItem",      "&Edit",             "",      nullptr},
    {"EditUndo",                 "MenuItem",      "&Undo",             "Cmd+Z", "EditMenu"},
    {"UntitledMenu1",            "MenuItem",      "-",                 nullptr, "EditMenu"},
    {"EditCut",                  "MenuItem",      "Cu&t",              "Cmd+X", "EditMenu"},
    {"EditCopy",                 "MenuItem",      "&Copy",             "Cmd+C", "EditMenu"},
    {"EditPaste",                "MenuItem",      "&Paste",            "Cmd+V", "EditMenu"},
    {"EditClear",                "MenuItem",      "&Delete",           "",      "EditMenu"},
    {"UntitledMenu0",            "MenuItem",      "-",                 nullptr, "EditMenu"},
    {"EditSelectAll",            "MenuItem",      "Select &All",       "Cmd+A", "EditMenu"},
    {"instructionsMenu",         "MenuItem",      "Instructions",      "",      nullptr},
    {"instructionsinstructions", "MenuItem",      "instructions",      "",      "instructionsMenu"},
};
// clang-format on

TEST_F(MainWindowShellTest, MenuBarHoldsTheFourteenEntriesInOrder)
{
    MenuBar1 *bar = MenuBar1::MenuBar1_();
    ASSERT_NE(bar, nullptr);
    EXPECT_EQ(bar->className(), QStringLiteral("MenuBar1"));
    // Walk the bar as built: each menu, then its items.
    std::vector<std::pair<MenuItem *, MenuItem *>> built; // entry, its menu
    for (int m = 0; m < bar->Count(); ++m) {
        built.emplace_back(bar->Item(m), nullptr);
        for (int i = 0; i < bar->Item(m)->Count(); ++i)
            built.emplace_back(bar->Item(m)->Item(i), bar->Item(m));
    }
    ASSERT_EQ(built.size(), std::size(kMenus));
    EXPECT_EQ(bar->Count(), 3);
    for (size_t i = 0; i < built.size(); ++i) {
        const MenuRow &row = kMenus[i];
        MenuItem *item = built[i].first;
        SCOPED_TRACE(row.name);
        EXPECT_EQ(item->Name(), QLatin1String(row.name));
        EXPECT_EQ(item->className(), QLatin1String(row.cls));
        EXPECT_EQ(item->Text(), QLatin1String(row.text));
        EXPECT_TRUE(item->AutoEnable());
        EXPECT_EQ(item->isShortcutSet(), row.shortcut != nullptr);
        if (row.shortcut) {
            EXPECT_EQ(item->KeyboardShortcut(), QLatin1String(row.shortcut));
        }
        if (row.menu) {
            EXPECT_EQ(built[i].second->Name(), QLatin1String(row.menu));
            EXPECT_EQ(item->Count(), 0);
        } else {
            EXPECT_EQ(built[i].second, nullptr);
        }
        // The window's accessor of the same name reaches the same item.
        EXPECT_EQ(bar->Lookup(QLatin1String(row.name)), item);
    }
    // Names are exact: no item is found by another case.
    EXPECT_EQ(bar->Lookup(QStringLiteral("Instructionsinstructions")), nullptr);
    EXPECT_EQ(bar->Child(QStringLiteral("instructionsMenu")), bar->Item(2));
    EXPECT_EQ(bar->Child(QStringLiteral("FileQuit")), nullptr);
}

TEST_F(MainWindowShellTest, MenuItemAccessorsReturnTheBarsItems)
{
    MenuBar1 *bar = MenuBar1::MenuBar1_();
    ASSERT_EQ(w->menuBar(), bar);
    EXPECT_EQ(w->FileQuit(), bar->Lookup(QStringLiteral("FileQuit")));
    EXPECT_EQ(w->FileAboutZentora2010(), bar->Lookup(QStringLiteral("FileAboutZentora2010")));
    const std::vector<MenuItem *> accessed = {w->instructionsMenu(), w->instructionsinstructions(), w->EditMenu(),
                                              w->EditSelectAll(),    w->UntitledMenu0(),           w->EditClear(),
                                              w->EditPaste(),        w->EditCopy(),                w->EditCut(),
                                              w->UntitledMenu1(),    w->EditUndo(),                w->FileMenu()};
    const char *order[] = {"instructionsMenu", "instructionsinstructions", "EditMenu", "EditSelectAll",
                           "UntitledMenu0",    "EditClear",                "EditPaste", "EditCopy",
                           "EditCut",          "UntitledMenu1",            "EditUndo",  "FileMenu"};
    for (size_t i = 0; i < accessed.size(); ++i) {
        ASSERT_NE(accessed[i], nullptr) << order[i];
        EXPECT_EQ(accessed[i]->Name(), QLatin1String(order[i]));
    }
}

TEST_F(MainWindowShellTest, WindowShowsTheMenusAsTheUserSeesThem)
{
    QMenuBar *shown = w->frame()->menuBar();
    ASSERT_NE(shown, nullptr);
    const QList<QAction *> menus = shown->actions();
    ASSERT_EQ(menus.size(), 3);
    EXPECT_EQ(menus[0]->text(), QStringLiteral("&File"));
    EXPECT_EQ(menus[1]->text(), QStringLiteral("&Edit"));
    EXPECT_EQ(menus[2]->text(), QStringLiteral("Instructions"));

    struct Shown
    {
        const char *text; // nullptr: a separator
        const char *keys;
    };
    const std::vector<std::vector<Shown>> expected = {
        {{"&Quit", "Ctrl+Q"}, {"About Zentora2010", ""}},
        {{"&Undo", "Ctrl+Z"},
         {nullptr, ""},
         {"Cu&t", "Ctrl+X"},
         {"&Copy", "Ctrl+C"},
         {"&Paste", "Ctrl+V"},
         {"&Delete", ""},
         {nullptr, ""},
         {"Select &All", "Ctrl+A"}},
        {{"instructions", ""}},
    };
    for (int m = 0; m < 3; ++m) {
        ASSERT_NE(menus[m]->menu(), nullptr);
        const QList<QAction *> items = menus[m]->menu()->actions();
        ASSERT_EQ(size_t(items.size()), expected[size_t(m)].size()) << m;
        for (int i = 0; i < items.size(); ++i) {
            const Shown &e = expected[size_t(m)][size_t(i)];
            SCOPED_TRACE(e.text ? e.text : "separator");
            EXPECT_EQ(items[i]->isSeparator(), e.text == nullptr);
            if (e.text) {
                EXPECT_EQ(items[i]->text(), QLatin1String(e.text));
            }
            EXPECT_EQ(items[i]->shortcut(), QKeySequence(QLatin1String(e.keys)));
            EXPECT_TRUE(items[i]->isEnabled());
        }
    }
}

TEST_F(MainWindowShellTest, EveryMainWindowSharesTheOneMenuBar)
{
    MenuBar1 *bar = MenuBar1::MenuBar1_();
    EXPECT_EQ(MenuBar1::MenuBar1_(), bar);
    EXPECT_EQ(w->menuBar(), bar);
    std::vector<MenuItem *> items;
    for (const MenuRow &row : kMenus)
        items.push_back(bar->Lookup(QLatin1String(row.name)));

    // As Restart does: close the window, then ask for a new one.
    w->Close();
    w = Window1::Window1_();
    EXPECT_EQ(w->menuBar(), bar);
    EXPECT_EQ(MenuBar1::MenuBar1_(), bar);
    ASSERT_EQ(bar->Count(), 3);
    size_t i = 0;
    for (const MenuRow &row : kMenus)
        EXPECT_EQ(bar->Lookup(QLatin1String(row.name)), items[i++]) << row.name;
    EXPECT_EQ(bar->Item(1)->Count(), 8);
    EXPECT_EQ(w->frame()->menuBar()->actions().size(), 3);

    // The Restart button itself.
    Window1 *before = w;
    w->PushButton8()->Push();
    w = Window1::Window1_();
    ASSERT_NE(w, before);
    EXPECT_EQ(w->menuBar(), bar);
    EXPECT_EQ(bar->Lookup(QStringLiteral("FileQuit")), items[1]);
}

TEST_F(MainWindowShellTest, ApplicationObjectSharesTheBar)
{
    NewAppInstance();
    Application *app = RuntimeAppObject();
    ASSERT_NE(app, nullptr);
    EXPECT_EQ(app->className(), QStringLiteral("App"));
    EXPECT_EQ(app->menuBar(), MenuBar1::MenuBar1_());
    EXPECT_EQ(app->menuBar(), w->menuBar());
}

// ---- registered classes ------------------------------------------------------------------

struct Member
{
    std::string name;
    std::string signature;
    std::string attributes;
};

std::vector<Member> operations(const ClassInfo *cls)
{
    std::vector<Member> list;
    for (const MemberInfo &m : cls->members) {
        if (!m.isProperty)
            list.push_back({m.name.toStdString(), m.signature.toStdString(), m.attributes.toStdString()});
    }
    return list;
}

// The 88 controls in creation order, with the class each accessor returns.
// clang-format off
const char *const kAccessors[88][2] = {
    {"PopupMenu1", "PopupMenu"}, {"PopupMenu2", "PopupMenu"}, {"PopupMenu3", "PopupMenu"}, {"PopupMenu4", "PopupMenu"},
    {"PopupMenu5", "PopupMenu"}, {"PopupMenu6", "PopupMenu"}, {"PopupMenu7", "PopupMenu"}, {"PopupMenu8", "PopupMenu"},
    {"PopupMenu9", "PopupMenu"}, {"PopupMenu10", "PopupMenu"}, {"PopupMenu11", "PopupMenu"}, {"PopupMenu12", "PopupMenu"},
    {"PopupMenu13", "PopupMenu"}, {"PopupMenu14", "PopupMenu"}, {"PopupMenu15", "PopupMenu"}, {"PopupMenu16", "PopupMenu"},
    {"CheckBox1", "CheckBox"}, {"CheckBox2", "CheckBox"}, {"RoundRectangle1", "RoundRectangle"},
    {"PopupMenu17", "PopupMenu"}, {"PopupMenu18", "PopupMenu"}, {"TextField1", "TextField"}, {"TextField2", "TextField"},
    {"Label1", "Label"}, {"PushButton1", "PushButton"}, {"RoundRectangle2", "RoundRectangle"},
    {"PopupMenu19", "PopupMenu"}, {"PopupMenu20", "PopupMenu"}, {"TextField3", "TextField"}, {"TextField4", "TextField"},
    {"Label2", "Label"}, {"PushButton2", "PushButton"}, {"RoundRectangle3", "RoundRectangle"}, {"Label3", "Label"},
    {"PopupMenu22", "PopupMenu"}, {"PopupMenu21", "PopupMenu"}, {"PushButton3", "PushButton"},
    {"TextField5", "TextField"}, {"TextField6", "TextField"}, {"RoundRectangle4", "RoundRectangle"}, {"Label4", "Label"},
    {"TextField7", "TextField"}, {"TextField8", "TextField"}, {"PopupMenu23", "PopupMenu"}, {"PushButton4", "PushButton"},
    {"PopupMenu24", "PopupMenu"}, {"Label5", "Label"}, {"Label6", "Label"}, {"Label7", "Label"},
    {"RoundRectangle5", "RoundRectangle"}, {"Label19", "Label"}, {"Label20", "Label"}, {"Label21", "Label"},
    {"TextField13", "TextField"}, {"TextField14", "TextField"}, {"Label23", "Label"}, {"PushButton7", "PushButton"},
    {"Label22", "Label"}, {"RoundRectangle6", "RoundRectangle"}, {"Label9", "Label"}, {"Label10", "Label"},
    {"Label11", "Label"}, {"PushButton5", "PushButton"}, {"TextField9", "TextField"}, {"TextField10", "TextField"},
    {"Label12", "Label"}, {"Label13", "Label"}, {"RoundRectangle7", "RoundRectangle"}, {"TextField11", "TextField"},
    {"TextField12", "TextField"}, {"Label18", "Label"}, {"Label17", "Label"}, {"Label14", "Label"}, {"Label15", "Label"},
    {"Label16", "Label"}, {"PushButton6", "PushButton"}, {"PushButton8", "PushButton"}, {"PushButton9", "PushButton"},
    {"Label26", "Label"}, {"Listbox1", "Listbox"}, {"Timer1", "Timer"}, {"Timer2", "Timer"},
    {"PushButton10", "PushButton"}, {"Label28", "Label"}, {"TextField15", "TextField"}, {"PushButton11", "PushButton"},
    {"Timer3", "Timer"}, {"Label29", "Label"},
};

// The 50 handlers in class order, with the class of the control each receives.
const char *const kHandlers[50][2] = {
    {"PopupMenu1_Open", "PopupMenu"}, {"PopupMenu1_Change", "PopupMenu"}, {"PopupMenu2_Open", "PopupMenu"},
    {"PopupMenu2_Change", "PopupMenu"}, {"PopupMenu3_Open", "PopupMenu"}, {"PopupMenu3_Change", "PopupMenu"},
    {"PopupMenu4_Open", "PopupMenu"}, {"PopupMenu4_Change", "PopupMenu"}, {"PopupMenu5_Open", "PopupMenu"},
    {"PopupMenu5_Change", "PopupMenu"}, {"PopupMenu6_Open", "PopupMenu"}, {"PopupMenu6_Change", "PopupMenu"},
    {"PopupMenu7_Open", "PopupMenu"}, {"PopupMenu7_Change", "PopupMenu"}, {"PopupMenu8_Open", "PopupMenu"},
    {"PopupMenu8_Change", "PopupMenu"}, {"PopupMenu9_Open", "PopupMenu"}, {"PopupMenu10_Open", "PopupMenu"},
    {"PopupMenu11_Open", "PopupMenu"}, {"PopupMenu12_Open", "PopupMenu"}, {"PopupMenu13_Open", "PopupMenu"},
    {"PopupMenu14_Open", "PopupMenu"}, {"PopupMenu15_Open", "PopupMenu"}, {"PopupMenu16_Open", "PopupMenu"},
    {"CheckBox1_Action", "CheckBox"}, {"CheckBox2_Action", "CheckBox"}, {"PopupMenu17_Change", "PopupMenu"},
    {"PopupMenu18_Change", "PopupMenu"}, {"PushButton1_Action", "PushButton"}, {"PopupMenu19_Change", "PopupMenu"},
    {"PopupMenu20_Change", "PopupMenu"}, {"PushButton2_Action", "PushButton"}, {"PopupMenu22_Change", "PopupMenu"},
    {"PopupMenu21_Change", "PopupMenu"}, {"PushButton3_Action", "PushButton"}, {"PopupMenu23_Change", "PopupMenu"},
    {"PushButton4_Action", "PushButton"}, {"PopupMenu24_Change", "PopupMenu"}, {"PushButton7_Action", "PushButton"},
    {"PushButton5_Action", "PushButton"}, {"PushButton6_Action", "PushButton"}, {"PushButton8_Action", "PushButton"},
    {"PushButton9_Action", "PushButton"}, {"Label26_MouseDown", "Label"}, {"Listbox1_Open", "Listbox"},
    {"Timer1_Action", "Timer"}, {"Timer2_Action", "Timer"}, {"PushButton10_Action", "PushButton"},
    {"PushButton11_Action", "PushButton"}, {"Timer3_Action", "Timer"},
};
// clang-format on

TEST(RegisteredClassTest, MainWindowMemberTable)
{
    const ClassInfo *cls = RuntimeLookupClass(QStringLiteral("Window1.Window1"));
    ASSERT_NE(cls, nullptr);
    EXPECT_EQ(cls->baseName, QStringLiteral("Window"));

    std::vector<Member> expected = {{"Layout", "%%", ""}, {"CreateControls", "%%", ""}};
    for (const char *routine : {"_CreateControls0", "_CreateControls1", "_CreateControls2"})
        expected.push_back({routine, "%%", "Hidden"});
    for (const auto &accessor : kAccessors)
        expected.push_back({accessor[0], std::string("%o<") + accessor[1] + ">%", ""});
    for (const auto &handler : kHandlers) {
        const std::string cls = handler[1];
        expected.push_back({handler[0], cls == "Label" ? "%b%o<Label>i4i4" : "%%o<" + cls + ">", ""});
    }
    const char *const menuAccessors[14][2] = {
        {"instructionsMenu", "MenuItem"}, {"instructionsinstructions", "MenuItem"}, {"EditMenu", "MenuItem"},
        {"EditSelectAll", "MenuItem"},    {"UntitledMenu0", "MenuItem"},             {"EditClear", "MenuItem"},
        {"EditPaste", "MenuItem"},        {"EditCopy", "MenuItem"},                  {"EditCut", "MenuItem"},
        {"UntitledMenu1", "MenuItem"},    {"EditUndo", "MenuItem"},                  {"FileMenu", "MenuItem"},
        {"FileAboutZentora2010", "AppleMenuItem"}, {"FileQuit", "QuitMenuItem"}};
    for (const auto &item : menuAccessors)
        expected.push_back({item[0], std::string("%o<") + item[1] + ">%", ""});
    expected.push_back({"AddMenuHandlers", "%%o<Window>", ""});
    expected.push_back({"Event_EnableMenuItems", "%%", ""});
    expected.push_back({"_FileAboutZentora2010_Action", "%b%", ""});
    expected.push_back({"_Instructionsinstructions_Action", "%b%", ""});

    const std::vector<Member> actual = operations(cls);
    ASSERT_EQ(actual.size(), 161u);
    ASSERT_EQ(actual.size(), expected.size());
    for (size_t i = 0; i < actual.size(); ++i) {
        SCOPED_TRACE("member " + std::to_string(i) + " " + expected[i].name);
        EXPECT_EQ(actual[i].name, expected[i].name);
        EXPECT_EQ(actual[i].signature, expected[i].signature);
        EXPECT_EQ(actual[i].attributes, expected[i].attributes);
    }
    for (const MemberInfo &m : cls->members)
        EXPECT_EQ(m.scope, QStringLiteral("Public")) << m.name.toStdString();

    // The ten properties, in order, with their type codes.
    std::vector<std::pair<std::string, std::string>> properties;
    for (const MemberInfo &m : cls->members) {
        if (m.isProperty)
            properties.emplace_back(m.name.toStdString(), m.signature.toStdString());
    }
    const std::vector<std::pair<std::string, std::string>> expectedProperties = {
        {"team", "A1s"}, {"one", "i4"},   {"two", "i4"},   {"three", "i4"}, {"four", "i4"},
        {"five", "i4"},  {"six", "i4"},   {"seven", "i4"}, {"eight", "i4"}, {"listit", "i4"}};
    EXPECT_EQ(properties, expectedProperties);
}

TEST(RegisteredClassTest, HandlersCanBeBoundByName)
{
    const ClassInfo *cls = RuntimeLookupClass(QStringLiteral("Window1.Window1"));
    ASSERT_NE(cls, nullptr);
    for (const auto &handler : kHandlers) {
        const MemberInfo *m = cls->member(QLatin1String(handler[0]));
        ASSERT_NE(m, nullptr) << handler[0];
        EXPECT_TRUE(bool(m->invoker)) << handler[0];
    }
    EXPECT_TRUE(bool(cls->member(QStringLiteral("_FileAboutZentora2010_Action"))->invoker));
    EXPECT_TRUE(bool(cls->member(QStringLiteral("_Instructionsinstructions_Action"))->invoker));
}

TEST(RegisteredClassTest, TimerClasses)
{
    for (int n = 1; n <= 3; ++n) {
        const QString name = QStringLiteral("Window1.Timer%1").arg(n);
        SCOPED_TRACE(name.toStdString());
        const ClassInfo *cls = RuntimeLookupClass(name);
        ASSERT_NE(cls, nullptr);
        EXPECT_EQ(cls->baseName, QStringLiteral("Timer"));
        struct Expected
        {
            const char *name, *signature, *scope, *attributes;
            bool property;
        };
        const Expected members[] = {
            {"Index", "i4", "Public", "", true},
            {"ownerWindow", "o<Window>", "Private", "", true},
            {"_SetWindow", "%%o<Window>", "Public", "Hidden", false},
            {"Window", "%o<Window>%", "Public", "", false},
            {"_Index", "%i4%", "Public", "Hidden", false},
            {"_SetIndex", "%%i4", "Public", "Hidden", false},
            {"Constructor", "%%", "Public", "", false},
        };
        ASSERT_EQ(cls->members.size(), std::size(members));
        for (size_t i = 0; i < std::size(members); ++i) {
            EXPECT_EQ(cls->members[i].name, QLatin1String(members[i].name));
            EXPECT_EQ(cls->members[i].signature, QLatin1String(members[i].signature));
            EXPECT_EQ(cls->members[i].scope, QLatin1String(members[i].scope));
            EXPECT_EQ(cls->members[i].attributes, QLatin1String(members[i].attributes));
            EXPECT_EQ(cls->members[i].isProperty, members[i].property);
        }
        std::unique_ptr<Object> timer(RuntimeNewObject(cls));
        EXPECT_EQ(timer->className(), name);
    }
}

TEST(RegisteredClassTest, ApplicationAndMenuBarClasses)
{
    const ClassInfo *app = RuntimeLookupClass(QStringLiteral("App"));
    ASSERT_NE(app, nullptr);
    EXPECT_EQ(app->baseName, QStringLiteral("Application"));
    ASSERT_EQ(app->members.size(), 1u);
    EXPECT_EQ(app->members[0].name, QStringLiteral("Constructor"));
    EXPECT_EQ(app->members[0].scope, QStringLiteral("Public"));

    const ClassInfo *bar = RuntimeLookupClass(QStringLiteral("MenuBar1.MenuBar1"));
    ASSERT_NE(bar, nullptr);
    EXPECT_EQ(bar->baseName, QStringLiteral("MenuBar"));
    QStringList members;
    for (const MemberInfo &m : bar->members) {
        members << m.name;
        EXPECT_EQ(m.scope, QStringLiteral("Public"));
    }
    EXPECT_EQ(members, (QStringList{QStringLiteral("Constructor"), QStringLiteral("Untitled0"),
                                    QStringLiteral("Untitled1"), QStringLiteral("Untitled2")}));
    for (const char *window : {"Window2.Window2", "Window3.Window3"})
        EXPECT_TRUE(RuntimeIsRegistered(QLatin1String(window))) << window;
}

// ---- accessors ---------------------------------------------------------------------------

TEST_F(MainWindowShellTest, AccessorsReturnTheirControlsTyped)
{
    for (const auto &accessor : kAccessors) {
        Control *control = w->ControlByName(QLatin1String(accessor[0]));
        ASSERT_NE(control, nullptr) << accessor[0];
        EXPECT_EQ(control->name(), QLatin1String(accessor[0]));
    }
    Timer *timer = w->Timer1();
    ASSERT_NE(timer, nullptr);
    EXPECT_EQ(timer->className(), QStringLiteral("Window1.Timer1"));
    EXPECT_EQ(w->Timer3()->className(), QStringLiteral("Window1.Timer3"));
    RoundRectangle *rect = w->RoundRectangle1();
    ASSERT_NE(rect, nullptr);
    EXPECT_EQ(rect->className(), QStringLiteral("RoundRectangle"));
    EXPECT_EQ(w->Label29()->window(), w);
    EXPECT_EQ(w->controls().size(), 88u);
}

TEST_F(MainWindowShellTest, AccessorOnNilWindowRaisesAndUnknownNameGivesNil)
{
    EXPECT_THROW(Window1::control<PopupMenu>(nullptr, "PopupMenu1"), NilObjectException);
    EXPECT_THROW(Window1::control<Timer>(nullptr, "Timer1"), NilObjectException);
    for (const char *missing : {"Label8", "Label24", "Label25", "Label27", "PopupMenu25", "popupmenu1"})
        EXPECT_EQ(Window1::control<Control>(w, missing), nullptr) << missing;
    EXPECT_THROW(Window1::control<CheckBox>(w, "PopupMenu1"), IllegalCastException);
}

} // namespace
