// The streaming scanner of sequential JPEG files on arbitrary bytes, fed in pieces as a slow disc gives them and
// whole: both ways it ends with the same index. Where libjpeg decodes the same bytes without a warning, the scanner
// found no damage and the coefficients lie within what 8-bit samples give, the scanner's overview equals libjpeg's 1/8
// decode and its regions equal the same parts of libjpeg's decode at that scale; what the scanner does not read
// (progressive, arithmetic) it refuses.
#include <QImage>
#include <QRect>
#include <algorithm>
#include <csetjmp>
#include <cstdio>
#include <cstdlib>
#include <jpeglib.h>

#include "picture/jpeg_cmyk.h"
#include "picture/jpeg_overview.h"
#include "picture/jpeg_region.h"
#include "picture/jpeg_scanner.h"

namespace {

using picture::scan::Frame;
using picture::scan::MaxComponents;

// Small enough that a header declaring a large picture is refused quickly, as the program's budget would.
constexpr qint64 FuzzMaxPixels = 1'000'000;

// The failed check's line is printed before the abort, so that a crash names the property that broke.
void check(bool condition, int line = __builtin_LINE())
{
    if (condition)
        return;
    std::fprintf(stderr, "jpeg_scan_fuzzer: the check at line %d failed\n", line);
    std::abort();
}

// The overview, for frames within the fuzz budget.
class BoundedOverview final : public picture::scan::ScanSink
{
public:
    picture::JpegOverview overview{qint64(4) << 20};

