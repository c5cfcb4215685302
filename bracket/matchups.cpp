// The first-round slot menus, placed one after the other from the pool.
#include "window1.h"

#include "string_functions.h"

namespace {

// Removes the pool's element at a 0-based position.
void removeFromPool(QStringList &pool, int position)
{
    if (position < 0 || position >= pool.size())
        throw OutOfBoundsException(QStringLiteral("The pool has no entry %1").arg(position));
    pool.removeAt(position);
}

// Offers "Choose" and the pool's entries in `next` and selects "Choose".
void fillFromPool(Window1 *w, const char *next)
{
    const QString poolText = Join(w->team, QStringLiteral(","));
    PopupMenu *menu = Window1::control<PopupMenu>(w, next);
    menu->setEnabled(true);
    menu->AddRow(QStringLiteral("Choose"));
    const int count = CountFields(poolText, QStringLiteral(","));
    for (int i = 1; i <= count; ++i)
        Window1::control<PopupMenu>(w, next)->AddRow(NthField(poolText, QStringLiteral(","), i));
    Window1::control<PopupMenu>(w, next)->setListIndex(0);
}

// A bowl's left-hand slot: place the entry, open the right-hand slot.
void leftSlotChanged(Window1 *w, PopupMenu *me, const char *rightSlot, const char *playButton)
{
    if (me->ListIndex() == 0)
        return;
    me->setEnabled(false);
    removeFromPool(w->team, me->ListIndex() - 1);
    fillFromPool(w, rightSlot);
    Window1::control<PushButton>(w, playButton)->setEnabled(false);
}

// A bowl's right-hand slot (Pasta, Salad, Cereal): the bowl becomes playable;
// a placed entry opens the next bowl's left-hand slot.
void rightSlotChanged(Window1 *w, PopupMenu *me, const char *field1, const char *field2, const char *playButton,
                      const char *nextLeftSlot)
{
    Window1::control<TextField>(w, field1)->setText(QStringLiteral("0"));
    Window1::control<TextField>(w, field2)->setText(QStringLiteral("0"));
    Window1::control<PushButton>(w, playButton)->setEnabled(true);
    if (me->ListIndex() == 0)
        return;
    removeFromPool(w->team, me->ListIndex() - 1);
    fillFromPool(w, nextLeftSlot);
    me->setEnabled(false);
}

} // namespace

void Window1::PopupMenu17_Change(PopupMenu *me)
{
    leftSlotChanged(this, me, "PopupMenu18", "PushButton1");
}

void Window1::PopupMenu18_Change(PopupMenu *me)
{
    rightSlotChanged(this, me, "TextField1", "TextField2", "PushButton1", "PopupMenu19");
}

void Window1::PopupMenu19_Change(PopupMenu *me)
{
    leftSlotChanged(this, me, "PopupMenu20", "PushButton2");
}

void Window1::PopupMenu20_Change(PopupMenu *me)
{
    rightSlotChanged(this, me, "TextField3", "TextField4", "PushButton2", "PopupMenu21");
}

void Window1::PopupMenu21_Change(PopupMenu *me)
{
    leftSlotChanged(this, me, "PopupMenu22", "PushButton3");
}

void Window1::PopupMenu22_Change(PopupMenu *me)
{
    rightSlotChanged(this, me, "TextField5", "TextField6", "PushButton3", "PopupMenu23");
}

void Window1::PopupMenu23_Change(PopupMenu *me)
{
    leftSlotChanged(this, me, "PopupMenu24", "PushButton4");
}

void Window1::PopupMenu24_Change(PopupMenu *)
{
    // The Soup Bowl's right-hand slot stays open: every change makes the
    // bowl playable again and touches nothing else.
    TextField7()->setText(QStringLiteral("0"));
    TextField8()->setText(QStringLiteral("0"));
    PushButton4()->setEnabled(true);
}
