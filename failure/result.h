#pragma once

#include <cassert>
#include <type_traits>
#include <utility>
#include <variant>

#include "failure/failure.h"

namespace failure {

/// A value or the Failure that kept it from being made: the result of every function that can fail for an outside
/// reason, after SerenityOS's ErrorOr. std::expected<T, Failure> would do, but GCC 12 in C++20 mode and clang 14 (the
/// fuzz build) have no usable <expected>; the names follow it, so that the change is a rename. A Failure converts to
/// a Result, so a function returns either its value or `failure` as it is.
template <typename T> class [[nodiscard]] Result
{
public:
    Result(T value) : m_state(std::in_place_index<0>, std::move(value)) {}
    Result(Failure failure) : m_state(std::in_place_index<1>, std::move(failure)) {}

    bool has_value() const { return m_state.index() == 0; }
    explicit operator bool() const { return has_value(); }

    T& value() &
    {
        assert(has_value());
        return std::get<0>(m_state);
    }
    const T& value() const&
    {
        assert(has_value());
        return std::get<0>(m_state);
    }
    T&& value() &&
    {
        assert(has_value());
        return std::get<0>(std::move(m_state));
    }
    T& operator*() & { return value(); }
    const T& operator*() const& { return value(); }
    T&& operator*() && { return std::move(*this).value(); }
    T* operator->() { return &value(); }
    const T* operator->() const { return &value(); }

    const Failure& error() const&
    {
        assert(!has_value());
        return std::get<1>(m_state);
    }
    Failure&& error() &&
    {
        assert(!has_value());
        return std::get<1>(std::move(m_state));
    }

private:
    std::variant<T, Failure> m_state;
};

/// Success without a value, or a Failure.
template <> class [[nodiscard]] Result<void>
{
public:
    Result() = default;
    Result(Failure failure) : m_failure(std::move(failure)), m_failed(true) {}

    bool has_value() const { return !m_failed; }
    explicit operator bool() const { return has_value(); }

    const Failure& error() const&
    {
        assert(m_failed);
        return m_failure;
    }
    Failure&& error() &&
    {
        assert(m_failed);
        return std::move(m_failure);
    }

private:
    Failure m_failure{What::NoMemory, {}, {}, {}};
    bool m_failed = false;
};

} // namespace failure

/// Evaluates expression (a Result); on failure returns its Failure from the enclosing function (which returns a
/// Result), else gives its value (nothing for Result<void>). SerenityOS's TRY; a GNU statement expression, which GCC
/// and clang both have (__extension__ keeps -Wpedantic quiet).
#define TRY(expression)                                                                                                \
    __extension__({                                                                                                    \
        auto _tried = (expression);                                                                                    \
        if (!_tried.has_value())                                                                                       \
            return std::move(_tried).error();                                                                          \
        ::failure::detail::valueOf(std::move(_tried));                                                                 \
    })

namespace failure::detail {
template <typename T> T valueOf(Result<T>&& result)
{
    return std::move(result).value();
}
inline void valueOf(Result<void>&&) {}
} // namespace failure::detail
