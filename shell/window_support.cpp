#include "window_support.h"

#include "property_block.h"

void buildControl(Window *window, const ClassInfo *windowClass, const ControlPlan &plan)
{
    const ClassInfo *cls = RuntimeLookupClass(plan.cls);
    if (!cls)
        throw NilObjectException(QStringLiteral("No class %1 for %2").arg(plan.cls, plan.name));
    // The default constructors of the control classes do nothing beyond
    // what the C++ constructor already did.
    window->AddControl(plan.name, window->New(cls));

    const auto fetch = [window, &plan]() -> Control * {
        Control *found = window->ControlByName(plan.name);
        if (plan.castTo == QLatin1String("Timer"))
            return RuntimeCheckCast<Timer>(found);
        return RuntimeCheckCast<RectControl>(found);
    };
    if (plan.textSize > 0)
        RuntimeCheckCast<RectControl>(fetch())->setTextSize(plan.textSize);
    if (plan.textUnit)
        RuntimeCheckCast<RectControl>(fetch())->setTextUnit(0);
    SetProperties(fetch(), plan.block);
    for (const HandlerPlan &handler : plan.handlers) {
        DelegatePtr delegate = RuntimeCreateDelegate(window, windowClass, handler.member, handler.signature, 1);
        RuntimeAddEventHandler(fetch(), handler.eventNumber, delegate);
    }
}

MemberInfo publicOperation(const QString &name, const QString &signature, Invoker invoker, const QString &attributes)
{
    return MemberInfo{name, signature, QStringLiteral("Public"), attributes, std::move(invoker), false};
}
