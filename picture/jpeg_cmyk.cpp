#include "picture/jpeg_cmyk.h"

#include <QRgb>
#include <cstring>

namespace picture {
namespace {

int scaledProduct(int a, int b)
{
    return (a * b + 127) / 255;
}

} // namespace

void cmykLineToRgb32(uchar* line, int width, bool adobeInverted)
{
    // Each CMYK pixel occupies the same four bytes its RGB32 result takes, so the line converts in place.
    for (int x = 0; x < width; ++x) {
        uchar* pixel = line + 4 * x;
        int c = pixel[0], m = pixel[1], y = pixel[2], k = pixel[3];
        if (!adobeInverted) {
            c = 255 - c;
            m = 255 - m;
            y = 255 - y;
            k = 255 - k;
        }
        const QRgb rgb = qRgb(scaledProduct(c, k), scaledProduct(m, k), scaledProduct(y, k));
        std::memcpy(pixel, &rgb, sizeof rgb);
    }
}

} // namespace picture
