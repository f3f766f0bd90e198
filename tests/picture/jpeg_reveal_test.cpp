// Rows shown while a picture decodes: each row handed out is already the decode's final pixels (or, for a
// progressive file's early passes, a coarse version of the same picture), and the end result is the same as a plain
// decode, also for files cut short or damaged.
#include <QImage>
#include <cstring>
#include <gtest/gtest.h>
#include <vector>

#include "picture/jpeg_decoder.h"
#include "support/jpeg_fixtures.h"
#include "work/work_pool.h"

using picture::JpegDecodeOptions;
using testsupport::JpegFixture;

namespace {

QByteArray detailedJpeg(QSize size, bool progressive)
{
    JpegFixture fixture;
    fixture.size = size;
    fixture.progressive = progressive;
    fixture.quality = 85;
    fixture.pixel = [](int x, int y) {
        const auto v = static_cast<unsigned char>((x * 7 + y * 13 + ((x * y) >> 5)) & 0xFF);
        return std::array<unsigned char, 4>{v, static_cast<unsigned char>(255 - v),
                                            static_cast<unsigned char>((x ^ y) & 0xFF), 0};
    };
    return testsupport::makeJpeg(fixture);
}

bool sameRows(const QImage& a, const QImage& b, int first, int end)
{
    for (int y = first; y < end; ++y) {
        if (std::memcmp(a.constScanLine(y), b.constScanLine(y), static_cast<size_t>(a.width()) * 4) != 0)
            return false;
    }
    return true;
}

struct RevealCase
{
    const char* name;
    QSize size;
    bool progressive;
    double keptShare;
    picture::BandDecoding bands;
};

void PrintTo(const RevealCase& c, std::ostream* os)
{
    *os << c.name;
}

class JpegReveal : public testing::TestWithParam<RevealCase>
{
};

} // namespace

TEST_P(JpegReveal, RowsShownAreThoseOfTheFinalPicture)
{
    const RevealCase& c = GetParam();
    QByteArray bytes = detailedJpeg(c.size, c.progressive);
    bytes.truncate(static_cast<qsizetype>(bytes.size() * c.keptShare));
    JpegDecodeOptions plain;
    plain.bands = picture::BandDecoding::Never;
    const failure::Result<QImage> reference = picture::decodeJpeg(bytes, plain);
    ASSERT_TRUE(reference.has_value()) << failure::describe(reference.error());

    work::WorkPool pool; // the lower band's thread
    JpegDecodeOptions options;
    options.bands = c.bands;
    options.pool = &pool;
    options.previewRows = 40;
    QImage picture;
    int finalEnd = 0, earlyPasses = 0;
    bool allFinal = true;
    options.pictureStarted = [&](const QImage& started) { picture = started; };
    options.partReady = [&](const QRect& written, const QRect&) {
        const int first = written.top(), end = written.bottom() + 1;
        ASSERT_FALSE(picture.isNull());
        ASSERT_TRUE(0 <= first && first < end && end <= picture.height()) << first << " " << end;
        if (c.progressive && first == 0 && end == options.previewRows && finalEnd == 0) {
            ++earlyPasses;
            return;
        }
        // Rows of the final pass come in order, each once, and are final when handed out.
        EXPECT_EQ(first, finalEnd);
        finalEnd = end;
        allFinal = allFinal && sameRows(picture, reference.value(), first, end);
    };
    const failure::Result<QImage> result = picture::decodeJpeg(bytes, options);
    ASSERT_TRUE(result.has_value()) << failure::describe(result.error());
    EXPECT_EQ(finalEnd, c.size.height());
    EXPECT_TRUE(allFinal);
    EXPECT_EQ(result.value().constBits(), picture.constBits()); // the picture shown is the result, not a copy
    EXPECT_TRUE(sameRows(result.value(), reference.value(), 0, c.size.height()));
    if (c.progressive) {
        EXPECT_GE(earlyPasses, 1);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Files, JpegReveal,
    testing::Values(RevealCase{"sequential", QSize(300, 200), false, 1.0, picture::BandDecoding::Never},
                    RevealCase{"twoBands", QSize(2400, 1800), false, 1.0, picture::BandDecoding::Always},
                    RevealCase{"sequentialCut", QSize(300, 200), false, 0.6, picture::BandDecoding::Never},
                    RevealCase{"progressive", QSize(300, 200), true, 1.0, picture::BandDecoding::Never},
                    RevealCase{"progressiveCut", QSize(300, 200), true, 0.5, picture::BandDecoding::Never},
                    RevealCase{"progressiveCutInFirstScan", QSize(300, 200), true, 0.03, picture::BandDecoding::Never}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(JpegReveal, AProgressiveFilesFirstRowsComeBeforeItsFirstScanIsReadWhole)
{
    // The first scan of a large map fills the whole coefficient buffer: the rows in view must not wait for it.
    JpegDecodeOptions options;
    options.previewRows = 40;
    int progressAtFirstRows = -1, progress = 0;
    options.progress = [&](picture::ProgressStage stage, int percent) {
        if (stage == picture::ProgressStage::Running)
            progress += percent;
    };
    options.partReady = [&](QRect, QRect) {
        if (progressAtFirstRows < 0)
            progressAtFirstRows = progress;
    };
    ASSERT_TRUE(picture::decodeJpeg(detailedJpeg(QSize(300, 2000), true), options).has_value());
    EXPECT_EQ(progressAtFirstRows, 0);
}

TEST(JpegHead, TopRowsMatchTheWholeDecodeAndAreShownAtOnceLater)
{
    const QByteArray bytes = detailedJpeg(QSize(320, 240), false);
    const failure::Result<QImage> whole = picture::decodeJpeg(bytes);
    JpegDecodeOptions headOnly;
    headOnly.headRows = 50;
    const failure::Result<QImage> head = picture::decodeJpeg(bytes, headOnly);
    ASSERT_TRUE(head.has_value()) << failure::describe(head.error());
    ASSERT_EQ(head.value().size(), QSize(320, 50));
    EXPECT_TRUE(sameRows(head.value(), whole.value(), 0, 50));

    // Given to the next decode, the head is on show before a row is decoded.
    JpegDecodeOptions later;
    later.knownHead = head.value();
    std::vector<QRect> reported;
    later.partReady = [&](const QRect& written, const QRect&) { reported.push_back(written); };
    const failure::Result<QImage> again = picture::decodeJpeg(bytes, later);
    ASSERT_FALSE(reported.empty());
    EXPECT_EQ(reported.front(), QRect(0, 0, 320, 50));
    EXPECT_TRUE(sameRows(again.value(), whole.value(), 0, 240));

    JpegDecodeOptions progressiveHead;
    progressiveHead.headRows = 50;
    EXPECT_FALSE(picture::decodeJpeg(detailedJpeg(QSize(64, 64), true), progressiveHead).has_value());
}
