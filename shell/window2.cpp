#include "window2.h"

#include "dialog_blocks.h"
#include "platform.h"
#include "property_block.h"
#include "window_support.h"

#include <climits>

const char *const kWebAddress = "https://www.example.com/zentora2010";

namespace {

struct AboutLabel
{
    const char *name;
    int left, top, width, height, tab;
    const char *text;
    int align;
    Color color;
    bool multiline, bold, underline;
    double textSize;
};

// clang-format off
const AboutLabel kLabels[] = {
//   name      L   T    W    H   tab text                                                          align colour                 multi  bold   under  size
    {"Label1", 89, 25,  142, 53, 0,  "Zentora 2010\rversion 1.7.0",                                1,    RGB(0, 0, 0),          true,  true,  false, 18},
    {"Label2", 11, 116, 188, 35, 1,  "An eight-team bowl play-off\rfor the 2010 college season",  0,    RGB(0, 0, 0),          true,  false, false, 0},
    {"Label3", 11, 160, 178, 20, 3,  kWebAddress,                                                  0,    RGB(0x66, 0x66, 0xFF), false, false, true,  9},
};
// clang-format on

std::vector<Record> labelRecords(const AboutLabel &l)
{
    return {{"Name", l.name},         {"Index", INT_MIN},         {"Left", l.left},          {"Top", l.top},
            {"Width", l.width},       {"Height", l.height},       {"LockLeft", true},        {"LockTop", true},
            {"LockRight", false},     {"LockBottom", false},      {"TabPanelIndex", 0},      {"TabIndex", l.tab},
            {"Text", l.text},         {"TextAlign", l.align},     {"TextColor", l.color},    {"Multiline", l.multiline},
            {"Enabled", true},        {"Visible", true},          {"Selectable", false},     {"Transparent", false},
            {"HelpTag", ""},          {"AutoDeactivate", true},   {"TextFont", "System"},    {"Bold", l.bold},
            {"Italic", false},        {"Underline", l.underline}, {"DataSource", ""},        {"DataField", ""},
            {"InitialParent", ""}};
}

const AboutLabel &label(const QString &name)
{
    for (const AboutLabel &l : kLabels) {
        if (name == QLatin1String(l.name))
            return l;
    }
    throw NilObjectException(QStringLiteral("The About window has no label %1").arg(name));
}

} // namespace

const QByteArray &window2Block()
{
    static const QByteArray block = encodeBlock(dialogWindowRecords(300, 200, "About ZentOra"));
    return block;
}

const QByteArray &window2ControlBlock(const QString &name)
{
    static const QByteArray button = encodeBlock(okButtonRecords(211, 149, 69, 31, 2));
    static const QByteArray labels[] = {encodeBlock(labelRecords(kLabels[0])), encodeBlock(labelRecords(kLabels[1])),
                                        encodeBlock(labelRecords(kLabels[2]))};
    if (name == QLatin1String("PushButton1"))
        return button;
    return labels[&label(name) - kLabels];
}

void Window2::registerClass()
{
    if (RuntimeIsRegistered(QString::fromLatin1(ClassName)))
        return;
    ClassInfo info;
    info.name = QString::fromLatin1(ClassName);
    info.baseName = QStringLiteral("Window");
    info.create = [] { return static_cast<Object *>(new Window2); };
    info.members = {
        publicOperation(QStringLiteral("Layout"), QStringLiteral("%%")),
        publicOperation(QStringLiteral("CreateControls"), QStringLiteral("%%")),
        publicOperation(QStringLiteral("_CreateControls0"), QStringLiteral("%%"), {}, QStringLiteral("Hidden")),
        publicOperation(QStringLiteral("Label1"), QStringLiteral("%o<Label>%")),
        publicOperation(QStringLiteral("Label2"), QStringLiteral("%o<Label>%")),
        publicOperation(QStringLiteral("PushButton1"), QStringLiteral("%o<PushButton>%")),
        publicOperation(QStringLiteral("Label3"), QStringLiteral("%o<Label>%")),
        publicOperation(QStringLiteral("PushButton1_Action"), QStringLiteral("%%o<PushButton>"),
                        MakeInvoker(&Window2::PushButton1_Action)),
        publicOperation(QStringLiteral("Label3_MouseDown"), QStringLiteral("%b%o<Label>i4i4"),
                        MakeInvoker(&Window2::Label3_MouseDown)),
    };
    RuntimeRegisterClass(std::move(info));
}

const ClassInfo *Window2::Lookup()
{
    registerClass();
    return RuntimeLookupClass(QString::fromLatin1(ClassName));
}

Window2 *Window2::Window2_()
{
    return implicitInstance<Window2>();
}

void Window2::Layout()
{
    SetProperties(this, window2Block());
}

void Window2::CreateControls()
{
    CreateControls0();
}

void Window2::CreateControls0()
{
    const ClassInfo *self = Lookup();
    const QString rect = QStringLiteral("RectControl");
    const auto labelPlan = [&](const char *name, std::vector<HandlerPlan> handlers) {
        const QString n = QString::fromLatin1(name);
        return ControlPlan{QStringLiteral("Label"), n, rect, label(n).textSize, true, window2ControlBlock(n),
                           std::move(handlers)};
    };
    buildControl(this, self, labelPlan("Label1", {}));
    buildControl(this, self, labelPlan("Label2", {}));
    buildControl(this, self,
                 ControlPlan{QStringLiteral("PushButton"), QStringLiteral("PushButton1"), rect, 0, true,
                             window2ControlBlock(QStringLiteral("PushButton1")),
                             {{QStringLiteral("PushButton1_Action"), EventNumber::Action,
                               QStringLiteral("( PushButton )")}}});
    buildControl(this, self,
                 labelPlan("Label3", {{QStringLiteral("Label3_MouseDown"), EventNumber::MouseDown,
                                       QStringLiteral("( Label, Int32, Int32 ) as Boolean")}}));
}

Label *Window2::Label1()
{
    return RuntimeCheckCast<Label>(ControlByName(QStringLiteral("Label1")));
}

Label *Window2::Label2()
{
    return RuntimeCheckCast<Label>(ControlByName(QStringLiteral("Label2")));
}

PushButton *Window2::PushButton1()
{
    return RuntimeCheckCast<PushButton>(ControlByName(QStringLiteral("PushButton1")));
}

Label *Window2::Label3()
{
    return RuntimeCheckCast<Label>(ControlByName(QStringLiteral("Label3")));
}

void Window2::PushButton1_Action(PushButton *me)
{
    if (!me || !me->window())
        throw NilObjectException(QStringLiteral("The OK button has no window"));
    me->window()->Close();
}

bool Window2::Label3_MouseDown(Label *, int, int)
{
    ShowURL(QString::fromLatin1(kWebAddress));
    Window2_()->Close();
    return false;
}
