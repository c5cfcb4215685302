#include "window1.h"

#include "menubar1.h"
#include "property_block.h"
#include "window1_layout.h"
#include "window_support.h"

#include <QSet>

namespace {

template <int N> void registerTimerClass()
{
    ClassInfo info;
    info.name = QStringLiteral("Window1.Timer%1").arg(N);
    info.baseName = QStringLiteral("Timer");
    info.create = [] { return static_cast<Object *>(new Window1Timer<N>); };
    info.members = {
        {QStringLiteral("Index"), QStringLiteral("i4"), QStringLiteral("Public"), {}, {}, true},
        {QStringLiteral("ownerWindow"), QStringLiteral("o<Window>"), QStringLiteral("Private"), {}, {}, true},
        {QStringLiteral("_SetWindow"), QStringLiteral("%%o<Window>"), QStringLiteral("Public"), QStringLiteral("Hidden"), {}},
        {QStringLiteral("Window"), QStringLiteral("%o<Window>%"), QStringLiteral("Public"), {}, {}},
        {QStringLiteral("_Index"), QStringLiteral("%i4%"), QStringLiteral("Public"), QStringLiteral("Hidden"), {}},
        {QStringLiteral("_SetIndex"), QStringLiteral("%%i4"), QStringLiteral("Public"), QStringLiteral("Hidden"), {}},
        {QStringLiteral("Constructor"), QStringLiteral("%%"), QStringLiteral("Public"), {}, {}},
    };
    RuntimeRegisterClass(std::move(info));
}

MemberInfo operation(const QString &name, const QString &signature, Invoker invoker = {},
                     const QString &attributes = {})
{
    return publicOperation(name, signature, std::move(invoker), attributes);
}

// The delegate signature text of a handler's control class.
QString handlerSignature(const QString &controlClass)
{
    if (controlClass == QLatin1String("Label"))
        return QStringLiteral("( Label, Int32, Int32 ) as Boolean");
    return QStringLiteral("( %1 )").arg(controlClass);
}

int eventNumber(const QString &event)
{
    if (event == QLatin1String("Open"))
        return EventNumber::Open;
    if (event == QLatin1String("MouseDown"))
        return EventNumber::MouseDown;
    return EventNumber::Action; // Change and Action share 15
}

} // namespace

void Window1::registerClass()
{
    if (RuntimeIsRegistered(QString::fromLatin1(ClassName)))
        return;
    ClassInfo info;
    info.name = QString::fromLatin1(ClassName);
    info.baseName = QStringLiteral("Window");
    info.create = [] { return static_cast<Object *>(new Window1); };
    auto &m = info.members;
    m.push_back(operation(QStringLiteral("Layout"), QStringLiteral("%%")));
    m.push_back(operation(QStringLiteral("CreateControls"), QStringLiteral("%%")));
    for (int i = 0; i < 3; ++i)
        m.push_back(operation(QStringLiteral("_CreateControls%1").arg(i), QStringLiteral("%%"), {},
                              QStringLiteral("Hidden")));
#define WINDOW1_ACCESSOR_MEMBER(Class, Name)                                                                     \
    m.push_back(operation(QStringLiteral(#Name), QStringLiteral("%o<" #Class ">%")));
    WINDOW1_CONTROLS(WINDOW1_ACCESSOR_MEMBER)
#undef WINDOW1_ACCESSOR_MEMBER
#define WINDOW1_HANDLER_MEMBER(Name, Class)                                                                      \
    m.push_back(operation(QStringLiteral(#Name), QStringLiteral("%%o<" #Class ">"), MakeInvoker(&Window1::Name)));
#define WINDOW1_MOUSE_MEMBER(Name, Class)                                                                        \
    m.push_back(operation(QStringLiteral(#Name), QStringLiteral("%b%o<" #Class ">i4i4"), MakeInvoker(&Window1::Name)));
    WINDOW1_HANDLERS(WINDOW1_HANDLER_MEMBER, WINDOW1_MOUSE_MEMBER)
#undef WINDOW1_HANDLER_MEMBER
#undef WINDOW1_MOUSE_MEMBER
#define WINDOW1_MENU_MEMBER(Class, Name) m.push_back(operation(QStringLiteral(#Name), QStringLiteral("%o<" #Class ">%")));
    WINDOW1_MENU_ITEMS(WINDOW1_MENU_MEMBER)
#undef WINDOW1_MENU_MEMBER
    m.push_back(operation(QStringLiteral("AddMenuHandlers"), QStringLiteral("%%o<Window>")));
    m.push_back(operation(QStringLiteral("Event_EnableMenuItems"), QStringLiteral("%%")));
    m.push_back(operation(QStringLiteral("_FileAboutZentora2010_Action"), QStringLiteral("%b%"),
                          MakeInvoker(&Window1::FileAboutZentora2010_Action)));
    m.push_back(operation(QStringLiteral("_Instructionsinstructions_Action"), QStringLiteral("%b%"),
                          MakeInvoker(&Window1::Instructionsinstructions_Action)));
    for (const char *property : {"team"})
        m.push_back({QString::fromLatin1(property), QStringLiteral("A1s"), QStringLiteral("Public"), {}, {}, true});
    for (const char *property : {"one", "two", "three", "four", "five", "six", "seven", "eight", "listit"})
        m.push_back({QString::fromLatin1(property), QStringLiteral("i4"), QStringLiteral("Public"), {}, {}, true});
    RuntimeRegisterClass(std::move(info));

    registerTimerClass<1>();
    registerTimerClass<2>();
    registerTimerClass<3>();
}

const ClassInfo *Window1::Lookup()
{
    registerClass();
    return RuntimeLookupClass(QString::fromLatin1(ClassName));
}

Window1 *Window1::Window1_()
{
    return implicitInstance<Window1>();
}

void Window1::Layout()
{
    setMenuBar(MenuBar1::MenuBar1_());
    SetProperties(this, window1Block());
}

void Window1::CreateControls()
{
    CreateControls0();
    CreateControls1();
    CreateControls2();
}

void Window1::CreateControls0()
{
    createControlRange(0, 30);
}

void Window1::CreateControls1()
{
    createControlRange(30, 60);
}

void Window1::CreateControls2()
{
    createControlRange(60, kWindow1ControlCount);
}

void Window1::createControlRange(int first, int last)
{
    const ClassInfo *self = Lookup();
    for (int i = first; i < last; ++i) {
        const ControlRow &row = window1Layout()[size_t(i)];
        const bool timer = isTimerRow(row);
        const QString controlClass = timer ? QStringLiteral("Timer") : QString::fromLatin1(row.cls);
        ControlPlan plan{QString::fromLatin1(row.cls),
                         QString::fromLatin1(row.name),
                         timer ? QStringLiteral("Timer") : QStringLiteral("RectControl"),
                         row.textSize,
                         !timer && QByteArray(row.cls) != "RoundRectangle",
                         window1ControlBlock(i),
                         {}};
        for (const QString &event : QString::fromLatin1(row.events).split(QLatin1Char(' '), Qt::SkipEmptyParts)) {
            plan.handlers.push_back({plan.name + QLatin1Char('_') + event,
                                     timer ? EventNumber::TimerAction : eventNumber(event),
                                     handlerSignature(controlClass)});
        }
        buildControl(this, self, plan);
    }
}

#define WINDOW1_ACCESSOR_DEF(Class, Name)                                                                        \
    Class *Window1::Name() { return control<Class>(this, #Name); }
WINDOW1_CONTROLS(WINDOW1_ACCESSOR_DEF)
#undef WINDOW1_ACCESSOR_DEF
