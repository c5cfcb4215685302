// The strength menus and the two DONE boxes that close team choice and
// strength choice.
#include "window1.h"

#include "platform.h"
#include "string_functions.h"

namespace {

const char *const kStrengthList = "1,2,3,4,5,6,7,8,9,10";

void fillStrengthMenu(PopupMenu *me)
{
    const QString strengths = QString::fromLatin1(kStrengthList);
    const int count = CountFields(strengths, QStringLiteral(","));
    for (int i = 1; i <= count; ++i)
        me->AddRow(NthField(strengths, QStringLiteral(","), i));
    me->setListIndex(5); // "6"; a strength menu has no Change handler
}

PopupMenu *menu(Window1 *w, int number)
{
    return Window1::control<PopupMenu>(w, QStringLiteral("PopupMenu%1").arg(number).toLatin1().constData());
}

} // namespace

#define STRENGTH_MENU_OPEN(N)                                                                                    \
    void Window1::PopupMenu##N##_Open(PopupMenu *me) { fillStrengthMenu(me); }
STRENGTH_MENU_OPEN(9)
STRENGTH_MENU_OPEN(10)
STRENGTH_MENU_OPEN(11)
STRENGTH_MENU_OPEN(12)
STRENGTH_MENU_OPEN(13)
STRENGTH_MENU_OPEN(14)
STRENGTH_MENU_OPEN(15)
STRENGTH_MENU_OPEN(16)
#undef STRENGTH_MENU_OPEN

void Window1::CheckBox1_Action(CheckBox *me)
{
    bool complete = true;
    for (int n = 1; n <= 8 && complete; ++n)
        complete = menu(this, n)->ListIndex() != 0;
    if (complete) {
        for (int n = 1; n <= 8; ++n)
            menu(this, n)->setEnabled(false);
        for (int n = 9; n <= 16; ++n)
            menu(this, n)->setEnabled(true);
        me->setEnabled(false);
        CheckBox2()->setEnabled(true);
    } else {
        me->setValue(false);
        MsgBox(QStringLiteral("Please complete all selections first"));
    }
}

void Window1::CheckBox2_Action(CheckBox *me)
{
    for (int n = 1; n <= 8; ++n)
        team.append(menu(this, n)->Text() + QLatin1Char('_') + menu(this, n + 8)->Text());
    const QString poolText = Join(team, QStringLiteral(","));
    PopupMenu17()->setEnabled(true);
    PopupMenu17()->AddRow(QStringLiteral("Choose"));
    const int count = CountFields(poolText, QStringLiteral(","));
    for (int i = 1; i <= count; ++i)
        PopupMenu17()->AddRow(NthField(poolText, QStringLiteral(","), i));
    PopupMenu17()->setListIndex(0);
    for (int n = 9; n <= 16; ++n)
        menu(this, n)->setEnabled(false);
    me->setEnabled(false);
}
