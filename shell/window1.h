#pragma once

#include "controls.h"
#include "window.h"

#include <QStringList>

class MenuItem;
class AppleMenuItem;
class QuitMenuItem;

// The main window's controls, in creation order, with the class each
// accessor returns.
#define WINDOW1_CONTROLS(X)                                                                                      \
    X(PopupMenu, PopupMenu1) X(PopupMenu, PopupMenu2) X(PopupMenu, PopupMenu3) X(PopupMenu, PopupMenu4)          \
    X(PopupMenu, PopupMenu5) X(PopupMenu, PopupMenu6) X(PopupMenu, PopupMenu7) X(PopupMenu, PopupMenu8)          \
    X(PopupMenu, PopupMenu9) X(PopupMenu, PopupMenu10) X(PopupMenu, PopupMenu11) X(PopupMenu, PopupMenu12)       \
    X(PopupMenu, PopupMenu13) X(PopupMenu, PopupMenu14) X(PopupMenu, PopupMenu15) X(PopupMenu, PopupMenu16)      \
    X(CheckBox, CheckBox1) X(CheckBox, CheckBox2) X(RoundRectangle, RoundRectangle1) X(PopupMenu, PopupMenu17)   \
    X(PopupMenu, PopupMenu18) X(TextField, TextField1) X(TextField, TextField2) X(Label, Label1)                 \
    X(PushButton, PushButton1) X(RoundRectangle, RoundRectangle2) X(PopupMenu, PopupMenu19)                      \
    X(PopupMenu, PopupMenu20) X(TextField, TextField3) X(TextField, TextField4) X(Label, Label2)                 \
    X(PushButton, PushButton2) X(RoundRectangle, RoundRectangle3) X(Label, Label3) X(PopupMenu, PopupMenu22)     \
    X(PopupMenu, PopupMenu21) X(PushButton, PushButton3) X(TextField, TextField5) X(TextField, TextField6)       \
    X(RoundRectangle, RoundRectangle4) X(Label, Label4) X(TextField, TextField7) X(TextField, TextField8)        \
    X(PopupMenu, PopupMenu23) X(PushButton, PushButton4) X(PopupMenu, PopupMenu24) X(Label, Label5)              \
    X(Label, Label6) X(Label, Label7) X(RoundRectangle, RoundRectangle5) X(Label, Label19) X(Label, Label20)     \
    X(Label, Label21) X(TextField, TextField13) X(TextField, TextField14) X(Label, Label23)                      \
    X(PushButton, PushButton7) X(Label, Label22) X(RoundRectangle, RoundRectangle6) X(Label, Label9)             \
    X(Label, Label10) X(Label, Label11) X(PushButton, PushButton5) X(TextField, TextField9)                      \
    X(TextField, TextField10) X(Label, Label12) X(Label, Label13) X(RoundRectangle, RoundRectangle7)             \
    X(TextField, TextField11) X(TextField, TextField12) X(Label, Label18) X(Label, Label17) X(Label, Label14)     \
    X(Label, Label15) X(Label, Label16) X(PushButton, PushButton6) X(PushButton, PushButton8)                    \
    X(PushButton, PushButton9) X(Label, Label26) X(Listbox, Listbox1) X(Timer, Timer1) X(Timer, Timer2)          \
    X(PushButton, PushButton10) X(Label, Label28) X(TextField, TextField15) X(PushButton, PushButton11)          \
    X(Timer, Timer3) X(Label, Label29)

// The control event handlers, in the order of the class's member table:
// H(handler, control class) takes the control; M is the MouseDown handler.
#define WINDOW1_HANDLERS(H, M)                                                                                   \
    H(PopupMenu1_Open, PopupMenu) H(PopupMenu1_Change, PopupMenu) H(PopupMenu2_Open, PopupMenu)                  \
    H(PopupMenu2_Change, PopupMenu) H(PopupMenu3_Open, PopupMenu) H(PopupMenu3_Change, PopupMenu)                \
    H(PopupMenu4_Open, PopupMenu) H(PopupMenu4_Change, PopupMenu) H(PopupMenu5_Open, PopupMenu)                  \
    H(PopupMenu5_Change, PopupMenu) H(PopupMenu6_Open, PopupMenu) H(PopupMenu6_Change, PopupMenu)                \
    H(PopupMenu7_Open, PopupMenu) H(PopupMenu7_Change, PopupMenu) H(PopupMenu8_Open, PopupMenu)                  \
    H(PopupMenu8_Change, PopupMenu) H(PopupMenu9_Open, PopupMenu) H(PopupMenu10_Open, PopupMenu)                 \
    H(PopupMenu11_Open, PopupMenu) H(PopupMenu12_Open, PopupMenu) H(PopupMenu13_Open, PopupMenu)                 \
    H(PopupMenu14_Open, PopupMenu) H(PopupMenu15_Open, PopupMenu) H(PopupMenu16_Open, PopupMenu)                 \
    H(CheckBox1_Action, CheckBox) H(CheckBox2_Action, CheckBox) H(PopupMenu17_Change, PopupMenu)                 \
    H(PopupMenu18_Change, PopupMenu) H(PushButton1_Action, PushButton) H(PopupMenu19_Change, PopupMenu)          \
    H(PopupMenu20_Change, PopupMenu) H(PushButton2_Action, PushButton) H(PopupMenu22_Change, PopupMenu)          \
    H(PopupMenu21_Change, PopupMenu) H(PushButton3_Action, PushButton) H(PopupMenu23_Change, PopupMenu)          \
    H(PushButton4_Action, PushButton) H(PopupMenu24_Change, PopupMenu) H(PushButton7_Action, PushButton)         \
    H(PushButton5_Action, PushButton) H(PushButton6_Action, PushButton) H(PushButton8_Action, PushButton)        \
    H(PushButton9_Action, PushButton) M(Label26_MouseDown, Label) H(Listbox1_Open, Listbox)                      \
    H(Timer1_Action, Timer) H(Timer2_Action, Timer) H(PushButton10_Action, PushButton)                           \
    H(PushButton11_Action, PushButton) H(Timer3_Action, Timer)

