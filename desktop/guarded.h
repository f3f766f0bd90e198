#pragma once

#include <QObject>
#include <functional>
#include <type_traits>
#include <utility>

#include "desktop/error_report.h"

namespace desktop {

namespace detail {

/// The parameter types of a handler: a member function of the receiver, or a callable with one call operator.
template <typename... Args> struct Parameters
{
};
template <typename Handler> struct ParametersOf : ParametersOf<decltype(&Handler::operator())>
{
};
template <typename R, typename C, typename... Args> struct ParametersOf<R (C::*)(Args...)>
{
    using type = Parameters<Args...>;
};
template <typename R, typename C, typename... Args> struct ParametersOf<R (C::*)(Args...) const>
{
    using type = Parameters<Args...>;
};

/// A slot that takes exactly the handler's parameters and runs the handler under runGuarded. Since its parameters
/// are fixed, Qt's connect passes it the leading arguments of a signal that carries more (QAction::triggered's flag
/// to a handler without arguments).
template <typename Call, typename... Args> auto guardedSlot(Call call, Parameters<Args...>)
{
    return [call = std::move(call)](Args... args) -> void { runGuarded([&] { call(args...); }); };
}

} // namespace detail

/// A callable that runs handler under runGuarded: for an entry from Qt that no connection guards (a timer).
template <typename Handler> auto guarded(Handler handler)
{
    return detail::guardedSlot(std::move(handler), typename detail::ParametersOf<Handler>::type{});
}

/// Binds a signal to a handler of receiver through the error guard, in one line: handler is a member function of
/// receiver (`&TForm1::N1Click`) or any callable with one call operator, taking the signal's leading arguments. The
/// connection ends with receiver; it is direct, so the handlers of one signal run at once, in the order they were
/// bound.
template <typename Sender, typename Signal, typename Receiver, typename Handler>
QMetaObject::Connection connectGuarded(Sender* sender, Signal signal, Receiver* receiver, Handler handler)
{
    using Params = typename detail::ParametersOf<Handler>::type;
    if constexpr (std::is_member_function_pointer_v<Handler>) {
        auto call = [receiver, handler](auto&&... args) {
            (receiver->*handler)(std::forward<decltype(args)>(args)...);
        };
        return QObject::connect(sender, signal, receiver, detail::guardedSlot(std::move(call), Params{}));
    } else {
        return QObject::connect(sender, signal, receiver, guarded(std::move(handler)));
    }
}

} // namespace desktop
