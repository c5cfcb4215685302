#pragma once

#include "window1.h"

#include <QStringList>

#include <string>

// Texts joined for a readable comparison in a failed expectation.
inline std::string joined(const QStringList &texts)
{
    return texts.join(QLatin1Char('|')).toStdString();
}

inline QString colorText(Color c)
{
    return QStringLiteral("RGB(%1,%2,%3)").arg(c.red).arg(c.green).arg(c.blue);
}

// Everything a user can see of a main window, with its timers, its tally and
// its state properties: equal states mean nothing visible changed.
inline QStringList windowState(Window1 *window)
{
    QStringList state;
    for (Control *c : window->controls()) {
        QString s = c->name();
        if (auto *r = dynamic_cast<RectControl *>(c))
            s += QStringLiteral(" en=%1 bold=%2 vis=%3").arg(r->Enabled()).arg(r->Bold()).arg(r->Visible());
        if (auto *m = dynamic_cast<PopupMenu *>(c))
            s += QStringLiteral(" row=%1 rows=%2").arg(m->ListIndex()).arg(m->ListCount());
        if (auto *l = dynamic_cast<Label *>(c))
            s += QStringLiteral(" text=") + l->Text();
        if (auto *f = dynamic_cast<TextField *>(c))
            s += QStringLiteral(" text=") + f->Text() + QLatin1Char(' ') + colorText(f->BackColor());
        if (auto *b = dynamic_cast<CheckBox *>(c))
            s += QStringLiteral(" value=%1").arg(b->Value());
        if (auto *t = dynamic_cast<Timer *>(c))
            s += QStringLiteral(" mode=%1").arg(t->Mode());
        state << s;
    }
    Listbox *tally = window->Listbox1();
    for (int row = 0; row < tally->ListCount(); ++row)
        state << tally->Cell(row, 0) + QLatin1Char('=') + tally->Cell(row, 1);
    state << window->team << QString::number(window->listit);
    return state;
}
