#include "support/jpeg_fixtures.h"

#include "jpeg_encoder/jpeg_encoder.h"

#include <QtGlobal>
#include <vector>

namespace testsupport {
namespace {

// The offset of the frame header's precision byte (just after the SOFn marker and its length), found by walking the
// marker segments from the start of the file.
qsizetype frameHeaderOffset(const QByteArray& jpeg)
{
    const auto byteAt = [&jpeg](qsizetype i) { return static_cast<unsigned char>(jpeg[i]); };
    qsizetype i = 2;
    while (i + 4 < jpeg.size() && byteAt(i) == 0xFF) {
        const unsigned char marker = byteAt(i + 1);
        if (marker >= 0xC0 && marker <= 0xCF && marker != 0xC4 && marker != 0xC8 && marker != 0xCC)
            return i + 4;
        i += 2 + (byteAt(i + 2) << 8 | byteAt(i + 3));
    }
    qFatal("fixture has no frame header");
}

} // namespace

QByteArray makeJpeg(const JpegFixture& fixture)
{
    jpegencoder::Encoding encoding;
    encoding.size = fixture.size;
    encoding.samples = fixture.colours == JpegColours::Gray  ? jpegencoder::Samples::Gray
                       : fixture.colours == JpegColours::Rgb ? jpegencoder::Samples::Rgb
                                                             : jpegencoder::Samples::Cmyk;
    encoding.ycck = fixture.colours == JpegColours::Ycck;
    encoding.adobeMarker = fixture.adobeMarker;
    encoding.quality = fixture.quality;
    encoding.progressive = fixture.progressive;
    encoding.arithmetic = fixture.arithmetic;
    encoding.iccProfile = fixture.iccProfile;
    encoding.exif = fixture.exif;
    encoding.sampling = fixture.sampling;
    encoding.secondSampling = fixture.secondSampling;
    encoding.restartInterval = fixture.restartInterval;
    encoding.optimisedCoding = fixture.optimisedCoding;

    const int components = jpegencoder::bytesPerPixel(encoding.samples);
    std::vector<unsigned char> row(static_cast<std::size_t>(fixture.size.width() * components));
    const jpegencoder::Encoded encoded = jpegencoder::encode(encoding, [&](int y) {
        for (int x = 0; x < fixture.size.width(); ++x) {
            const std::array<unsigned char, 4> samples =
                fixture.pixel ? fixture.pixel(x, y) : std::array<unsigned char, 4>{128, 128, 128, 128};
            for (int c = 0; c < components; ++c)
                row[static_cast<std::size_t>(x * components + c)] = samples[static_cast<std::size_t>(c)];
        }
        return static_cast<const unsigned char*>(row.data());
    });
    if (!encoded.error.isEmpty())
        qFatal("cannot make a JPEG fixture: %s", qPrintable(encoded.error));
    return encoded.bytes;
}

QByteArray exifWithOrientation(int orientation)
{
    // Little-endian TIFF: header, then IFD0 at offset 8 with one SHORT entry, then no next IFD.
    const char block[] = {'E', 'x',  'i',  'f', 0,
                          0,   'I',  'I',  42,  0,
                          8,   0,    0,    0,   1,
                          0,   0x12, 0x01, 3,   0,
                          1,   0,    0,    0,   static_cast<char>(orientation),
                          0,   0,    0,    0,   0,
                          0,   0};
    return QByteArray(block, sizeof block);
}

QByteArray withFramePrecision(QByteArray jpeg, int precision)
{
    jpeg[frameHeaderOffset(jpeg)] = static_cast<char>(precision);
    return jpeg;
}

QByteArray withDeclaredSize(QByteArray jpeg, int width, int height)
{
    const qsizetype at = frameHeaderOffset(jpeg);
    jpeg[at + 1] = static_cast<char>(height >> 8);
    jpeg[at + 2] = static_cast<char>(height & 0xFF);
    jpeg[at + 3] = static_cast<char>(width >> 8);
    jpeg[at + 4] = static_cast<char>(width & 0xFF);
    return jpeg;
}

} // namespace testsupport
