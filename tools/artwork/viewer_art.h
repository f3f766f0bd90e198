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
    QRect hoverPlace;  ///< in the panel's coordinates, where the bar picture lies a little above the top
};

std::vector<BarButton> barButtons();

/// The control bar niz with the six pale glyphs.
QImage drawControlBar(int scale);
/// A hover picture: the glyph in bright white on the bar's ground, lined up with the glyph in the bar.
QImage drawHoverPicture(const BarButton& button, int scale);
/// The title strip Image2.
QImage drawTitleStrip(int scale);
/// Minimise and close signs on the dark ground.
QImage drawMinimiseSign(int scale);
QImage drawCloseSign(int scale);

} // namespace artwork
