#pragma once

#include <QByteArray>
#include <QSize>
#include <array>
#include <functional>

namespace testsupport {

/// How a fixture's samples are given and stored: RGB, grayscale, CMYK, or CMYK stored as YCCK.
enum class JpegColours { Rgb, Gray, Cmyk, Ycck };

/// A JPEG file to make with libjpeg's compressor, for what QImage cannot write: progressive, arithmetic-coded,
/// grayscale, CMYK and YCCK files.
struct JpegFixture
{
    QSize size{32, 24};
    JpegColours colours = JpegColours::Rgb;
    bool progressive = false;
    bool arithmetic = false;
    /// CMYK and YCCK only: false drops the Adobe marker, so the samples are read as plain ink amounts.
    bool adobeMarker = true;
    int quality = 95;
    QSize sampling;       ///< the first component's sampling factors; empty: 2 x 2
    QSize secondSampling; ///< the second component's; empty: 1 x 1
    int restartInterval = 0;
    bool optimisedCoding = false;
    /// The samples of one pixel (the first 1, 3 or 4 are used); a mid grey when unset.
    std::function<std::array<unsigned char, 4>(int x, int y)> pixel;
    /// An ICC profile embedded in APP2 segments; none when empty.
    QByteArray iccProfile;
    /// The contents of an APP1 segment ("Exif\0\0" and a TIFF block); none when empty.
    QByteArray exif;
};

/// The fixture's bytes. A fixture libjpeg refuses ends the test program.
QByteArray makeJpeg(const JpegFixture& fixture);

/// A copy of jpeg with the frame header (SOF) changed: data precision, or declared width and height.
QByteArray withFramePrecision(QByteArray jpeg, int precision);
QByteArray withDeclaredSize(QByteArray jpeg, int width, int height);

/// An EXIF segment's contents holding only the orientation (1 to 8).
QByteArray exifWithOrientation(int orientation);

} // namespace testsupport
