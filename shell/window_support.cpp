#include "window_support.h"

#include "property_block.h"

void buildControl(Window *window, const ClassInfo *windowClass, const ControlSpec &spec)
{
    const ClassInfo *cls = RuntimeLookupClass(spec.cls);
    if (!cls)
        throw NilObjectException(QStringLiteral("No class %1 for %2").arg(spec.cls, spec.name));
    // The default constructors of the control classes do nothing beyond
    // what the C++ constructor already did.
    window->AddControl(spec.name, window->New(cls));

    const auto fetch = [window, &spec]() -> Control * {
        Control *found = window->ControlByName(spec.name);
        if (spec.castTo == QLatin1String("Timer"))
            return RuntimeCheckCast<Timer>(found);
        return RuntimeCheckCast<RectControl>(found);
    };
    if (spec.textSize > 0)
        RuntimeCheckCast<RectControl>(fetch())->setTextSize(spec.textSize);
    if (spec.textUnit)
        RuntimeCheckCast<RectControl>(fetch())->setTextUnit(0);
    SetProperties(fetch(), spec.block);
    for (const HandlerSpec &handler : spec.handlers) {
        DelegatePtr delegate = RuntimeCreateDelegate(window, windowClass, handler.member, handler.signature, 1);
        RuntimeAddEventHandler(fetch(), handler.eventNumber, delegate);
    }
}

MemberInfo publicOperation(const QString &name, const QString &signature, Invoker invoker, const QString &attributes)
{
    return MemberInfo{name, signature, QStringLiteral("Public"), attributes, std::move(invoker), false};
}
