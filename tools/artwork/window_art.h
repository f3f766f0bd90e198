#pragma once

#include <QImage>
#include <QRect>
#include <QString>
#include <vector>

namespace artwork {

// Each picture is drawn for a screen scale of 1 or 2: at 2 it has twice the pixels each way, drawn anew, and its
// device pixel ratio says so.

/// The window background Image5.
QImage drawWindowBackground(const QString& publisher, int scale);
/// The list background Image8 with the ordering bar across its foot.
QImage drawListBackground(int scale);
/// The plain faded map Image7.
QImage drawPlainMap(int scale);
/// The publisher's logo Image4.
QImage drawLogo(const QString& publisher, int scale);
/// The about button Image6.
QImage drawAboutButton(int scale);

/// The five quality stars' places in the window.
std::vector<QRect> starPlaces();
/// A star cut from the background at its place, so that it lies on the same ground; at the background's scale.
QImage drawStar(const QImage& background, const QRect& windowPlace);

} // namespace artwork
