#pragma once

#include <QImage>
#include <QRect>
#include <QString>
#include <vector>

namespace artwork {

/// The window background Image5 (800 x 540, placed at window 0, 61).
QImage drawWindowBackground(const QString& publisher);
/// The list background Image8 (312 x 491) with the ordering bar across its foot.
QImage drawListBackground();
/// The plain faded map Image7 (397 x 297).
QImage drawPlainMap();
/// The publisher's logo Image4 (115 x 32).
QImage drawLogo(const QString& publisher);
/// The about button Image6 (39 x 12).
QImage drawAboutButton();

/// The five quality stars' places in the window.
std::vector<QRect> starPlaces();
/// A star cut from the background at its place, so that it lies on the same ground.
QImage drawStar(const QImage& background, const QRect& windowPlace);

} // namespace artwork
