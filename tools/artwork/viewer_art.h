#pragma once

#include <QImage>
#include <QRect>
#include <QString>
#include <vector>

namespace artwork {

enum class Glyph { Previous, Next, ZoomIn, ZoomOut, Fit, ActualSize };

/// A control-bar button: its glyph's place in the bar picture and its hover picture's place in the bar panel.
struct BarButton
{
    Glyph glyph;
    QString hoverName; ///< "prev2" ...
    QRect glyphArea;   ///< in the bar picture's coordinates (rows 8..38)
    QRect hoverPlace;  ///< in the panel's coordinates; the bar picture lies at panel 0, -2
};

std::vector<BarButton> barButtons();

/// The control bar niz (800 x 44) with the six pale glyphs.
QImage drawControlBar();
/// A hover picture: the glyph in bright white on the bar's ground, lined up with the glyph in the bar.
QImage drawHoverPicture(const BarButton& button);
/// The title strip Image2 (758 x 20).
QImage drawTitleStrip();
/// Minimise (21 x 20) and close (20 x 20) signs on the dark ground.
QImage drawMinimiseSign();
QImage drawCloseSign();

} // namespace artwork
