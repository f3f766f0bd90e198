#pragma once

#include <QPainter>
#include <QRect>

namespace artwork {

/// A small painted vignette: evening sky, a town on a hill and horsemen riding along a road, in an arched frame.
void drawLandscape(QPainter& painter, const QRect& area);

} // namespace artwork
