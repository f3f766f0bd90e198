#pragma once

// The catalogue window's numbered labels Label[1]..Label[LastLabel]: the list's row slots and the link rows.
//
// The list shows VisibleRows rows at once, a page of the hidden grid beneath it. Slot s (1..VisibleRows) is two
// labels: the first column's and the second column's. Between the two columns' labels lie the link rows of the about
// page: those up to LastWindowLinkRow lie on the window under the preview, the rest on the hidden panel beneath the
// preview.
namespace window_layout {

inline constexpr int VisibleRows = 29;
inline constexpr int FirstLinkRow = VisibleRows + 1;
inline constexpr int LastWindowLinkRow = 41;
inline constexpr int LastLinkRow = 47;
inline constexpr int LinkRowCount = LastLinkRow - FirstLinkRow + 1;
inline constexpr int LastLabel = LastLinkRow + VisibleRows;

/// The number of the label showing slot's first column.
constexpr int firstColumnLabel(int slot)
{
    return slot;
}

/// The number of the label showing slot's second column.
constexpr int secondColumnLabel(int slot)
{
    return LastLinkRow + slot;
}

constexpr bool isLinkRow(int label)
{
    return label >= FirstLinkRow && label <= LastLinkRow;
}

} // namespace window_layout
