// The JPEG decoder on arbitrary bytes: a full decode, a DCT-scaled decode into the preview box and a decode with
// progress reports, whose order and sum are checked here.
#include <cstdlib>
#include <vector>

#include "platform/jpeg_decoder.h"

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
    platform::ProgressStage stage;
    int percent;
};

void checkProgress(const std::vector<Report>& reports, bool ok)
{
    if (reports.empty())
        return; // refused before the decode started: nothing was shown
    check(reports.front().stage == platform::ProgressStage::Starting && reports.front().percent == 0);
    check(reports.back().stage == platform::ProgressStage::Ending && reports.back().percent == 100);
    int sum = 0;
    for (size_t i = 1; i + 1 < reports.size(); ++i) {
        check(reports[i].stage == platform::ProgressStage::Running);
        check(reports[i].percent > 0);
        sum += reports[i].percent;
    }
    check(ok ? sum == 100 : sum <= 100);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QByteArray bytes = QByteArray::fromRawData(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));

    platform::JpegDecodeOptions full;
    full.maxPixels = FuzzMaxPixels;
    const platform::JpegDecodeResult whole = platform::decodeJpeg(bytes, full);
    check(whole.ok() != whole.image.isNull());
    check(whole.ok() || !whole.error.isEmpty());
    if (whole.ok())
        check(whole.image.format() == QImage::Format_RGB32);

    platform::JpegDecodeOptions preview;
    preview.maxPixels = FuzzMaxPixels;
    preview.fitBox = QSize(396, 296);
    const platform::JpegDecodeResult scaled = platform::decodeJpeg(bytes, preview);
    check(scaled.ok() != scaled.image.isNull());
    if (scaled.ok() && whole.ok()) {
        // A reduced decode still covers the box, or is the full picture when that is smaller.
        const int denom = platform::dctScaleDenominator(whole.image.size(), preview.fitBox);
        check(scaled.image.width() == (whole.image.width() + denom - 1) / denom);
        check(scaled.image.height() == (whole.image.height() + denom - 1) / denom);
    }

    std::vector<Report> reports;
    platform::JpegDecodeOptions withProgress;
    withProgress.maxPixels = FuzzMaxPixels;
    withProgress.progress = [&reports](platform::ProgressStage stage, int percent) {
        reports.push_back({stage, percent});
    };
    const platform::JpegDecodeResult shown = platform::decodeJpeg(bytes, withProgress);
    check(shown.ok() == whole.ok());
    if (shown.ok())
        check(shown.image.size() == whole.image.size());
    checkProgress(reports, shown.ok());
    return 0;
}
