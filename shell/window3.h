#pragma once

#include "controls.h"
#include "window.h"

// The Instructions window: the help text in a scrolling, editable area.
class Window3 : public Window
{
public:
    static constexpr const char *ClassName = "Window3.Window3";
    QString className() const override { return QString::fromLatin1(ClassName); }

    // The open Instructions window, or a newly built one (which shows itself).
    static Window3 *Window3_();
    static void registerClass();
    static const ClassInfo *Lookup();

    TextArea *TextArea1();
    PushButton *PushButton1();

    void PushButton1_Action(PushButton *me);

    void CreateControls0();

protected:
    void Layout() override;
    void CreateControls() override;
};

// The help text: 20 lines separated by carriage returns.
extern const char *const kHelpText;
const QByteArray &window3Block();
const QByteArray &window3ControlBlock(const QString &name);
