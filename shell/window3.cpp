#include "window3.h"

#include "dialog_blocks.h"
#include "property_block.h"
#include "window_support.h"

#include <climits>

// clang-format off
const char *const kHelpText =
    " A quick web search on variance and randomness in professional football shows that randomness plays a large part in the results, and the same should hold for the college game. Many factors cannot be well controlled: illness, injury, weather, officiating, personal relationships, and academic problems, to name a few. Any of them can decide a game on a given day, and that is why the game is played on the field and not on paper.\r"
    "The format most commonly suggested is an eight-team, single-elimination tournament.\r"
    "SO\r"
    "STEP 1: Choose eight teams from the final ten of the last 2010 BCS standings (they are listed with their BCS ratings), then tick DONE.\r"
    "\r"
    "STEP 2: Choose the relative strength of each team, then tick DONE. A team rated 8 will win over a team rated 2 on average of 80% of the time with a standard deviation of around 5 %. The suggested strength of each chosen team comes from its BCS rating, times 10 and rounded to an integer.\r"
    "\r"
    "Step 3: Choose the match-ups of the teams for the first round.\r"
    "\r"
    "Step 4: Play each round.\r"
    "\r"
    "Step 5: Choose Replay, Replay All or Restart.\r"
    "\r"
    "Replay: Replays the games one at a time. \r"
    "ReplayAll: Replays all of the games for you; holding down the shift key keeps on replaying all of the games.\r"
    "=====\r"
    "The winner of the Silver Bowl is recorded each time in the table below it. The teams are listed in the table in the order of their bowl appearance: the first two in the Pasta Bowl, the next two in the Salad Bowl, and so on.\r"
    "The results can be saved: the table is saved in a file named UsernameTodaysDate.txt in the same folder as the application itself, ready to share.\r"
    "=====\r"
    "Restart starts again from the beginning.";
// clang-format on

namespace {
std::vector<Record> textAreaRecords()
{
    const Color white = RGB(255, 255, 255);
    return {{"Name", "TextArea1"},       {"Index", INT_MIN},       {"Left", 28},                {"Top", 24},
            {"Width", 480},              {"Height", 259},          {"LockLeft", true},          {"LockTop", true},
            {"LockRight", false},        {"LockBottom", false},    {"TabPanelIndex", 0},        {"TabIndex", 0},
            {"TabStop", true},           {"Border", true},         {"Multiline", true},         {"ScrollbarHorizontal", false},
            {"ScrollbarVertical", true}, {"Styled", true},         {"UseFocusRing", true},      {"TextColor", RGB(0, 0, 0)},
            {"BackColor", white},        {"Enabled", true},        {"Format", ""},              {"Visible", true},
            {"HelpTag", ""},             {"AutoDeactivate", true}, {"HideSelection", true},     {"TextFont", "System"},
            {"Bold", false},             {"Italic", false},        {"Underline", false},        {"Text", kHelpText},
            {"Mask", ""},                {"ReadOnly", false},      {"LimitText", 0},            {"AcceptTabs", false},
            {"Alignment", 0},            {"AutomaticallyCheckSpelling", true},                  {"DataSource", ""},
            {"DataField", ""}};
}
} // namespace

const QByteArray &window3Block()
{
    static const QByteArray block = encodeBlock(dialogWindowRecords(600, 361, "Instructions"));
    return block;
}

const QByteArray &window3ControlBlock(const QString &name)
{
    static const QByteArray area = encodeBlock(textAreaRecords());
    static const QByteArray button = encodeBlock(okButtonRecords(428, 308, 80, 20, 1));
    if (name == QLatin1String("TextArea1"))
        return area;
    if (name == QLatin1String("PushButton1"))
        return button;
    throw NilObjectException(QStringLiteral("The Instructions window has no control %1").arg(name));
}

void Window3::registerClass()
{
    if (RuntimeIsRegistered(QString::fromLatin1(ClassName)))
        return;
    ClassInfo info;
    info.name = QString::fromLatin1(ClassName);
    info.baseName = QStringLiteral("Window");
    info.create = [] { return static_cast<Object *>(new Window3); };
    info.members = {
        publicOperation(QStringLiteral("Layout"), QStringLiteral("%%")),
        publicOperation(QStringLiteral("CreateControls"), QStringLiteral("%%")),
        publicOperation(QStringLiteral("_CreateControls0"), QStringLiteral("%%"), {}, QStringLiteral("Hidden")),
        publicOperation(QStringLiteral("TextArea1"), QStringLiteral("%o<TextArea>%")),
        publicOperation(QStringLiteral("PushButton1"), QStringLiteral("%o<PushButton>%")),
        publicOperation(QStringLiteral("PushButton1_Action"), QStringLiteral("%%o<PushButton>"),
                        MakeInvoker(&Window3::PushButton1_Action)),
    };
    RuntimeRegisterClass(std::move(info));
}

const ClassInfo *Window3::Lookup()
{
    registerClass();
    return RuntimeLookupClass(QString::fromLatin1(ClassName));
}

Window3 *Window3::Window3_()
{
    return implicitInstance<Window3>();
}

void Window3::Layout()
{
    SetProperties(this, window3Block());
}

void Window3::CreateControls()
{
    CreateControls0();
}

void Window3::CreateControls0()
{
    const ClassInfo *self = Lookup();
    const QString rect = QStringLiteral("RectControl");
    buildControl(this, self,
                 ControlPlan{QStringLiteral("TextArea"), QStringLiteral("TextArea1"), rect, 0, true,
                             window3ControlBlock(QStringLiteral("TextArea1")), {}});
    buildControl(this, self,
                 ControlPlan{QStringLiteral("PushButton"), QStringLiteral("PushButton1"), rect, 0, true,
                             window3ControlBlock(QStringLiteral("PushButton1")),
                             {{QStringLiteral("PushButton1_Action"), EventNumber::Action,
                               QStringLiteral("( PushButton )")}}});
}

TextArea *Window3::TextArea1()
{
    return RuntimeCheckCast<TextArea>(ControlByName(QStringLiteral("TextArea1")));
}

PushButton *Window3::PushButton1()
{
    return RuntimeCheckCast<PushButton>(ControlByName(QStringLiteral("PushButton1")));
}

void Window3::PushButton1_Action(PushButton *me)
{
    if (!me || !me->window())
        throw NilObjectException(QStringLiteral("The OK button has no window"));
    me->window()->Close();
}
