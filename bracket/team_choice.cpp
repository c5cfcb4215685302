// The eight team menus: filled with the ten teams, duplicates refused, each
// accepted pick suggesting its team's strength.
#include "window1.h"

#include "platform.h"
#include "string_functions.h"

#include <array>

namespace {

const char *const kTeamList = "Auburn (.9866),Oregon (.9720),TCU (.9102),Stanford (.8365),Wisconsin (.8041),"
                              "Ohio State (.7660),Oklahoma (.7297),Arkansas (.7274),Michigan State (.6922),"
                              "Boise State (.6137)";

struct TeamMenu
{
    const char *menu;
    qint32 Window1::*flag;
    const char *strengthMenu;
};

// clang-format off
const std::array<TeamMenu, 8> kTeamMenus = {{
    {"PopupMenu1", &Window1::one,   "PopupMenu9"},
    {"PopupMenu2", &Window1::two,   "PopupMenu10"},
    {"PopupMenu3", &Window1::three, "PopupMenu11"},
    {"PopupMenu4", &Window1::four,  "PopupMenu12"},
    {"PopupMenu5", &Window1::five,  "PopupMenu13"},
    {"PopupMenu6", &Window1::six,   "PopupMenu14"},
    {"PopupMenu7", &Window1::seven, "PopupMenu15"},
    {"PopupMenu8", &Window1::eight, "PopupMenu16"},
}};
// clang-format on

void fillTeamMenu(Window1 *w, PopupMenu *me, int n)
{
    const QString teams = QString::fromLatin1(kTeamList);
    const int count = CountFields(teams, QStringLiteral(","));
    me->AddRow(QStringLiteral("Choose"));
    for (int i = 1; i <= count; ++i)
        me->AddRow(NthField(teams, QStringLiteral(","), i));
    me->setListIndex(0); // runs Change while the flag is still 0
    w->*kTeamMenus[size_t(n - 1)].flag = 1;
}

// The other team menus in the order the duplicate test reads them: ascending,
// with menu 1 in the place of the menu's own number.
std::array<int, 7> comparisonOrder(int n)
{
    std::array<int, 7> order{};
    for (int k = 2; k <= 8; ++k)
        order[size_t(k - 2)] = (k == n) ? 1 : k;
    return order;
}

void teamChanged(Window1 *w, PopupMenu *me, int n)
{
    bool distinct = true;
    for (int other : comparisonOrder(n)) {
        if (Window1::control<PopupMenu>(w, kTeamMenus[size_t(other - 1)].menu)->ListIndex() == me->ListIndex()) {
            distinct = false;
            break;
        }
    }
    if (distinct) {
        if (w->*kTeamMenus[size_t(n - 1)].flag == 0)
            return;
        QString piece = Split(me->Text(), QStringLiteral("(")).last();
        piece = Replace(piece, QStringLiteral(")"), QString());
        const double suggested = Round(Val(piece) * 10.0);
        Window1::control<PopupMenu>(w, kTeamMenus[size_t(n - 1)].strengthMenu)->setListIndex(qint32(suggested - 1.0));
        return;
    }
    if (me->ListIndex() != 0) {
        MsgBox(QStringLiteral("Your team choice can not match another choice"));
        me->setListIndex(0);
    }
}

} // namespace

#define TEAM_MENU_HANDLERS(N)                                                                                    \
    void Window1::PopupMenu##N##_Open(PopupMenu *me) { fillTeamMenu(this, me, N); }                             \
    void Window1::PopupMenu##N##_Change(PopupMenu *me) { teamChanged(this, me, N); }
TEAM_MENU_HANDLERS(1)
TEAM_MENU_HANDLERS(2)
TEAM_MENU_HANDLERS(3)
TEAM_MENU_HANDLERS(4)
TEAM_MENU_HANDLERS(5)
TEAM_MENU_HANDLERS(6)
TEAM_MENU_HANDLERS(7)
TEAM_MENU_HANDLERS(8)
#undef TEAM_MENU_HANDLERS