    failure::Result<std::array<bool, MaxComponents>> frameRead(const Frame& frame) override
    {
        if (qint64(frame.width) * std::max(frame.height, 1) > FuzzMaxPixels)
            return failure::Failure{failure::What::PictureTooLarge, {}, {}, {frame.width, frame.height}};
        return overview.frameRead(frame);
    }
    void rowDecoded(const picture::scan::McuRow& row) override { overview.rowDecoded(row); }
    void heightKnown(int height) override { overview.heightKnown(height); }
};

struct Scanned
{
    bool ok = false;
    picture::scan::ScanIndex index;
    QImage overview;
    int reduction = 0;
};

// Pieces of 1 to 97 bytes (a pattern of its own for each input length), or the whole input at once.
Scanned scan(const uint8_t* data, size_t size, bool inPieces)
{
    BoundedOverview sink;
    picture::scan::JpegScanner scanner(2, &sink);
    failure::Result<void> result;
    unsigned random = static_cast<unsigned>(size) * 2654435761u + 1;
    for (size_t at = 0; result && at < size;) {
        random = random * 1103515245u + 12345u;
        const size_t piece = inPieces ? std::min<size_t>(size - at, 1 + (random >> 16) % 97) : size - at;
        result = scanner.feed(data + at, piece);
        at += piece;
    }
    if (result)
        result = scanner.finish();
    Scanned scanned;
    scanned.ok = bool(result);
    check(!scanned.ok || scanner.done());
    scanned.index = scanner.index();
    const QImage& image = sink.overview.image();
    scanned.overview = image.copy(0, 0, image.width(), sink.overview.rowsReady());
    scanned.reduction = sink.overview.reduction();
    return scanned;
}

struct LibjpegError
{
    jpeg_error_mgr manager;
    std::jmp_buf jump;
};

void leave(j_common_ptr cinfo)
{
    std::longjmp(reinterpret_cast<LibjpegError*>(cinfo->err)->jump, 1);
}

void countWarning(j_common_ptr cinfo, int level)
{
    if (level < 0)
        ++cinfo->err->num_warnings;
}

struct Reference
{
    bool clean = false;      // decoded without an error or a warning
    bool sequential = false; // a baseline or extended sequential Huffman-coded file
    QImage image;            // at the scale asked, as the viewer's decoder gives it (no profile, no orientation)
};

// A decompressor whose errors jump back to the caller's setjmp and whose warnings are counted.
void createDecompress(jpeg_decompress_struct& cinfo, LibjpegError& error)
{
    cinfo.err = jpeg_std_error(&error.manager);
    error.manager.error_exit = leave;
    error.manager.emit_message = countWarning;
    jpeg_create_decompress(&cinfo);
}

// libjpeg's decode at 1/scale in the drawn format, as the viewer's decoder sets it up. Holds only trivially
// destructible locals: the picture is the caller's.
void decodeWithLibjpeg(const uint8_t* data, size_t size, unsigned scale, Reference& out)
{
    jpeg_decompress_struct cinfo;
    LibjpegError error;
    createDecompress(cinfo, error);
    if (setjmp(error.jump)) {
        jpeg_destroy_decompress(&cinfo);
        out.clean = false;
        return;
    }
    jpeg_mem_src(&cinfo, data, static_cast<unsigned long>(size));
    jpeg_read_header(&cinfo, TRUE);
    out.sequential = !cinfo.progressive_mode && !cinfo.arith_code;
    if (qint64(cinfo.image_width) * cinfo.image_height > FuzzMaxPixels) {
        jpeg_destroy_decompress(&cinfo);
        return;
    }
    const bool cmyk = cinfo.jpeg_color_space == JCS_CMYK || cinfo.jpeg_color_space == JCS_YCCK;
    cinfo.out_color_space = cmyk ? JCS_CMYK : JCS_EXT_BGRA;
    cinfo.scale_num = 1;
    cinfo.scale_denom = scale;
    jpeg_start_decompress(&cinfo);
    out.image = QImage(int(cinfo.output_width), int(cinfo.output_height), QImage::Format_RGB32);
    check(!out.image.isNull());
    while (cinfo.output_scanline < cinfo.output_height) {
        JSAMPROW row = out.image.scanLine(int(cinfo.output_scanline));
        if (jpeg_read_scanlines(&cinfo, &row, 1) != 1)
            break;
        if (cmyk)
            picture::cmykLineToRgb32(row, out.image.width(), cinfo.saw_Adobe_marker);
    }
    const bool complete = cinfo.output_scanline == cinfo.output_height;
    jpeg_finish_decompress(&cinfo);
    out.clean = complete && error.manager.num_warnings == 0;
    jpeg_destroy_decompress(&cinfo);
}

struct CoefficientRanges
{
    // Every coefficient lies within what the region's small file codes with the standard tables (8-bit samples never
    // need more; damaged data may hold more, which the region then clamps).
    bool coded = false;
    // Every coefficient times its quantiser lies within what 8-bit samples give (a few times 1024). Damaged data may
    // hold more, where libjpeg's SIMD transforms wrap their 16-bit products and so differ from its C code.
    bool dequantised = false;
};

// The ranges of the file's coefficients as libjpeg reads them.
void readCoefficients(const uint8_t* data, size_t size, CoefficientRanges& ranges)
{
    jpeg_decompress_struct cinfo;
    LibjpegError error;
    createDecompress(cinfo, error);
    ranges = {};
    if (setjmp(error.jump)) {
        jpeg_destroy_decompress(&cinfo);
        ranges = {};
        return;
    }
    jpeg_mem_src(&cinfo, data, static_cast<unsigned long>(size));
    jpeg_read_header(&cinfo, TRUE);
    jvirt_barray_ptr* arrays = jpeg_read_coefficients(&cinfo);
    bool coded = true, dequantised = true;
    for (int c = 0; c < cinfo.num_components; ++c) {
        const jpeg_component_info& component = cinfo.comp_info[c];
        const UINT16* quant = component.quant_table->quantval;
        for (JDIMENSION row = 0; row < component.height_in_blocks; ++row) {
            JBLOCKARRAY blocks =
                cinfo.mem->access_virt_barray(reinterpret_cast<j_common_ptr>(&cinfo), arrays[c], row, 1, FALSE);
            for (JDIMENSION column = 0; column < component.width_in_blocks; ++column) {
                const JCOEF* block = blocks[0][column];
                coded = coded && block[0] >= -1024 && block[0] <= 1023;
                for (int k = 1; k < 64; ++k)
                    coded = coded && block[k] >= -1023 && block[k] <= 1023;
                for (int k = 0; k < 64; ++k)
                    dequantised = dequantised && std::abs(block[k] * int(quant[k])) <= 4096;
            }
        }
    }
    ranges = {coded, dequantised};
    jpeg_finish_decompress(&cinfo);
    jpeg_destroy_decompress(&cinfo);
}

Reference libjpeg(const uint8_t* data, size_t size, unsigned scale)
{
    Reference reference;
    decodeWithLibjpeg(data, size, scale, reference);
    return reference;
}

// The scan's end is left out: it is how far the bit reader looked ahead, which depends on the pieces; the points and
// the damage do not.
bool sameIndex(const picture::scan::ScanIndex& a, const picture::scan::ScanIndex& b)
{
    if (a.damagedFrom != b.damagedFrom || a.points.size() != b.points.size() || a.frame.height != b.frame.height)
        return false;
    for (size_t i = 0; i < a.points.size(); ++i) {
        if (a.points[i].bitOffset != b.points[i].bitOffset || a.points[i].predictors != b.points[i].predictors)
            return false;
    }
    return true;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const Scanned pieces = scan(data, size, true);
    const Scanned whole = scan(data, size, false);
    check(pieces.ok == whole.ok);
    if (!pieces.ok)
        return 0;
    check(sameIndex(pieces.index, whole.index));
    check(pieces.overview == whole.overview);

    const QByteArray file = QByteArray::fromRawData(reinterpret_cast<const char*>(data), qsizetype(size));
    const picture::ReadFileBytes read = picture::readerOfBytes(file);
    const Reference eighth = libjpeg(data, size, 8);
    // A file the scanner read is one libjpeg reads as sequential too.
    check(eighth.sequential || !eighth.clean);
    CoefficientRanges ranges;
    if (eighth.clean && pieces.index.damagedFrom < 0)
        readCoefficients(data, size, ranges);
    const bool exact = eighth.clean && pieces.index.damagedFrom < 0;
    if (exact && ranges.dequantised && pieces.reduction == 8)
        check(pieces.overview == eighth.image);
    for (const unsigned scale : {1u, 4u}) {
        const Reference reference = libjpeg(data, size, scale);
        const QRect picture = exact ? reference.image.rect() : QRect(0, 0, 64, 64);
        const QRect regions[] = {picture, QRect(picture.width() / 3, picture.height() / 2, 17, 9)};
        for (const QRect& region : regions) {
            const failure::Result<QImage> part = picture::decodeJpegRegion(pieces.index, read, region, int(scale));
            if (exact && ranges.coded && reference.clean) {
                check(bool(part));
                check(*part == reference.image.copy(region & reference.image.rect()));
            }
        }
    }
    return 0;
}
