// Replay, automatic replay on the three timers, and Restart.
#include "window1.h"

namespace {
const Color kWhite = RGB(255, 255, 255);
}

void Window1::PushButton9_Action(PushButton *me)
{
    me->setEnabled(false);
    const QString open = QStringLiteral("TEAM: TBA");
    // Silver Bowl, Crystal Bowl, China Bowl: slots reopened, scores emptied.
    Label20()->setText(open);
    Label21()->setText(open);
    Label22()->setText(QString());
    Label23()->setText(QString());
    TextField13()->setText(QString());
    TextField14()->setText(QString());
    Label15()->setText(open);
    Label16()->setText(open);
    Label17()->setText(QString());
    Label18()->setText(QString());
    TextField11()->setText(QString());
    TextField12()->setText(QString());
    Label10()->setText(open);
    Label11()->setText(open);
    Label12()->setText(QString());
    Label13()->setText(QString());
    TextField9()->setText(QString());
    TextField10()->setText(QString());
    PushButton1()->setEnabled(true);
    PushButton2()->setEnabled(true);
    PushButton3()->setEnabled(true);
    PushButton4()->setEnabled(true);
    for (int i = 1; i <= 8; ++i)
        control<TextField>(this, QStringLiteral("TextField%1").arg(i).toLatin1().constData())->setText(QString());
    for (int i = 1; i <= 14; ++i)
        control<TextField>(this, QStringLiteral("TextField%1").arg(i).toLatin1().constData())->setBackColor(kWhite);
}

void Window1::PushButton10_Action(PushButton *me)
{
    PushButton9()->Push();
    PushButton1()->Push();
    PushButton2()->Push();
    PushButton3()->Push();
    PushButton4()->Push();
    Timer1()->setMode(1);
    me->setEnabled(false);
}

void Window1::Timer1_Action(Timer *me)
{
    PushButton5()->Push();
    PushButton6()->Push();
    Timer2()->setMode(1);
    me->setMode(0);
}

void Window1::Timer2_Action(Timer *me)
{
    PushButton7()->Push();
    me->setMode(0);
}

void Window1::Timer3_Action(Timer *me)
{
    PushButton10()->Push();
    PushButton10()->setEnabled(false);
    me->setMode(0);
}

void Window1::PushButton8_Action(PushButton *)
{
    Window1_()->Close();
    Window1_()->Show();
}
