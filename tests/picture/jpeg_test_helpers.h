#pragma once

#include <QColor>
#include <QImage>
#include <QRgb>
#include <array>
#include <cstdlib>
#include <gtest/gtest.h>

// Lossy coding moves colours a little; a few steps is still the same colour.
inline ::testing::AssertionResult colourNear(const QImage& image, int x, int y, QColor expected, int tolerance = 6)
{
    const QRgb actual = image.pixel(x, y);
    if (std::abs(qRed(actual) - expected.red()) <= tolerance &&
        std::abs(qGreen(actual) - expected.green()) <= tolerance &&
        std::abs(qBlue(actual) - expected.blue()) <= tolerance)
        return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << "pixel (" << x << ", " << y << ") is " << qRed(actual) << ","
                                         << qGreen(actual) << "," << qBlue(actual) << ", expected " << expected.red()
                                         << "," << expected.green() << "," << expected.blue();
}

// Format_RGB32 promises 0xFF in every pixel's fourth byte; painting and conversion rely on it.
inline bool everyAlphaByteIsFF(const QImage& image)
{
    for (int y = 0; y < image.height(); ++y) {
        const auto* line = reinterpret_cast<const QRgb*>(image.constScanLine(y));
        for (int x = 0; x < image.width(); ++x) {
            if (qAlpha(line[x]) != 0xFF)
                return false;
        }
    }
    return true;
}

inline std::array<unsigned char, 4> samples(int a, int b = 0, int c = 0, int d = 0)
{
    return {static_cast<unsigned char>(a), static_cast<unsigned char>(b), static_cast<unsigned char>(c),
            static_cast<unsigned char>(d)};
}
