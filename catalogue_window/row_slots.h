#pragma once

#include "controls/string_grid.h"
#include "current_entry/entry_list.h"
#include "window_layout/row_slots.h"

namespace catalogue_window {

using window_layout::firstColumnLabel;
using window_layout::FirstLinkRow;
using window_layout::isLinkRow;
using window_layout::LastLabel;
using window_layout::LastLinkRow;
using window_layout::LastWindowLinkRow;
using window_layout::LinkRowCount;
using window_layout::secondColumnLabel;
using window_layout::VisibleRows;

static_assert(VisibleRows == controls::StringGrid::PageRows, "the list shows one page of the grid");

/// Left of the second column's labels as laid out on the list panel.
int secondColumnLeft();
/// With years in the first column (the year ordering) the titles in the second column stand nearer.
inline constexpr int SecondColumnLeftAfterYears = 95;
/// Lines of each about file the about page lists (the grid's rows on that page).
inline constexpr int AboutRows = EntryList::AboutRows;

} // namespace catalogue_window
