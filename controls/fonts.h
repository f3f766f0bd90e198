#pragma once

#include <QFont>
#include <QString>

namespace controls {

/// Maps the design's "MS Sans Serif" to an installed sans font with Cyrillic glyphs (on Windows its successor
/// Microsoft Sans Serif first; then Liberation Sans, close in width, else DejaVu Sans). Without an explicit mapping a
/// system with only these fonts may pick a monospace one.
void installFontSubstitutions();

/// The installed family that stands in for "MS Sans Serif": the first of those installed.
QString designFamily();

/// The design's font at a character height of pixelHeight pixels, narrowed to the design's text widths.
QFont designFont(int pixelHeight, bool bold = false, bool fixedPitch = false);

} // namespace controls
