#pragma once

#include <QImage>
#include <QRect>
#include <QString>
#include <vector>

namespace artwork {

/// The window background Image5.
QImage drawWindowBackground(const QString& publisher);
/// The list background Image8 with the ordering bar across its foot.
QImage drawListBackground();
/// The plain faded map Image7.
QImage drawPlainMap();
/// The publisher's logo Image4.
QImage drawLogo(const QString& publisher);
/// The about button Image6.
QImage drawAboutButton();

/// The five quality stars' places in the window.
std::vector<QRect> starPlaces();
/// A star cut from the background at its place, so that it lies on the same ground.
QImage drawStar(const QImage& background, const QRect& windowPlace);

} // namespace artwork
