#pragma once

#include <QObject>
#include <cstddef>
#include <functional>
#include <tuple>
#include <type_traits>
#include <utility>

#include "desktop/error_report.h"

namespace desktop {

namespace detail {

/// Calls handler with the first N of args, N the most it takes, as Qt does with a slot that takes fewer arguments
/// than its signal carries.
template <std::size_t N, typename Handler, typename Tuple> void invokeLeading(const Handler& handler, Tuple&& args)
{
    if constexpr (N == 0) {
        std::invoke(handler);
    } else {
        constexpr bool takesN = []<std::size_t... I>(std::index_sequence<I...>)
        {
            return std::is_invocable_v<const Handler&, std::tuple_element_t<I, std::remove_reference_t<Tuple>>...>;
        }
        (std::make_index_sequence<N>());
        if constexpr (takesN) {
            [&]<std::size_t... I>(std::index_sequence<I...>)
            {
                std::invoke(handler, std::get<I>(std::forward<Tuple>(args))...);
            }
            (std::make_index_sequence<N>());
        } else {
            invokeLeading<N - 1>(handler, std::forward<Tuple>(args));
        }
    }
}

} // namespace detail

/// A callable that runs handler under runGuarded: for an entry from Qt that no control guards already (a signal, a
/// timer). It passes on as many of the arguments it is called with as handler takes (none for QAction::triggered's
/// flag to a handler without arguments).
template <typename Handler> auto guarded(Handler handler)
{
    return [handler = std::move(handler)](auto&&... args) -> void {
        runGuarded([&] {
            detail::invokeLeading<sizeof...(args)>(handler,
                                                   std::forward_as_tuple(std::forward<decltype(args)>(args)...));
        });
    };
}

/// Binds a signal to a handler of receiver through the error guard, in one line: handler is a member function of
/// receiver (`&TForm1::N1Click`) or any callable. The connection ends with receiver.
template <typename Sender, typename Signal, typename Receiver, typename Handler>
QMetaObject::Connection connectGuarded(Sender* sender, Signal signal, Receiver* receiver, Handler handler)
{
    if constexpr (std::is_member_function_pointer_v<Handler>)
        return QObject::connect(sender, signal, receiver, guarded([receiver, handler] { (receiver->*handler)(); }));
    else
        return QObject::connect(sender, signal, receiver, guarded(std::move(handler)));
}

} // namespace desktop
