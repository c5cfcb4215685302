#pragma once

#include "controls.h"
#include "window.h"

// The About window: name and version, a two-line note, "OK" and a link.
class Window2 : public Window
{
public:
    static constexpr const char *ClassName = "Window2.Window2";
    QString className() const override { return QString::fromLatin1(ClassName); }

    // The open About window, or a newly built one (which shows itself).
    static Window2 *Window2_();
    static void registerClass();
    static const ClassInfo *Lookup();

    Label *Label1();
    Label *Label2();
    PushButton *PushButton1();
    Label *Label3();

    void PushButton1_Action(PushButton *me);
    bool Label3_MouseDown(Label *me, int x, int y);

    void CreateControls0();

protected:
    void Layout() override;
    void CreateControls() override;
};

// The web page the About window links to.
extern const char *const kWebAddress;
const QByteArray &window2Block();
// The property block of the About window's control `name`.
const QByteArray &window2ControlBlock(const QString &name);
