#pragma once

#include <QtGlobal>

namespace picture {

/// Turns one scan line of CMYK samples (4 bytes a pixel, as libjpeg gives them) into RGB32 pixels in place.
/// Adobe files store the samples inverted (255 means no ink); others store the ink amount.
void cmykLineToRgb32(uchar* line, int width, bool adobeInverted);

} // namespace picture
