#pragma once

#include "window.h"

#include <QByteArray>
#include <QString>

#include <vector>

// A handler to attach to a new control: the window's operation, the event's
// number and the delegate's signature text.
struct HandlerPlan
{
    QString member;
    int eventNumber;
    QString signature;
};

// One control as its window's creation routine builds it.
struct ControlPlan
{
    QString cls;      // class to make it from
    QString name;     // name it is registered under
    QString castTo;   // "RectControl" for a visible control, "Timer" for a timer
    double textSize;  // 0: none set
    bool textUnit;    // whether the control shows text (its text unit is set)
    QByteArray block; // its property block
    std::vector<HandlerPlan> handlers;
};

// Builds one control in its steps: a new object of its class, registered
// under its name, then — each time fetched again by name — its font size,
// text unit, property block and handlers (held weakly).
void buildControl(Window *window, const ClassInfo *windowClass, const ControlPlan &plan);

// The open window of class W, or a newly built one.
template <class W> W *implicitInstance()
{
    if (Window *open = GetImplicitWindow(QString::fromLatin1(W::ClassName)))
        return RuntimeCheckCast<W>(open);
    auto *window = RuntimeCheckCast<W>(RuntimeNewObject(W::Lookup()));
    if (!window)
        throw NilObjectException(QStringLiteral("Could not make %1").arg(QLatin1String(W::ClassName)));
    try {
        window->Constructor();
    } catch (...) {
        delete window;
        throw;
    }
    return window;
}

MemberInfo publicOperation(const QString &name, const QString &signature, Invoker invoker = {},
                           const QString &attributes = {});
