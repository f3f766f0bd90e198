#pragma once

#include <QImage>

namespace artwork {

/// The open hand (32 x 32 window pixels, drawn at the scale: 64 x 64 at 2; black outline, white fill, transparent
/// elsewhere), fingertips at the top left where the hot spot 0, 0 is.
QImage drawOpenHandCursor(int scale);
/// The same hand closed into a grabbing fist.
QImage drawFistCursor(int scale);

} // namespace artwork
