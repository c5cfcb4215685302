#include "runtime.h"

#include "controls.h"
#include "window.h"
#include "platform.h"

#include <QCoreApplication>
#include <QHash>

#include <cstdio>
#include <deque>

#include <signal.h>

const MemberInfo *ClassInfo::member(const QString &memberName) const
{
    for (const MemberInfo &m : members) {
        if (m.name == memberName)
            return &m;
    }
    return nullptr;
}

Object::~Object() = default;

bool Object::declaresProperty(const QByteArray &) const
{
    return false;
}

void Object::applyDesignProperty(const QByteArray &, const PropertyValue &)
{
}

bool Object::setDesignProperty(const QByteArray &name, const PropertyValue &value)
{
    if (!declaresProperty(name))
        return false;
    for (auto &entry : m_design) {
        if (entry.first == name) {
            entry.second = value;
            applyDesignProperty(name, value);
            return true;
        }
    }
    m_design.emplace_back(name, value);
    applyDesignProperty(name, value);
    return true;
}

const PropertyValue *Object::designValue(const QByteArray &name) const
{
    for (const auto &entry : m_design) {
        if (entry.first == name)
            return &entry.second;
    }
    return nullptr;
}


Delegate::Delegate(Object *target, Invoker invoker, QString signature, bool weak)
    : m_target(target), m_strong(weak ? nullptr : target), m_invoker(std::move(invoker)),
      m_signature(std::move(signature)), m_weak(weak)
{
}

bool Delegate::invoke(const EventArgs &args) const
{
    Object *target = m_weak ? m_target.data() : m_strong;
    if (m_weak) {
        // A closed window counts as gone: nothing may run in it any more.
        const auto *window = dynamic_cast<const Window *>(target);
        if (!target || (window && window->isClosed()))
            throw NilObjectException(QStringLiteral("The handler's window no longer exists"));
    }
    return m_invoker(target, args);
}

// ---- class registry -----------------------------------------------------------

namespace {
QHash<QString, ClassInfo> &registry()
{
    static QHash<QString, ClassInfo> classes;
    return classes;
}
}

namespace {
void ignoreSignal(int)
{
}
}

void RuntimeInit()
{
    // A write past a file-size limit set by the shell fails with "File too
    // large" instead of ending the process. A handler, unlike ignoring the
    // signal, is not handed on to programs the application starts.
    struct sigaction current;
    if (::sigaction(SIGXFSZ, nullptr, &current) == 0 && current.sa_handler == SIG_DFL) {
        struct sigaction action = {};
        action.sa_handler = ignoreSignal;
        sigemptyset(&action.sa_mask);
        action.sa_flags = SA_RESTART;
        ::sigaction(SIGXFSZ, &action, nullptr);
    }
    HoldApplicationFolder();
    registerFrameworkClasses();
}

void RuntimeRegisterClass(ClassInfo info)
{
    auto &classes = registry();
    if (classes.contains(info.name))
        return;
    const QString name = info.name;
    classes.insert(name, std::move(info));
}

const ClassInfo *RuntimeLookupClass(const QString &name)
{
    auto &classes = registry();
    auto it = classes.constFind(name);
    return it == classes.constEnd() ? nullptr : &it.value();
}

bool RuntimeIsRegistered(const QString &name)
{
    return registry().contains(name);
}

Object *RuntimeNewObject(const ClassInfo *cls)
{
    if (!cls || !cls->create)
        throw NilObjectException(QStringLiteral("No class to make an object of"));
    Object *object = cls->create();
    if (!object)
        throw NilObjectException(QStringLiteral("Could not make an object of %1").arg(cls->name));
    return object;
}

DelegatePtr RuntimeCreateDelegate(Object *target, const ClassInfo *cls, const QString &memberName,
                                  const QString &signature, int weak)
{
    if (!target || !cls)
        throw NilObjectException(QStringLiteral("Delegate for %1 without a target").arg(memberName));
    const MemberInfo *m = cls->member(memberName);
    if (!m || !m->invoker)
        throw NilObjectException(QStringLiteral("%1 has no operation %2").arg(cls->name, memberName));
    return std::make_shared<const Delegate>(target, m->invoker, signature, weak != 0);
}

DelegatePtr RuntimeCreateDelegate(std::function<void()> routine, const QString &signature)
{
    return std::make_shared<const Delegate>(nullptr,
                                            [routine](Object *, const EventArgs &) {
                                                routine();
                                                return false;
                                            },
                                            signature, false);
}

void RuntimeAddEventHandler(Control *control, int eventNumber, DelegatePtr delegate)
{
    if (!control)
        throw NilObjectException(QStringLiteral("No control to attach a handler to"));
    control->addEventHandler(eventNumber, std::move(delegate));
}

// ---- event delivery -------------------------------------------------------------

namespace {
int g_depth = 0;
std::exception_ptr g_pending;
struct DeferredEvent
{
    QPointer<QObject> owner;
    std::function<void()> run;
};
std::deque<DeferredEvent> g_deferred;

void flushDeferred()
{
    // Each deferred event is an event of its own, delivered between handlers.
    while (g_depth == 0 && !g_deferred.empty() && !g_pending) {
        DeferredEvent next = std::move(g_deferred.front());
        g_deferred.pop_front();
        if (next.owner)
            RuntimeDeliverEvent(next.run);
    }
}
}

HandlerScope::HandlerScope()
{
    ++g_depth;
}

HandlerScope::~HandlerScope()
{
    --g_depth;
    if (g_depth == 0 && std::uncaught_exceptions() == 0)
        flushDeferred();
}

void RuntimeDeliverEvent(const std::function<void()> &handler)
{
    if (g_pending)
        return; // the loop is on its way out; nothing more runs
    try {
        HandlerScope scope;
        handler();
    } catch (...) {
        g_pending = std::current_exception();
        g_deferred.clear();
        if (QCoreApplication::instance())
            QCoreApplication::exit(1);
    }
}

namespace Dispatcher {
int depth()
{
    return g_depth;
}

void defer(QPointer<QObject> owner, std::function<void()> event)
{
    if (g_depth == 0) {
        if (owner)
            RuntimeDeliverEvent(event);
        return;
    }
    g_deferred.push_back({std::move(owner), std::move(event)});
}

std::exception_ptr takePendingException()
{
    std::exception_ptr e = g_pending;
    g_pending = nullptr;
    return e;
}

bool hasPendingException()
{
    return bool(g_pending);
}
}

void UnhandledException(const RuntimeException &e)
{
    const QString report = QStringLiteral("Unhandled %1: %2").arg(QString::fromLatin1(e.className()), e.message());
    std::fprintf(stderr, "%s\n", report.toLocal8Bit().constData());
    Platform::instance().showMessage(report);
}

void UnhandledException(const std::exception &e)
{
    const QString report = QStringLiteral("Unhandled exception: %1").arg(QString::fromLocal8Bit(e.what()));
    std::fprintf(stderr, "%s\n", report.toLocal8Bit().constData());
    Platform::instance().showMessage(report);
}
