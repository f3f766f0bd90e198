// The streaming scanner of sequential JPEG files against libjpeg: its overview equals libjpeg's 1/8 decode, and
// regions decoded from its resume points equal the same part of libjpeg's whole decode at each scale; the decoder gives
// the overview of a file too large to decode whole.
#include <QRect>
#include <algorithm>
#include <gtest/gtest.h>
#include <random>
#include <stop_token>
#include <vector>

#include "icc_profiles.h"
#include "picture/jpeg_decoder.h"
#include "picture/jpeg_overview.h"
#include "picture/jpeg_region.h"
#include "support/jpeg_fixtures.h"

namespace {

using testsupport::JpegColours;

struct Scanned
{
    failure::Result<void> result;
    picture::scan::ScanIndex index;
    QImage overview;
};

// Feeds the file in pieces of 1 to maxPiece bytes, as a slow disc gives them.
Scanned scan(const QByteArray& file, int mcusPerPoint = 2, qint64 budget = 1 << 30, int maxPiece = 97)
{
    picture::JpegOverview overview(budget);
    picture::scan::JpegScanner scanner(mcusPerPoint, &overview);
    std::mt19937 random(static_cast<unsigned>(file.size()));
    failure::Result<void> result;
    for (qsizetype at = 0; result && at < file.size();) {
        const qsizetype piece = std::min<qsizetype>(file.size() - at, 1 + random() % maxPiece);
        result = scanner.feed(reinterpret_cast<const std::uint8_t*>(file.constData() + at), std::size_t(piece));
        at += piece;
    }
    if (result)
        result = scanner.finish();
    return {result, scanner.index(), overview.image().copy(0, 0, overview.image().width(), overview.rowsReady())};
}

int largestDifference(const QImage& a, const QImage& b)
{
    if (a.size() != b.size())
        return 1000;
    int largest = 0;
    for (int y = 0; y < a.height(); ++y) {
        for (int x = 0; x < a.width(); ++x) {
            const QRgb p = a.pixel(x, y), q = b.pixel(x, y);
            largest = std::max(
                {largest, std::abs(qRed(p) - qRed(q)), std::abs(qGreen(p) - qGreen(q)), std::abs(qBlue(p) - qBlue(q))});
        }
    }
    return largest;
}

QImage libjpegAt(const QByteArray& file, int scale)
{
    const failure::Result<QImage> size = picture::decodeJpeg(file);
    picture::JpegDecodeOptions options;
    options.fitBox = QSize((size->width() + scale - 1) / scale, (size->height() + scale - 1) / scale);
    return picture::decodeJpeg(file, options).value();
}

// Colour and detail in every block, so that AC coefficients and chroma matter.
std::array<unsigned char, 4> texture(int x, int y)
{
    const auto at = [](int v) { return static_cast<unsigned char>(v & 255); };
    return {at(x * 9 + y * 2 + (x * y) % 37), at(200 - y * 5 + (x ^ y) * 3), at(x * y / 3 + 60), at(x * 4 - y)};
}

struct Case
{
    const char* name;
    JpegColours colours;
    QSize size;
    QSize sampling; // of the first component
    int restartInterval;
    bool optimised;
    QSize secondSampling = {};
};

const Case cases[] = {
    {"444", JpegColours::Rgb, {37, 29}, {1, 1}, 0, false},
    {"422_restarts", JpegColours::Rgb, {45, 23}, {2, 1}, 3, false},
    {"420", JpegColours::Rgb, {61, 47}, {2, 2}, 0, true},
    {"420_restarts", JpegColours::Rgb, {64, 48}, {2, 2}, 5, false},
    {"411", JpegColours::Rgb, {70, 20}, {4, 1}, 0, false},
    // The third component's blocks give 4 x 4 samples in the 1/8 decode.
    {"41_14_11", JpegColours::Rgb, {53, 41}, {4, 1}, 0, false, {1, 4}},
    {"440_restarts", JpegColours::Rgb, {33, 50}, {1, 2}, 2, true},
    {"gray_restarts", JpegColours::Gray, {41, 27}, {1, 1}, 4, false},
    {"cmyk", JpegColours::Cmyk, {30, 30}, {2, 2}, 0, false},
    {"ycck", JpegColours::Ycck, {35, 19}, {}, 1, false},
};

class ScanCase : public ::testing::TestWithParam<Case>
{
};

TEST_P(ScanCase, OverviewAndRegionsEqualLibjpeg)
{
    const Case& c = GetParam();
    testsupport::JpegFixture fixture;
    fixture.size = c.size;
    fixture.colours = c.colours;
    fixture.sampling = c.sampling;
    fixture.secondSampling = c.secondSampling;
    fixture.restartInterval = c.restartInterval;
    fixture.optimisedCoding = c.optimised;
    fixture.quality = 90;
    fixture.pixel = texture;
    const QByteArray file = testsupport::makeJpeg(fixture);
    const Scanned scanned = scan(file);
    ASSERT_TRUE(scanned.result) << failure::describe(scanned.result.error());
    EXPECT_EQ(scanned.index.damagedFrom, -1);
    EXPECT_EQ(largestDifference(scanned.overview, libjpegAt(file, 8)), 0);
    // Whole or piecewise, the same index.
    EXPECT_EQ(scan(file, 2, 1 << 30, 1 << 20).index.points.size(), scanned.index.points.size());

    for (int scale : {1, 2, 4, 8}) {
        const QImage whole = libjpegAt(file, scale);
        const QRect regions[] = {whole.rect(), QRect(whole.width() / 3, whole.height() / 4, 9, 7),
                                 QRect(whole.width() / 2, whole.height() / 2, whole.width(), whole.height())};
        for (const QRect& region : regions) {
            const failure::Result<QImage> part =
                picture::decodeJpegRegion(scanned.index, picture::readerOfBytes(file), region, scale);
            ASSERT_TRUE(part) << failure::describe(part.error());
            EXPECT_EQ(largestDifference(*part, whole.copy(region & whole.rect())), 0)
                << "scale 1/" << scale << " region " << region.x() << "," << region.y();
        }
    }
}

INSTANTIATE_TEST_SUITE_P(Samplings, ScanCase, ::testing::ValuesIn(cases),
                         [](const auto& info) { return std::string(info.param.name); });

// Damaged files end, with the same index however the file arrives: extraneous bytes before each restart marker (passed
// over, as libjpeg does), and a height given after the scan (DNL) that damaged data comes before.
TEST(ScanDamaged, EndsWithTheSameIndexWholeOrInPieces)
{
    testsupport::JpegFixture fixture;
    fixture.size = {64, 48};
    fixture.restartInterval = 1;
    fixture.pixel = texture;
    const QByteArray clean = testsupport::makeJpeg(fixture);
    const qsizetype data = clean.indexOf("\xff\xda") + 14; // three components: a 12-byte scan header
    QByteArray extraneous = clean;
    for (qsizetype at = extraneous.size() - 2; at > data; --at) {
        if (uchar(extraneous[at]) == 0xFF && (uchar(extraneous[at + 1]) & 0xF8) == 0xD0)
            extraneous.insert(at, "\x12\x34\x56", 3);
    }
    fixture.restartInterval = 0;
    QByteArray dnl = testsupport::withDeclaredSize(testsupport::makeJpeg(fixture), 64, 0);
    dnl.replace(dnl.size() - 2, 2, QByteArray("\xff\xdc\x00\x04\x00\x30\xff\xd9", 8));
    for (qsizetype at = data + 80; at < data + 96; at += 2) // all-ones codes: no table has them
        dnl.replace(at, 2, QByteArray("\xff\x00", 2));
    const std::pair<const char*, QByteArray> files[] = {{"extraneous bytes", extraneous}, {"dnl", dnl}};
    for (const auto& [name, file] : files) {
        SCOPED_TRACE(name);
        const Scanned whole = scan(file, 2, 1 << 30, 1 << 20);
        ASSERT_TRUE(whole.result);
        for (const int piece : {1, 97}) {
            const Scanned pieces = scan(file, 2, 1 << 30, piece);
            ASSERT_TRUE(pieces.result);
            EXPECT_EQ(pieces.index.damagedFrom, whole.index.damagedFrom) << piece;
            ASSERT_EQ(pieces.index.points.size(), whole.index.points.size()) << piece;
            for (std::size_t i = 0; i < whole.index.points.size(); ++i)
                EXPECT_EQ(pieces.index.points[i].bitOffset, whole.index.points[i].bitOffset) << piece << " " << i;
        }
        if (file == extraneous) {
            EXPECT_EQ(whole.index.damagedFrom, -1);
            EXPECT_EQ(largestDifference(whole.overview, libjpegAt(file, 8)), 0);
        } else {
            EXPECT_GE(whole.index.damagedFrom, 0);
            EXPECT_GT(whole.index.frame.height, 0);
            EXPECT_LT(whole.index.frame.height, 48);
        }
    }
}

// Above the decoder's limit a sequential file gives its overview: libjpeg's 1/8 decode, with the colour profile and the
// orientation applied as a whole decode applies them, and the callbacks and progress of a decode. A progressive file
// is refused as too large.
TEST(OverviewDecode, AFileAboveTheLimitGivesLibjpegsEighthWithItsProfileAndOrientation)
{
    struct Case
    {
        const char* name;
        int orientation;
        bool profile;
        bool progressive;
        double kept = 1; // the share of the file there (a truncated one is grey after its data, as libjpeg has it)
    };
    const Case cases[] = {{"upright", 1, false, false},
                          {"turned", 6, false, false},
                          {"profile", 1, true, false},
                          {"progressive", 1, false, true},
                          {"truncated", 1, false, false, 0.4}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        testsupport::JpegFixture fixture;
        fixture.size = {203, 150};
        fixture.pixel = texture;
        fixture.progressive = c.progressive;
        if (c.orientation != 1)
            fixture.exif = testsupport::exifWithOrientation(c.orientation);
        if (c.profile)
            fixture.iccProfile = iccprofiles::adobeRgbProfile();
        const QByteArray whole = testsupport::makeJpeg(fixture);
        const QByteArray file = whole.left(qsizetype(whole.size() * c.kept));
        // Whole in memory, and in pieces as from a disc: the same overview, with the same calls.
        for (const bool inPieces : {false, true}) {
            SCOPED_TRACE(inPieces ? "in pieces" : "whole");
            std::vector<QString> calls;
            int percent = 0;
            QRect ready;
            picture::JpegDecodeOptions options;
            options.maxPixels = 100 * 100;
            options.overviewBytes = 1 << 20;
            options.progress = [&](picture::ProgressStage stage, int done) {
                percent += stage == picture::ProgressStage::Running ? done : 0;
            };
            options.beforePicture = [&] { calls.push_back("before"); };
            options.overviewStarted = [&](QSize map, int reduction) {
                calls.push_back(QStringLiteral("%1x%2 /%3").arg(map.width()).arg(map.height()).arg(reduction));
            };
            options.pictureStarted = [&](const QImage&) { calls.push_back("picture"); };
            options.partReady = [&](const QRect&, const QRect& part) { ready = part; };
            qsizetype taken = 0;
            const auto nextPiece = [&](std::stop_token) -> failure::Result<QByteArray> {
                const QByteArray piece = file.mid(taken, 1000);
                taken += piece.size();
                return piece;
            };
            const failure::Result<QImage> overview = inPieces
                                                         ? picture::decodeJpegPieces(file.size(), nextPiece, options)
                                                         : picture::decodeJpeg(file, options);
            if (c.progressive) {
                ASSERT_FALSE(overview);
                EXPECT_EQ(overview.error().what, failure::What::PictureTooLarge);
                EXPECT_LT(taken, file.size() / 2) << "refused by its header alone";
                continue;
            }
            ASSERT_TRUE(overview) << failure::describe(overview.error());
            EXPECT_EQ(largestDifference(*overview, libjpegAt(file, 8)), 0);
            const QString map = c.orientation == 6 ? "150x203 /8" : "203x150 /8";
            EXPECT_EQ(calls, (std::vector<QString>{"before", map, "picture"}));
            EXPECT_EQ(percent, 100);
            EXPECT_EQ(ready, overview->rect());
        }
    }
}

// A file of several pieces shows its overview's rows from the top as they are made; a stop ends the decode.
TEST(OverviewDecode, ComesInRowsFromTheTopAndStopsWhenAsked)
{
    testsupport::JpegFixture fixture;
    fixture.size = {1400, 1400};
    fixture.quality = 100;
    fixture.sampling = {1, 1};
    fixture.pixel = [](int x, int y) {
        const auto noise = [](unsigned v) { return static_cast<unsigned char>((v * 2654435761u) >> 24); };
        return std::array<unsigned char, 4>{noise(x * 7919u + y), noise(y * 104729u + x), noise(x ^ (y << 11)), 0};
    };
    const QByteArray file = testsupport::makeJpeg(fixture);
    ASSERT_GT(file.size(), 2 << 20) << "several pieces of the scan";
    for (const bool stopping : {false, true}) {
        SCOPED_TRACE(stopping ? "stopped" : "whole");
        std::stop_source stop;
        std::vector<QRect> ready;
        bool ended = false;
        picture::JpegDecodeOptions options;
        options.maxPixels = 1000;
        options.overviewBytes = 1 << 20;
        options.stop = stop.get_token();
        options.progress = [&](picture::ProgressStage stage, int) { ended = stage == picture::ProgressStage::Ending; };
        options.partReady = [&](const QRect&, const QRect& part) {
            ready.push_back(part);
            if (stopping)
                stop.request_stop();
        };
        const failure::Result<QImage> overview = picture::decodeJpeg(file, options);
        EXPECT_TRUE(ended);
        ASSERT_FALSE(ready.empty());
        if (stopping) {
            ASSERT_FALSE(overview);
            EXPECT_EQ(overview.error().what, failure::What::DecodeStopped);
            EXPECT_EQ(ready.size(), 1u);
            continue;
        }
        ASSERT_TRUE(overview) << failure::describe(overview.error());
        EXPECT_GE(ready.size(), std::size_t(file.size() >> 20) + 1) << "a report for each piece of the scan";
        for (std::size_t i = 1; i < ready.size(); ++i)
            EXPECT_TRUE(ready[i].top() == 0 && ready[i].height() > ready[i - 1].height()) << i;
        EXPECT_EQ(ready.back(), overview->rect());
    }
}

} // namespace
