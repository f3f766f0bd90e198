#pragma once

// Checks of a built window: every row of its control table tied to one member holding its control, and controls in
// the places written down from the design.
#include <QWidget>
#include <gtest/gtest.h>
#include <map>
#include <span>
#include <string>
#include <vector>

#include "controls/control_builder.h"
#include "window_layout/control_row.h"

namespace testsupport {

/// Every row of the table is tied to exactly one member (or array element) of its window, of the type the builder
/// makes for the row, and every tie names a row.
template <typename Window>
void expectTiedOnce(const std::vector<window_layout::ControlRow>& table,
                    std::span<const controls::ControlTie<Window>> ties)
{
    std::map<std::string, int> tied;
    std::map<std::string, window_layout::Kind> kinds;
    for (const controls::ControlTie<Window>& tie : ties) {
        const int last = tie.numbered() ? tie.last : tie.first;
        for (int element = tie.first; element <= last; ++element) {
            ++tied[tie.rowName(element)];
            kinds[tie.rowName(element)] = tie.kind;
        }
    }
    for (const window_layout::ControlRow& row : table) {
        EXPECT_EQ(tied[row.name], 1) << row.name << " is tied once";
        if (row.kind != window_layout::Kind::Other && tied[row.name]) {
            EXPECT_EQ(kinds[row.name], row.kind) << row.name << "'s member is of its kind";
        }
        tied.erase(row.name);
    }
    for (const auto& [name, count] : tied)
        ADD_FAILURE() << name << " is tied but has no row";
}

/// Each tied member of a built window holds the control of its row.
template <typename Window>
void expectTiesHoldTheirControls(std::span<const controls::ControlTie<Window>> ties, const Window& window)
{
    for (const controls::ControlTie<Window>& tie : ties) {
        const int last = tie.numbered() ? tie.last : tie.first;
        for (int element = tie.first; element <= last; ++element) {
            const QWidget* member = tie.held(window, element);
            ASSERT_NE(member, nullptr) << tie.rowName(element) << ": no control of the member's type";
            EXPECT_EQ(member->objectName().toStdString(), tie.rowName(element));
        }
    }
}

/// A control's place written down from the window's design, independently of its control table.
struct DesignPlace
{
    const char* name;
    const char* parent; ///< the design name of the control it lies in; "" for the window itself
    QRect place;        ///< in the control it lies in; an empty size: a label that takes its text's size
};

/// Finds each control by its design name (its object name) and checks its place.
inline void expectDesignPlaces(const QWidget& window, const std::vector<DesignPlace>& places)
{
    for (const DesignPlace& d : places) {
        SCOPED_TRACE(d.name);
        const auto* control = window.findChild<QWidget*>(QString::fromLatin1(d.name));
        ASSERT_NE(control, nullptr);
        const QWidget* parent = *d.parent ? window.findChild<QWidget*>(QString::fromLatin1(d.parent)) : &window;
        ASSERT_NE(parent, nullptr);
        // A scrolling view holds its content in widgets of its own.
        EXPECT_TRUE(control->parentWidget() == parent || parent->isAncestorOf(control));
        if (d.place.size().isEmpty()) {
            EXPECT_EQ(control->pos(), d.place.topLeft());
        } else {
            EXPECT_EQ(control->geometry(), d.place);
        }
    }
}

} // namespace testsupport
