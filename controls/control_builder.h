#pragma once

#include <QHash>
#include <QImage>
#include <QString>
#include <functional>
#include <span>
#include <string>
#include <string_view>
#include <tuple>
#include <type_traits>

#include "window_layout/control_row.h"

class QWidget;

namespace controls {

class Panel;
class PictureControl;
class TextLabel;

/// Ties controls of a window's table to the window's member that holds them: the row named name, or, for an array
/// member, the numbered rows name+first .. name+last to the elements first .. last. A window lists its ties once;
/// a test checks that every row of the table is tied exactly once to a member of its kind.
template <typename Window> struct ControlTie
{
    std::string_view name;
    int first = 0;
    int last = -1; ///< -1: one row, named name
    /// The kind of row whose control the builder makes for the member's type; Other: a type the window makes.
    window_layout::Kind kind = window_layout::Kind::Other;
    void (*assign)(Window& window, int element, QWidget* control) = nullptr;
    QWidget* (*held)(const Window& window, int element) = nullptr; ///< what the member holds

    bool numbered() const { return last >= 0; }
    /// The name of the row tied to element (a single row's tie ignores element).
    std::string rowName(int element) const
    {
        return numbered() ? std::string(name) + std::to_string(element) : std::string(name);
    }
};

namespace detail {
template <typename> struct MemberOf;
template <typename W, typename T> struct MemberOf<T W::*>
{
    using Window = W;
    using Type = T;
};
template <auto Member> using WindowOf = typename MemberOf<decltype(Member)>::Window;
template <auto Member> using MemberType = typename MemberOf<decltype(Member)>::Type;
template <typename Control> constexpr window_layout::Kind kindOf()
{
    if constexpr (std::is_same_v<Control, PictureControl>)
        return window_layout::Kind::Picture;
    else if constexpr (std::is_same_v<Control, TextLabel>)
        return window_layout::Kind::Label;
    else if constexpr (std::is_same_v<Control, Panel>)
        return window_layout::Kind::Panel;
    return window_layout::Kind::Other;
}
} // namespace detail

/// Ties the row named name to a member holding one control.
template <auto Member> constexpr ControlTie<detail::WindowOf<Member>> tie(std::string_view name)
{
    using Window = detail::WindowOf<Member>;
    using Control = std::remove_pointer_t<detail::MemberType<Member>>;
    return {name,
            0,
            -1,
            detail::kindOf<Control>(),
            [](Window& w, int, QWidget* control) { w.*Member = qobject_cast<Control*>(control); },
            [](const Window& w, int) -> QWidget* { return w.*Member; }};
}

/// Ties the rows prefix+First .. prefix+Last to the elements First .. Last of an array member.
template <auto Member, int First, int Last>
constexpr ControlTie<detail::WindowOf<Member>> tieNumbered(std::string_view prefix)
{
    using Window = detail::WindowOf<Member>;
    using Array = detail::MemberType<Member>;
    using Control = std::remove_pointer_t<typename Array::value_type>;
    static_assert(0 <= First && First <= Last && Last < int(std::tuple_size_v<Array>), "the array holds every row");
    return {prefix,
            First,
            Last,
            detail::kindOf<Control>(),
            [](Window& w, int element, QWidget* control) { (w.*Member)[element] = qobject_cast<Control*>(control); },
            [](const Window& w, int element) -> QWidget* { return (w.*Member)[element]; }};
}

/// Builds a window's controls from its control table, in the table's order, and hands them to the window's members
/// through its ties. Pictures, labels and panels are built here; a window makes the controls of its own kinds in
/// makeOwn, which returns null for the rows it leaves to the builder. Every control gets its row's place,
/// visibility and cursor and carries its name as object name.
class ControlBuilder
{
public:
    using Maker = std::function<QWidget*(const window_layout::ControlRow& row, QWidget* parent)>;

    /// artworkFolder: the resource folder of the window's pictures, e.g. ":/artwork/catalogue".
    ControlBuilder(QWidget* window, QString artworkFolder);

    void build(const std::vector<window_layout::ControlRow>& table, const Maker& makeOwn = {});

    /// Children whose row names parent are created in container (a scrolling view's content) instead.
    void placeChildrenIn(const QString& parent, QWidget* container);

    /// Sets every tied member to its control. A member whose row is missing, or whose control is of another kind,
    /// stays null: the window's tie test finds it.
    template <typename Window> void assign(Window& window, std::span<const ControlTie<Window>> ties) const
    {
        for (const ControlTie<Window>& t : ties) {
            const int last = t.numbered() ? t.last : t.first;
            for (int element = t.first; element <= last; ++element)
                t.assign(window, element, m_controls.value(QString::fromStdString(t.rowName(element))));
        }
    }

    /// The control built for the row of the given name; null for a name the table does not hold.
    QWidget* control(const QString& name) const { return m_controls.value(name); }

private:
    QWidget* m_window;
    QString m_artworkFolder;
    QHash<QString, QWidget*> m_controls;
    QHash<QString, QWidget*> m_containers;
};

/// A window's picture from the resources; a plain picture of the given size and colour stands in when it is missing
/// and standIn is valid, a null picture otherwise.
QImage artwork(const QString& folder, const QString& name, QSize size, QColor standIn);

} // namespace controls