// The menu bar's items, in the order of the window's accessors.
#define WINDOW1_MENU_ITEMS(X)                                                                                    \
    X(MenuItem, instructionsMenu) X(MenuItem, instructionsinstructions) X(MenuItem, EditMenu)                    \
    X(MenuItem, EditSelectAll) X(MenuItem, UntitledMenu0) X(MenuItem, EditClear) X(MenuItem, EditPaste)          \
    X(MenuItem, EditCopy) X(MenuItem, EditCut) X(MenuItem, UntitledMenu1) X(MenuItem, EditUndo)                  \
    X(MenuItem, FileMenu) X(AppleMenuItem, FileAboutZentora2010) X(QuitMenuItem, FileQuit)

// The main window, in which the tournament is staged. Its state is the ten
// properties below beside the controls' own texts, states and rows.
class Window1 : public Window
{
public:
    static constexpr const char *ClassName = "Window1.Window1";
    QString className() const override { return QString::fromLatin1(ClassName); }

    // The one open main window; builds a new one when none is open. Never nil.
    static Window1 *Window1_();
    // Registers the class (and its timer classes) with the object runtime.
    static void registerClass();
    static const ClassInfo *Lookup();

    // The pool of bracket entries not yet placed in a first-round slot.
    QStringList team;
    qint32 one = 0, two = 0, three = 0, four = 0, five = 0, six = 0, seven = 0, eight = 0;
    // 1 once the tally list has been filled.
    qint32 listit = 0;

    // Control accessors: the control registered under the name, looked up on
    // every call; nil for a name not registered.
#define WINDOW1_ACCESSOR(Class, Name) Class *Name();
    WINDOW1_CONTROLS(WINDOW1_ACCESSOR)
#undef WINDOW1_ACCESSOR

    // Looks a control of this window up by name; raises NilObjectException
    // when the window is nil.
    template <class T> static T *control(Window1 *window, const char *name)
    {
        if (!window)
            throw NilObjectException(QStringLiteral("No window to look %1 up in").arg(QLatin1String(name)));
        return RuntimeCheckCast<T>(window->ControlByName(QLatin1String(name)));
    }

    // Control event handlers.
#define WINDOW1_HANDLER(Name, Class) void Name(Class *me);
#define WINDOW1_MOUSE_HANDLER(Name, Class) bool Name(Class *me, int x, int y);
    WINDOW1_HANDLERS(WINDOW1_HANDLER, WINDOW1_MOUSE_HANDLER)
#undef WINDOW1_HANDLER
#undef WINDOW1_MOUSE_HANDLER

    // Menu-item accessors: the item of that name under the window's bar.
#define WINDOW1_MENU_ACCESSOR(Class, Name) Class *Name();
    WINDOW1_MENU_ITEMS(WINDOW1_MENU_ACCESSOR)
#undef WINDOW1_MENU_ACCESSOR

    // The two menu commands; each returns True (handled).
    bool FileAboutZentora2010_Action();
    bool Instructionsinstructions_Action();
    void Event_EnableMenuItems();

    // The creation routines of controls 1-30, 31-60 and 61-88.
    void CreateControls0();
    void CreateControls1();
    void CreateControls2();

protected:
    void Layout() override;
    void CreateControls() override;
    void AddMenuHandlers() override;
    void EnableMenuItems() override { Event_EnableMenuItems(); }

private:
    // Builds the controls of layout rows [first, last) in their seven steps.
    void createControlRange(int first, int last);
};

// The main window's timers: one class each, alike but for their names.
template <int N> class Window1Timer : public Timer
{
public:
    QString className() const override { return QStringLiteral("Window1.Timer%1").arg(N); }
    void Constructor() {}
    void SetWindow(::Window *window) { m_ownerWindow = window; }
    ::Window *Window() const { return m_ownerWindow; }
    qint32 Index_() const { return m_index; }
    void SetIndex(qint32 index) { m_index = index; }

private:
    qint32 m_index = 0;
    QPointer<::Window> m_ownerWindow;
};
