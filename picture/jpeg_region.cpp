#include "picture/jpeg_region.h"

#include <algorithm>
#include <vector>

#include "picture/jpeg_decoder.h"
#include "picture/jpeg_region_encoder.h"

namespace picture {
namespace {

using scan::Frame;
using scan::ScanIndex;

struct McuSpan
{
    int first = 0; // MCU columns or rows, both included
    int last = 0;
};

// The MCUs that cover pixels [begin, end) of a picture length long, and one more each side where there is one.
McuSpan mcusCovering(int begin, int end, int mcuLength, int mcus)
{
    McuSpan span{begin / mcuLength, (end - 1) / mcuLength};
    span.first = std::max(0, span.first - 1);
    span.last = std::min(mcus - 1, span.last + 1);
    return span;
}

// Decodes MCUs columns.first to columns.last of one row from its nearest resume point and codes them into encoder.
failure::Result<void> codeRow(const ScanIndex& index, const ReadFileBytes& read, int row, McuSpan columns,
                              scan::RegionEncoder& encoder)
{
    const Frame& frame = index.frame;
    const std::int64_t wide = frame.mcusWide();
    const std::int64_t firstMcu = row * wide + columns.first - columns.first % index.mcusPerPoint;
    const std::size_t pointAt = static_cast<std::size_t>(row) * static_cast<std::size_t>(index.pointsPerRow) +
                                static_cast<std::size_t>(columns.first / index.mcusPerPoint);
    const bool anyData = pointAt < index.points.size() && (index.damagedFrom < 0 || firstMcu < index.damagedFrom);
    std::vector<scan::HuffmanTable> dc(frame.components.size()), ac(frame.components.size());
    scan::BitReader reader;
    QByteArray bytes;
    std::array<int, scan::MaxComponents> predictors{};
    std::uint64_t start = 0;
    int toRestart = 0;
    int nextRestart = 0;
    if (anyData) {
        for (std::size_t c = 0; c < frame.components.size(); ++c) {
            dc[c] = TRY(scan::buildHuffmanTable(frame.dc[static_cast<std::size_t>(frame.components[c].dcTable)]));
            ac[c] = TRY(scan::buildHuffmanTable(frame.ac[static_cast<std::size_t>(frame.components[c].acTable)]));
        }
        const scan::ResumePoint& point = index.points[pointAt];
        const std::size_t endAt = pointAt + static_cast<std::size_t>((columns.last / index.mcusPerPoint) -
                                                                     (columns.first / index.mcusPerPoint) + 1);
        start = point.bitOffset / 8;
        const std::uint64_t end = endAt < index.points.size() ? index.points[endAt].bitOffset / 8 + 1 : index.scanEnd;
        bytes = TRY(read(start, static_cast<qint64>(std::max(end, start) - start)));
        reader.setBytes(reinterpret_cast<const std::uint8_t*>(bytes.constData()),
                        static_cast<std::size_t>(bytes.size()));
        reader.fill();
        reader.skip(static_cast<int>(point.bitOffset % 8));
        std::copy(point.predictors.begin(), point.predictors.end(), predictors.begin());
        if (frame.restartInterval > 0) {
            toRestart = frame.restartInterval - static_cast<int>(firstMcu % frame.restartInterval);
            nextRestart = static_cast<int>((firstMcu / frame.restartInterval) & 7);
        }
    }
    std::int16_t block[64];
    for (std::int64_t mcu = firstMcu; mcu <= row * wide + columns.last; ++mcu) {
        bool good = anyData && (index.damagedFrom < 0 || mcu < index.damagedFrom);
        if (good && frame.restartInterval > 0 && toRestart == 0) {
            good = scan::passRestartMarker(reader, nextRestart) == scan::Restart::Passed;
            predictors.fill(0);
            toRestart = frame.restartInterval;
            nextRestart = (nextRestart + 1) & 7;
        }
        --toRestart;
        const bool wanted = mcu >= row * wide + columns.first;
        for (std::size_t c = 0; c < frame.components.size(); ++c) {
            for (int b = 0; b < frame.components[c].h * frame.components[c].v; ++b) {
                std::fill_n(block, 64, std::int16_t{0});
                if (good && !scan::decodeBlock(reader, dc[c], ac[c], predictors[c], block)) {
                    std::fill_n(block, 64, std::int16_t{0});
                    good = false;
                }
                if (wanted)
                    encoder.addBlock(c, good ? block : std::array<std::int16_t, 64>{}.data());
            }
        }
    }
    return {};
}

} // namespace

ReadFileBytes readerOfBytes(QByteArray bytes)
{
    return [bytes = std::move(bytes)](quint64 offset, qint64 length) -> failure::Result<QByteArray> {
        return bytes.mid(qsizetype(std::min<quint64>(offset, quint64(bytes.size()))), length);
    };
}

failure::Result<QImage> decodeJpegRegion(const ScanIndex& index, const ReadFileBytes& read, QRect region, int scale)
{
    const Frame& frame = index.frame;
    if ((scale != 1 && scale != 2 && scale != 4 && scale != 8) || frame.height <= 0)
        return failure::Failure{failure::What::UnsupportedJpeg, {}, "a scale other than 1/1, 1/2, 1/4 or 1/8", {}};
    const QSize scaled((frame.width + scale - 1) / scale, (frame.height + scale - 1) / scale);
    region &= QRect(QPoint(0, 0), scaled);
    if (region.isEmpty())
        return failure::Failure{failure::What::NoPixels, {}, {}, {}};
    const McuSpan columns = mcusCovering(region.left() * scale, std::min(frame.width, (region.right() + 1) * scale),
                                         frame.mcuWidth(), frame.mcusWide());
    const McuSpan rows = mcusCovering(region.top() * scale, std::min(frame.height, (region.bottom() + 1) * scale),
                                      frame.mcuHeight(), frame.mcusHigh());
    const QPoint origin(columns.first * frame.mcuWidth(), rows.first * frame.mcuHeight());
    const int width = std::min(frame.width, (columns.last + 1) * frame.mcuWidth()) - origin.x();
    const int height = std::min(frame.height, (rows.last + 1) * frame.mcuHeight()) - origin.y();
    scan::RegionEncoder encoder = TRY(scan::RegionEncoder::start(frame, width, height));
    for (int row = rows.first; row <= rows.last; ++row)
        TRY(codeRow(index, read, row, columns, encoder));

    JpegDecodeOptions options;
    options.fitBox = QSize((width + scale - 1) / scale, (height + scale - 1) / scale);
    options.bands = BandDecoding::Never;
    const QImage decoded = TRY(decodeJpeg(encoder.finish(), options));
    return decoded.copy(region.translated(-origin / scale));
}

} // namespace picture
