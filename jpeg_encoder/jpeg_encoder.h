#pragma once

#include <QByteArray>
#include <QSize>
#include <QString>
#include <functional>

namespace jpegencoder {

/// How the samples of a row are given: RGB, the blue, green, red, unused bytes of QImage::Format_RGB32,
/// grayscale, or CMYK.
enum class Samples { Rgb, Bgrx, Gray, Cmyk };

/// How a colour file keeps the colour: at half resolution each way (4:2:0, as cameras and scanners write) or at full
/// resolution (4:4:4, for fine coloured lines on drawn artwork).
enum class Chroma { Halved, Full };

struct Encoding
{
    QSize size;
    Samples samples = Samples::Rgb;
    /// CMYK only: stored as YCCK rather than as plain CMYK.
    bool ycck = false;
    /// CMYK only: false drops the Adobe marker, so a reader takes the samples for plain ink amounts.
    bool adobeMarker = true;
    int quality = 95;
    bool progressive = false;
    bool arithmetic = false;
    /// Huffman tables made for this picture rather than the standard ones.
    bool optimisedCoding = false;
    Chroma chroma = Chroma::Halved;
    /// The first component's sampling factors (the others 1 x 1), overriding chroma; empty: chroma decides.
    QSize sampling;
    /// The second component's, where it is not 1 x 1.
    QSize secondSampling;
    /// MCUs between restart markers; 0 writes none.
    int restartInterval = 0;
    /// An ICC profile embedded in APP2 segments; none when empty.
    QByteArray iccProfile;
    /// The contents of an APP1 segment ("Exif\0\0" and a TIFF block); none when empty.
    QByteArray exif;
};

struct Encoded
{
    QByteArray bytes;
    /// libjpeg's reason for refusing the encoding; empty on success.
    QString error;
};

/// The bytes per pixel of the given samples.
int bytesPerPixel(Samples samples);

/// Encodes a picture whose row y (size.width() * bytesPerPixel pixels) rowAt(y) gives, top row first.
Encoded encode(const Encoding& encoding, const std::function<const unsigned char*(int y)>& rowAt);

} // namespace jpegencoder
