#include "support/jpeg_fixtures.h"

#include <QtGlobal>
#include <cstdio>
#include <cstdlib>
#include <vector>

#include <jpeglib.h>

namespace testsupport {
namespace {

[[noreturn]] void fixtureFailed(j_common_ptr cinfo)
{
    char message[JMSG_LENGTH_MAX];
    (*cinfo->err->format_message)(cinfo, message);
    qFatal("cannot make a JPEG fixture: %s", message);
}

int componentsOf(JpegColours colours)
{
    switch (colours) {
    case JpegColours::Gray:
        return 1;
    case JpegColours::Rgb:
        return 3;
    case JpegColours::Cmyk:
    case JpegColours::Ycck:
        return 4;
    }
    return 3;
}

J_COLOR_SPACE inputSpaceOf(JpegColours colours)
{
    switch (colours) {
    case JpegColours::Gray:
        return JCS_GRAYSCALE;
    case JpegColours::Rgb:
        return JCS_RGB;
    case JpegColours::Cmyk:
    case JpegColours::Ycck:
        return JCS_CMYK;
    }
    return JCS_RGB;
}

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
    jpeg_compress_struct cinfo{};
    jpeg_error_mgr errors{};
    cinfo.err = jpeg_std_error(&errors);
    errors.error_exit = fixtureFailed;
    jpeg_create_compress(&cinfo);

    unsigned char* buffer = nullptr;
    unsigned long size = 0;
    jpeg_mem_dest(&cinfo, &buffer, &size);

    const int components = componentsOf(fixture.colours);
    cinfo.image_width = static_cast<JDIMENSION>(fixture.size.width());
    cinfo.image_height = static_cast<JDIMENSION>(fixture.size.height());
    cinfo.input_components = components;
    cinfo.in_color_space = inputSpaceOf(fixture.colours);
    jpeg_set_defaults(&cinfo);
    if (fixture.colours == JpegColours::Ycck)
        jpeg_set_colorspace(&cinfo, JCS_YCCK);
    if (fixture.colours == JpegColours::Cmyk || fixture.colours == JpegColours::Ycck)
        cinfo.write_Adobe_marker = fixture.adobeMarker;
    jpeg_set_quality(&cinfo, fixture.quality, TRUE);
    if (fixture.progressive)
        jpeg_simple_progression(&cinfo);
    cinfo.arith_code = fixture.arithmetic;
    jpeg_start_compress(&cinfo, TRUE);
    if (!fixture.exif.isEmpty()) {
        jpeg_write_marker(&cinfo, JPEG_APP0 + 1, reinterpret_cast<const JOCTET*>(fixture.exif.constData()),
                          static_cast<unsigned int>(fixture.exif.size()));
    }
    if (!fixture.iccProfile.isEmpty()) {
        jpeg_write_icc_profile(&cinfo, reinterpret_cast<const JOCTET*>(fixture.iccProfile.constData()),
                               static_cast<unsigned int>(fixture.iccProfile.size()));
    }

    std::vector<unsigned char> row(static_cast<std::size_t>(fixture.size.width() * components));
    while (cinfo.next_scanline < cinfo.image_height) {
        const int y = static_cast<int>(cinfo.next_scanline);
        for (int x = 0; x < fixture.size.width(); ++x) {
            const std::array<unsigned char, 4> samples =
                fixture.pixel ? fixture.pixel(x, y) : std::array<unsigned char, 4>{128, 128, 128, 128};
            for (int c = 0; c < components; ++c)
                row[static_cast<std::size_t>(x * components + c)] = samples[static_cast<std::size_t>(c)];
        }
        JSAMPROW rows[1] = {row.data()};
        jpeg_write_scanlines(&cinfo, rows, 1);
    }
    jpeg_finish_compress(&cinfo);
    jpeg_destroy_compress(&cinfo);

    QByteArray bytes(reinterpret_cast<const char*>(buffer), static_cast<qsizetype>(size));
    std::free(buffer);
    return bytes;
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
