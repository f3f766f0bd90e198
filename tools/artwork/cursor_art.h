#pragma once

#include <QImage>

namespace artwork {

/// The open hand (32 x 32, black outline, white fill, transparent elsewhere), fingertips at the top left where the
/// hot spot 0, 0 is.
QImage drawOpenHandCursor();
/// The same hand closed into a grabbing fist.
QImage drawFistCursor();

} // namespace artwork
