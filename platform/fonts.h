#pragma once

#include <QFont>

namespace platform {

/// Maps the design's "MS Sans Serif" to an installed sans font with Cyrillic glyphs (Liberation Sans, close in width,
/// else DejaVu Sans). Without an explicit mapping a system with only these fonts may pick a monospace one.
void installFontSubstitutions();

/// The design's font at a character height of pixelHeight pixels.
QFont designFont(int pixelHeight, bool bold = false, bool fixedPitch = false);

} // namespace platform
