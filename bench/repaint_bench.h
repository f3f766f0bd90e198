#pragma once

#include <QString>

namespace bench {

/// Repaint time of the viewer's picture control for a 1920 x 1080 frame at every zoom step, fit and actual size.
int repaintTimes(const QString& path, int runs);
/// PSNR of the picture control's drawing at every zoomed-out step against an area-averaged reduction.
int reductionQuality(const QString& path);

} // namespace bench
