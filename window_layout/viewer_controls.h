#pragma once

#include "window_layout/control_row.h"

namespace window_layout {

/// The viewer window at its design size, with its colour and font (its place is the screen's).
const WindowRow& viewerWindow();
/// Every control of the viewer window in creation order, placed for the design size; the title strip, the view
/// and the control bar follow the window's real size.
const std::vector<ControlRow>& viewerControls();
/// The viewer window's control of the given name.
const ControlRow& viewerControl(std::string_view name);

} // namespace window_layout
