#pragma once

#include "exceptions.h"

#include <QByteArray>
#include <QObject>
#include <QPointer>
#include <QString>

#include <functional>
#include <memory>
#include <vector>

class Object;

// A design-time value as a property block carries it.
struct Color
{
    quint8 red = 0;
    quint8 green = 0;
    quint8 blue = 0;
    friend bool operator==(Color a, Color b)
    {
        return a.red == b.red && a.green == b.green && a.blue == b.blue;
    }
};

inline Color RGB(int r, int g, int b)
{
    return Color{quint8(r), quint8(g), quint8(b)};
}

enum class PropertyType { Integer, Boolean, String, Color };

struct PropertyValue
{
    PropertyType type = PropertyType::Integer;
    qint32 integer = 0;
    bool boolean = false;
    QString string;
    Color color;
};

// What a handler receives besides its target: the control that raised the
// event and, for MouseDown, the click position.
struct EventArgs
{
    Object *sender = nullptr;
    int x = 0;
    int y = 0;
};

// Calls one operation of a class on a target object. Returns the handler's
// Boolean result (False for handlers without one).
using Invoker = std::function<bool(Object *target, const EventArgs &args)>;

// One entry of a class's member table.
struct MemberInfo
{
    QString name;
    QString signature; // the runtime's type-code notation, e.g. "%%o<PopupMenu>"
    QString scope = QStringLiteral("Public");
    QString attributes; // "Hidden" or empty
    Invoker invoker;    // set for operations that can be bound to an event
    bool isProperty = false;
};

// A registered class: its name, its base, how to make an object of it and its
// member table.
struct ClassInfo
{
    QString name;
    QString baseName;
    std::function<Object *()> create;
    std::vector<MemberInfo> members;

    // Returns nullptr for a name the class does not declare.
    const MemberInfo *member(const QString &memberName) const;
};

// Base of every framework object: controls, windows, menu items, the
// application. Subclasses name their class for the runtime and accept the
// design-time properties their class declares.
class Object : public QObject
{
public:
    Object() = default;
    ~Object() override;

    virtual QString className() const = 0;

    // Sets a design-time property as a property block gives it; returns false
    // (and changes nothing) if the class declares no property of that name.
    bool setDesignProperty(const QByteArray &name, const PropertyValue &value);
    virtual bool declaresProperty(const QByteArray &name) const;

    // The value a property block last gave this object, or nullptr.
    const PropertyValue *designValue(const QByteArray &name) const;

    // Name used in error reports about this object.
    virtual QString debugName() const { return className(); }

protected:
    // Gives a declared property its effect; the value is already stored.
    virtual void applyDesignProperty(const QByteArray &name, const PropertyValue &value);

private:
    std::vector<std::pair<QByteArray, PropertyValue>> m_design;
};

// A bound handler. A weak delegate holds its target weakly and raises
// NilObjectException instead of running once the target is gone.
class Delegate
{
public:
    Delegate(Object *target, Invoker invoker, QString signature, bool weak);

    bool invoke(const EventArgs &args) const;
    const QString &signature() const { return m_signature; }
    bool isWeak() const { return m_weak; }

private:
    QPointer<Object> m_target;
    Object *m_strong = nullptr;
    Invoker m_invoker;
    QString m_signature;
    bool m_weak;
};

using DelegatePtr = std::shared_ptr<const Delegate>;

// ---- the object runtime ----------------------------------------------------

// Starts the object runtime: registers the framework's classes, makes a
// crossed file-size limit fail the write instead of ending the process, and
// holds the application's folder open for the rest of the run.
void RuntimeInit();
// Registers a class; registering the same name again changes nothing.
void RuntimeRegisterClass(ClassInfo info);
// Returns nullptr for a class name not registered.
const ClassInfo *RuntimeLookupClass(const QString &name);
bool RuntimeIsRegistered(const QString &name);
Object *RuntimeNewObject(const ClassInfo *cls);

// Makes a delegate for the operation `memberName` of `target`'s class table
// (held weakly when weak is 1). Raises NilObjectException for an unknown member.
DelegatePtr RuntimeCreateDelegate(Object *target, const ClassInfo *cls, const QString &memberName,
                                  const QString &signature, int weak);
// A delegate with no target, for a plain routine such as the start routine.
DelegatePtr RuntimeCreateDelegate(std::function<void()> routine, const QString &signature);

// Attaches a delegate to a control's event by the event's number.
class Control;
void RuntimeAddEventHandler(Control *control, int eventNumber, DelegatePtr delegate);

// Passes nil, an object of class T and of its subclasses; anything else
// raises IllegalCastException.
template <class T> T *RuntimeCheckCast(Object *object)
{
    if (!object)
        return nullptr;
    if (T *cast = dynamic_cast<T *>(object))
        return cast;
    throw IllegalCastException(QStringLiteral("%1 is not of the requested class").arg(object->className()));
}

// Invokers made from member functions, for the member tables.
template <class W, class C> Invoker MakeInvoker(void (W::*method)(C *))
{
    return [method](Object *target, const EventArgs &args) {
        (RuntimeCheckCast<W>(target)->*method)(RuntimeCheckCast<C>(args.sender));
        return false;
    };
}
template <class W, class C> Invoker MakeInvoker(bool (W::*method)(C *, int, int))
{
    return [method](Object *target, const EventArgs &args) {
        return (RuntimeCheckCast<W>(target)->*method)(RuntimeCheckCast<C>(args.sender), args.x, args.y);
    };
}
template <class W> Invoker MakeInvoker(bool (W::*method)())
{
    return [method](Object *target, const EventArgs &) { return (RuntimeCheckCast<W>(target)->*method)(); };
}

// ---- events from the platform ------------------------------------------------

// Runs an event that Qt delivered (a click, a pick, a timer, a menu command).
// Nothing is thrown through Qt's loop: an exception leaving the handler is
// kept, the event loop is told to exit, and RuntimeRun hands it on after the
// loop has returned. Timer firings that fall due while a handler runs wait for
// it (see Dispatcher::defer).
void RuntimeDeliverEvent(const std::function<void()> &handler);

namespace Dispatcher {
// Depth of running handlers; 0 between events.
int depth();
// Runs `event` now if no handler is running, else right after the outermost
// handler returns.
void defer(QPointer<QObject> owner, std::function<void()> event);
// The exception that ended the event loop, if any (and forgets it).
std::exception_ptr takePendingException();
bool hasPendingException();
}

// Reports an exception that no handler caught: its class and message on
// standard error and in a message box.
void UnhandledException(const RuntimeException &e);
void UnhandledException(const std::exception &e);

// Marks a handler as running for as long as it lives, so that timer firings
// wait for it; deferred firings run when the outermost one ends.
class HandlerScope
{
public:
    HandlerScope();
    ~HandlerScope();
    HandlerScope(const HandlerScope &) = delete;
    HandlerScope &operator=(const HandlerScope &) = delete;
};
