#pragma once

#include "window_layout/control_row.h"

namespace window_layout {

/// Colours of the catalogue window that its code uses beyond creating the controls.
inline constexpr QColor RowNormalColour(68, 28, 26);    // rows and link rows
inline constexpr QColor RowHighlightColour(112, 29, 0); // the chosen row; also the captions of the detail texts

/// The catalogue window's views, as bits of ControlRow::shownIn and hiddenIn: the four map categories, the articles,
/// the about page.
enum CatalogueView : unsigned { MapsView = 1, ArticlesView = 2, AboutView = 4 };

/// The catalogue window: place on the screen, size, colour and font.
const WindowRow& catalogueWindow();
/// Every control of the catalogue window in creation order.
const std::vector<ControlRow>& catalogueControls();
/// The catalogue window's control of the given name.
const ControlRow& catalogueControl(std::string_view name);

} // namespace window_layout
