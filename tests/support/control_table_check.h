#pragma once

// Compares a built window with its control table: every row is a member of the window in its place, with its
// parent, size, visibility, cursor, font and colour, and siblings are stacked in the table's order.
#include <QWidget>
#include <gtest/gtest.h>
#include <map>
#include <span>
#include <string>
#include <vector>

#include "controls/control_builder.h"
#include "controls/text_label.h"
#include "window_layout/control_row.h"

namespace testsupport {

/// The window's members by design name, as the window's code reaches its controls.
using Members = std::map<std::string, QWidget*>;

/// realParents: the parent of a control that lies inside a part of the control its row names (a scrolling view's
/// content or viewport).
inline void expectBuiltAsInTable(const std::vector<window_layout::ControlRow>& table, const Members& members,
                                 QWidget* window, const Members& realParents = {})
{
    EXPECT_EQ(members.size(), table.size()) << "every control of the table is a member of the window";
    std::map<QObject*, int> lastIndex; // per parent, the stacking index of the control met last
    for (const window_layout::ControlRow& row : table) {
        SCOPED_TRACE(row.name);
        ASSERT_TRUE(members.count(row.name));
        QWidget* control = members.at(row.name);
        ASSERT_NE(control, nullptr);
        const std::string parentName = row.parent;
        QWidget* parent = realParents.count(row.name) ? realParents.at(row.name)
                          : parentName.empty()        ? window
                                                      : members.at(parentName);
        EXPECT_EQ(control->parentWidget(), parent);
        EXPECT_EQ(control->pos(), row.place.topLeft());
        if (!row.place.size().isEmpty()) {
            EXPECT_EQ(control->size(), row.place.size());
        }
        EXPECT_EQ(!control->isHidden(), row.visible);
        EXPECT_EQ(control->cursor().shape() == Qt::PointingHandCursor, row.handCursor);
        if (row.kind == window_layout::Kind::Label) {
            auto* label = static_cast<controls::TextLabel*>(control);
            EXPECT_EQ(label->font().pixelSize(), row.fontHeight);
            EXPECT_EQ(label->font().bold(), row.bold);
            EXPECT_EQ(label->textColour(), row.colour);
            EXPECT_EQ(label->caption(), QString::fromUtf8(row.caption));
        }
        const int index = int(parent->children().indexOf(control));
        if (lastIndex.count(parent)) {
            EXPECT_GT(index, lastIndex[parent]) << "lies over the controls before it in the table";
        }
        lastIndex[parent] = index;
    }
}

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
