// The JPEG decoder on arbitrary bytes: a full decode, a DCT-scaled decode into the preview box and a decode with
// progress reports, whose order and sum are checked here; then the same bytes in pieces as they come from a disc,
// decoded whole and as an overview, which must give what the bytes in memory give.
#include <cstdlib>
#include <vector>

#include "picture/jpeg_decoder.h"

namespace {

// Small enough that a header declaring a large picture is refused quickly instead of decoding grey for seconds;
// the refusal itself is the same code path as with the program's budget.
constexpr qint64 FuzzMaxPixels = 1'000'000;

void check(bool condition)
{
    if (!condition)
        std::abort();
}

struct Report
{
    picture::ProgressStage stage;
    int percent;
};

void checkProgress(const std::vector<Report>& reports, bool ok)
{
    if (reports.empty())
        return; // refused before the decode started: nothing was shown
    check(reports.front().stage == picture::ProgressStage::Starting && reports.front().percent == 0);
    check(reports.back().stage == picture::ProgressStage::Ending && reports.back().percent == 100);
    int sum = 0;
    for (size_t i = 1; i + 1 < reports.size(); ++i) {
        check(reports[i].stage == picture::ProgressStage::Running);
        check(reports[i].percent > 0);
        sum += reports[i].percent;
    }
    check(ok ? sum == 100 : sum <= 100);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QByteArray bytes = QByteArray::fromRawData(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));

    picture::JpegDecodeOptions full;
    full.maxPixels = FuzzMaxPixels;
    const failure::Result<QImage> whole = picture::decodeJpeg(bytes, full);
    // A result is a picture that is not null, or a failure.
    check(!whole.has_value() || !whole.value().isNull());
    if (whole.has_value())
        check(whole.value().format() == QImage::Format_RGB32);

    picture::JpegDecodeOptions preview;
    preview.maxPixels = FuzzMaxPixels;
    preview.fitBox = QSize(396, 296);
    const failure::Result<QImage> scaled = picture::decodeJpeg(bytes, preview);
    check(!scaled.has_value() || !scaled.value().isNull());
    if (scaled.has_value() && whole.has_value()) {
        // A reduced decode still covers the box, or is the full picture when that is smaller.
        const int denom = picture::dctScaleDenominator(whole.value().size(), preview.fitBox);
        check(scaled.value().width() == (whole.value().width() + denom - 1) / denom);
        check(scaled.value().height() == (whole.value().height() + denom - 1) / denom);
    }

    std::vector<Report> reports;
    picture::JpegDecodeOptions withProgress;
    withProgress.maxPixels = FuzzMaxPixels;
    withProgress.progress = [&reports](picture::ProgressStage stage, int percent) {
        reports.push_back({stage, percent});
    };
    const failure::Result<QImage> shown = picture::decodeJpeg(bytes, withProgress);
    check(shown.has_value() == whole.has_value());
    if (shown.has_value())
        check(shown.value().size() == whole.value().size());
    checkProgress(reports, shown.has_value());

    // In pieces as from a disc, decoded whole or (a small limit) as its overview: the same as from memory. Only a
    // picture within the fuzz budget is made into its overview: one declaring more would be scanned for seconds.
    for (const qint64 limit : {FuzzMaxPixels, qint64(64 * 64)}) {
        if (limit < FuzzMaxPixels && !whole.has_value())
            continue;
        picture::JpegDecodeOptions options;
        options.maxPixels = limit;
        options.overviewBytes = 1 << 20;
        const failure::Result<QImage> fromMemory = picture::decodeJpeg(bytes, options);
        qsizetype taken = 0;
        const qsizetype pieceBytes = 1 + (size > 0 ? data[size - 1] % 97 : 0);
        const failure::Result<QImage> fromPieces = picture::decodeJpegPieces(
            bytes.size(),
            [&](std::stop_token) -> failure::Result<QByteArray> {
                const QByteArray piece = bytes.mid(taken, pieceBytes);
                taken += piece.size();
                return piece;
            },
            options);
        check(fromPieces.has_value() == fromMemory.has_value());
        if (fromMemory.has_value())
            check(fromPieces.value() == fromMemory.value());
        else
            check(fromPieces.error().what == fromMemory.error().what);
    }
    return 0;
}
