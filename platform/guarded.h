#pragma once

#include <QObject>
#include <functional>
#include <type_traits>
#include <utility>

#include "platform/error_report.h"

namespace platform {

/// A callable that runs handler under runGuarded: for an entry from Qt that no control guards already (a signal, a
/// timer). It passes on the arguments it is called with when handler takes them, and calls handler without any
/// otherwise (QAction::triggered's flag).
template <typename Handler> auto guarded(Handler handler)
{
    return [handler = std::move(handler)](auto&&... args) -> void {
        runGuarded([&] {
            if constexpr (std::is_invocable_v<const Handler&, decltype(args)...>)
                std::invoke(handler, std::forward<decltype(args)>(args)...);
            else
                std::invoke(handler);
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

} // namespace platform
