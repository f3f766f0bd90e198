#include <gtest/gtest.h>
#include <stdexcept>
#include <utility>
#include <vector>

#include "picture/jpeg_decoder.h"
#include "support/jpeg_fixtures.h"

using picture::ProgressStage;
using testsupport::JpegColours;
using testsupport::JpegFixture;

namespace {

using Report = std::pair<ProgressStage, int>;

struct Recorded
{
    failure::Result<QImage> result = failure::Failure{failure::What::DecodeStopped, {}, {}, {}}; // until decoded
    std::vector<Report> reports;
};

Recorded decodeRecording(const QByteArray& bytes, QSize fitBox = {}, int previewRows = 0)
{
    Recorded recorded;
    picture::JpegDecodeOptions options;
    options.fitBox = fitBox;
    options.previewRows = previewRows;
    options.progress = [&recorded](ProgressStage stage, int percent) { recorded.reports.emplace_back(stage, percent); };
    recorded.result = picture::decodeJpeg(bytes, options);
    return recorded;
}

// The viewer sets its bar to 0 at Starting, adds each Running delta and hides the bar at Ending: the deltas must be
// positive, add up to exactly 100, and come between one Starting and one Ending.
void expectWellFormed(const std::vector<Report>& reports)
{
    ASSERT_GE(reports.size(), 3u);
    EXPECT_EQ(reports.front(), Report(ProgressStage::Starting, 0));
    EXPECT_EQ(reports.back(), Report(ProgressStage::Ending, 100));
    int sum = 0;
    for (std::size_t i = 1; i + 1 < reports.size(); ++i) {
        EXPECT_EQ(reports[i].first, ProgressStage::Running) << "report " << i;
        EXPECT_GT(reports[i].second, 0) << "report " << i;
        sum += reports[i].second;
    }
    EXPECT_EQ(sum, 100);
    EXPECT_LE(reports.size(), 102u); // whole percents only
}

struct ProgressCase
{
    const char* name;
    JpegColours colours;
    bool progressive;
    bool arithmetic;
    QSize fitBox;
    int previewRows = 0;
};

class JpegProgress : public ::testing::TestWithParam<ProgressCase>
{
};

TEST_P(JpegProgress, ReportsSumToHundredBetweenStartingAndEnding)
{
    JpegFixture fixture;
    fixture.size = QSize(320, 640); // enough rows for many reports
    fixture.colours = GetParam().colours;
    fixture.progressive = GetParam().progressive;
    fixture.arithmetic = GetParam().arithmetic;
    fixture.pixel = [](int x, int y) { return std::array<unsigned char, 4>{uchar(x), uchar(y), uchar(x ^ y), 200}; };
    const Recorded recorded =
        decodeRecording(testsupport::makeJpeg(fixture), GetParam().fitBox, GetParam().previewRows);
    ASSERT_TRUE(recorded.result.has_value()) << failure::describe(recorded.result.error());
    expectWellFormed(recorded.reports);
    // More than one step on the way, so a bar visibly fills.
    EXPECT_GE(recorded.reports.size(), 10u);
}

INSTANTIATE_TEST_SUITE_P(Files, JpegProgress,
                         ::testing::Values(ProgressCase{"baseline", JpegColours::Rgb, false, false, {}},
                                           ProgressCase{"progressive", JpegColours::Rgb, true, false, {}},
                                           ProgressCase{"progressiveArithmetic", JpegColours::Rgb, true, true, {}},
                                           ProgressCase{
                                               "progressiveEarlyPasses", JpegColours::Rgb, true, false, {}, 64},
                                           ProgressCase{"cmykProgressiveEarly", JpegColours::Cmyk, true, false, {}, 64},
                                           ProgressCase{"grayscale", JpegColours::Gray, false, false, {}},
                                           ProgressCase{"cmyk", JpegColours::Cmyk, false, false, {}},
                                           ProgressCase{"reduced", JpegColours::Rgb, false, false, QSize(40, 80)}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(JpegProgress, TruncatedFileStillReportsToHundred)
{
    JpegFixture fixture;
    fixture.size = QSize(200, 300);
    fixture.progressive = true;
    fixture.pixel = [](int x, int y) { return std::array<unsigned char, 4>{uchar(x * 3), uchar(y), uchar(x + y), 0}; };
    const QByteArray bytes = testsupport::makeJpeg(fixture);
    const Recorded recorded = decodeRecording(bytes.left(bytes.size() / 2));
    expectWellFormed(decodeRecording(bytes.left(bytes.size() / 2), {}, 40).reports);
    ASSERT_TRUE(recorded.result.has_value()) << failure::describe(recorded.result.error());
    expectWellFormed(recorded.reports);
}

TEST(JpegProgress, HeaderFailureReportsNothing)
{
    const Recorded garbage = decodeRecording(QByteArray("not a picture"));
    EXPECT_FALSE(garbage.result.has_value());
    EXPECT_TRUE(garbage.reports.empty());

    const Recorded huge = decodeRecording(testsupport::withDeclaredSize(testsupport::makeJpeg({}), 65500, 65500));
    EXPECT_FALSE(huge.result.has_value());
    EXPECT_TRUE(huge.reports.empty());
}

// An error raised by the progress function cancels the decode with its text; Ending still comes, so a bar shown at
// Starting is hidden again.
TEST(JpegProgress, ThrowingCallbackCancelsAndStillEnds)
{
    JpegFixture fixture;
    fixture.size = QSize(64, 400);
    std::vector<Report> reports;
    picture::JpegDecodeOptions options;
    options.progress = [&reports](ProgressStage stage, int percent) {
        reports.emplace_back(stage, percent);
        if (stage == ProgressStage::Running)
            throw std::runtime_error("Отменено");
    };
    const auto result = picture::decodeJpeg(testsupport::makeJpeg(fixture), options);
    ASSERT_FALSE(result.has_value());
    EXPECT_EQ(result.error().what, failure::What::DecodeInterrupted);
    EXPECT_EQ(result.error().detail, "Отменено");
    ASSERT_EQ(reports.size(), 3u);
    EXPECT_EQ(reports[0].first, ProgressStage::Starting);
    EXPECT_EQ(reports[1].first, ProgressStage::Running);
    EXPECT_EQ(reports[2], Report(ProgressStage::Ending, 100));
}

} // namespace
