#pragma once

class QAccessibleInterface;

namespace controls {

class StringGrid;

/// The list grid as a screen reader reads it: a list whose items are the grid's rows that hold entries, each named
/// by the texts its row shows ("Город 001, 1701"), the current one selected (and focused while the grid has the
/// keyboard focus), those scrolled out of the 29 visible rows off screen.
QAccessibleInterface* makeListInterface(StringGrid* grid);

} // namespace controls
