// Embedded colour profiles and EXIF orientation: the decoder delivers the picture as it is meant to be seen.
#include <QColor>
#include <QImage>
#include <QTransform>
#include <algorithm>
#include <cmath>
#include <gtest/gtest.h>
#include <lcms2.h>
#include <random>
#include <tuple>
#include <vector>

#include "icc_profiles.h"
#include "jpeg_test_helpers.h"
#include "picture/colour_profile.h"
#include "picture/jpeg_decoder.h"
#include "picture/jpeg_overview_decode.h"
#include "support/jpeg_fixtures.h"
#include "work/work_pool.h"

namespace {

using testsupport::JpegFixture;

using iccprofiles::rgbProfile;
using iccprofiles::savedAndClosed;
using iccprofiles::SrgbPrimaries;
using picture::ConversionPath;

// An RGB profile like sRGB but with the red and green colorants exchanged: a file's red means sRGB's green.
QByteArray swappedPrimariesProfile()
{
    return rgbProfile({SrgbPrimaries.Green, SrgbPrimaries.Red, SrgbPrimaries.Blue});
}

TEST(JpegColourProfile, SwappedPrimariesTurnRedIntoGreenInMapAndPreview)
{
    JpegFixture fixture;
    fixture.size = QSize(64, 48);
    fixture.pixel = [](int, int) { return samples(230, 20, 20); };
    const QByteArray untagged = testsupport::makeJpeg(fixture);
    fixture.iccProfile = swappedPrimariesProfile();
    const QByteArray tagged = testsupport::makeJpeg(fixture);

    EXPECT_TRUE(colourNear(picture::decodeJpeg(untagged).value(), 10, 10, QColor(230, 20, 20)));
    picture::JpegDecodeOptions preview;
    preview.fitBox = QSize(16, 12);
    for (const picture::JpegDecodeOptions& options : {picture::JpegDecodeOptions{}, preview}) {
        std::vector<std::pair<int, int>> rows;
        picture::JpegDecodeOptions watched = options;
        QImage shownRows;
        watched.pictureStarted = [&](const QImage& picture) { shownRows = picture; };
        watched.partReady = [&](const QRect& written, const QRect&) {
            const int end = written.bottom() + 1;
            rows.emplace_back(written.top(), end);
            // The rows handed over are already in sRGB.
            EXPECT_GT(qGreen(shownRows.pixel(1, end - 1)), 150) << "row " << end - 1;
        };
        const failure::Result<QImage> result = picture::decodeJpeg(tagged, watched);
        ASSERT_TRUE(result.has_value()) << failure::describe(result.error());
        const QPoint middle(result.value().width() / 2, result.value().height() / 2);
        EXPECT_GT(qGreen(result.value().pixel(middle)), 150);
        EXPECT_LT(qRed(result.value().pixel(middle)), 120);
        EXPECT_TRUE(everyAlphaByteIsFF(result.value()));
        EXPECT_FALSE(rows.empty());
    }
}

// An RGB profile with sRGB's primaries and a tabulated curve that jumps by an eighth at sample 100, as a posterised
// scan's might: no smooth piece fits its values across the jump.
QByteArray steppedCurveProfile()
{
    std::vector<cmsUInt16Number> table(256);
    for (std::size_t i = 0; i < table.size(); ++i)
        table[i] =
            static_cast<cmsUInt16Number>(std::min(65535.0, 57000 * std::pow(i / 255.0, 2.2) + (i >= 100 ? 8000 : 0)));
    cmsToneCurve* curve =
        cmsBuildTabulatedToneCurve16(nullptr, static_cast<cmsUInt32Number>(table.size()), table.data());
    cmsToneCurve* curves[3] = {curve, curve, curve};
    cmsCIExyY white;
    cmsWhitePointFromTemp(&white, 6504);
    cmsHPROFILE profile = cmsCreateRGBProfile(&white, &SrgbPrimaries, curves);
    cmsFreeToneCurve(curve);
    return savedAndClosed(profile);
}

// The converter for matrix-and-curve profiles works in fixed point with tables of its own: it must agree with Little
// CMS's conversion, on pixels of every kind, within a level, on each path this processor has. The register paths
// convert a line 32 or 64 pixels at a time and the rest one by one: the pixels are converted once as one line and once
// as lines of 63 pixels, so that the one-pixel tail sees many. A curve the AVX2 path cannot fit takes the one-pixel
// path.
TEST(JpegColourProfile, MatrixAndCurveProfilesConvertAsLittleCmsDoes)
{
    const std::tuple<const char*, QByteArray, bool> profiles[] = {
        // name, profile, whether its curves are smooth enough for the AVX2 path
        {"Adobe RGB", iccprofiles::adobeRgbProfile(), true},
        {"ProPhoto", rgbProfile({{0.7347, 0.2653, 1.0}, {0.1596, 0.8404, 1.0}, {0.0366, 0.0001, 1.0}}, 5003, 1.8),
         true},
        {"swapped primaries", swappedPrimariesProfile(), true},
        {"stepped curve", steppedCurveProfile(), false},
    };
    constexpr int NarrowWidth = 63;
    constexpr int Width = NarrowWidth * 66; // blocks of 64 pixels and a tail of 62, or of 32 and a tail of 30
    std::vector<uchar> pixels(4 * Width);
    std::mt19937 random(21);
    for (const auto& [name, icc, smooth] : profiles) {
        SCOPED_TRACE(name);
        for (int x = 0; x < Width; ++x) {
            const quint32 value = x < 256 ? 0x010101U * quint32(x) : random(); // greys, then any colour
            for (int byte = 0; byte < 3; ++byte)
                pixels[4 * x + byte] = static_cast<uchar>(value >> (8 * byte));
            pixels[4 * x + 3] = 0xFF;
        }
        std::vector<uchar> expected = pixels;
        cmsHPROFILE source = cmsOpenProfileFromMem(icc.constData(), static_cast<cmsUInt32Number>(icc.size()));
        cmsHPROFILE sRgb = cmsCreate_sRGBProfile();
        cmsHTRANSFORM reference = cmsCreateTransform(source, TYPE_BGRA_8, sRgb, TYPE_BGRA_8, INTENT_PERCEPTUAL, 0);
        ASSERT_NE(reference, nullptr);
        cmsDoTransform(reference, pixels.data(), expected.data(), Width);
        cmsDeleteTransform(reference);
        cmsCloseProfile(sRgb);
        cmsCloseProfile(source);

        for (const auto path : {ConversionPath::Scalar, ConversionPath::Avx2, ConversionPath::Avx512}) {
            if (!picture::ColourConversion::pathAvailable(path))
                continue;
            const auto conversion =
                picture::ColourConversion::fromIcc(icc, picture::ProfileInput::Rgb32, nullptr, path);
            ASSERT_NE(conversion, nullptr);
            EXPECT_EQ(conversion->path(), path == ConversionPath::Avx2 && !smooth ? ConversionPath::Scalar : path);
            for (const int lineWidth : {Width, NarrowWidth}) {
                SCOPED_TRACE(testing::Message() << "path " << int(path) << ", line " << lineWidth);
                std::vector<uchar> converted = pixels;
                conversion->convertRows(converted.data(), 4 * lineWidth, lineWidth, Width / lineWidth);
                int worst = 0, worstAt = 0;
                for (int i = 0; i < 4 * Width; ++i) {
                    const int difference = std::abs(int(converted[i]) - int(i % 4 == 3 ? 0xFF : expected[i]));
                    if (difference > worst)
                        std::tie(worst, worstAt) = std::pair(difference, i);
                }
                EXPECT_LE(worst, 1) << "pixel " << worstAt / 4 << " byte " << worstAt % 4;
            }
        }
    }
}

// A greyscale scan with a linear Gray profile: its middle level is sRGB's 188, a neutral grey.
TEST(JpegColourProfile, GreyscaleMapsConvertThroughTheirGrayProfile)
{
    JpegFixture fixture;
    fixture.size = QSize(64, 48);
    fixture.colours = testsupport::JpegColours::Gray;
    fixture.pixel = [](int, int) { return samples(128); };
    fixture.iccProfile = iccprofiles::grayProfile(1.0);
    const auto result = picture::decodeJpeg(testsupport::makeJpeg(fixture));
    ASSERT_TRUE(result.has_value()) << failure::describe(result.error());
    EXPECT_TRUE(colourNear(*result, 10, 10, QColor(188, 188, 188), 3));
    EXPECT_TRUE(everyAlphaByteIsFF(*result));
}

// A profile that describes sRGB (scanners often embed it) leaves the rows alone; one whose curve is a plain gamma of
// 2.2, close to sRGB's but darker in the shadows, does not.
TEST(JpegColourProfile, ProfileThatIsSrgbInAllButNameIsSkipped)
{
    EXPECT_EQ(picture::ColourConversion::fromIcc(rgbProfile(SrgbPrimaries), picture::ProfileInput::Rgb32, nullptr),
              nullptr);
    EXPECT_NE(
        picture::ColourConversion::fromIcc(rgbProfile(SrgbPrimaries, 6504, 2.2), picture::ProfileInput::Rgb32, nullptr),
        nullptr);
}

// Stored: the left half red, the right half blue.
QByteArray twoColours(int orientation, QSize stored)
{
    JpegFixture fixture;
    fixture.size = stored;
    fixture.pixel = [stored](int x, int) { return x < stored.width() / 2 ? samples(220, 0, 0) : samples(0, 0, 220); };
    fixture.exif = testsupport::exifWithOrientation(orientation);
    return testsupport::makeJpeg(fixture);
}

TEST(JpegOrientation, QuarterTurnsDeliverThePictureAsDisplayed)
{
    const QColor red(220, 0, 0), blue(0, 0, 220);
    // Orientation 6 turns the stored picture clockwise (its left side on top), 8 anticlockwise (on the bottom).
    for (const auto& [orientation, top, bottom] : {std::tuple{6, red, blue}, std::tuple{8, blue, red}}) {
        SCOPED_TRACE(orientation);
        const failure::Result<QImage> result = picture::decodeJpeg(twoColours(orientation, QSize(64, 32)));
        ASSERT_TRUE(result.has_value()) << failure::describe(result.error());
        ASSERT_EQ(result.value().size(), QSize(32, 64));
        EXPECT_TRUE(colourNear(result.value(), 16, 8, top, 12));
        EXPECT_TRUE(colourNear(result.value(), 16, 56, bottom, 12));

        // A preview's box is for the picture as displayed: 16 x 32 is filled by the half-size decode.
        picture::JpegDecodeOptions preview;
        preview.fitBox = QSize(16, 32);
        const QImage small = picture::decodeJpeg(twoColours(orientation, QSize(64, 32)), preview).value();
        ASSERT_EQ(small.size(), QSize(16, 32));
        EXPECT_TRUE(colourNear(small, 8, 4, top, 12));
    }
    // The unturned orientation changes nothing.
    const QImage upright = picture::decodeJpeg(twoColours(1, QSize(64, 32))).value();
    ASSERT_EQ(upright.size(), QSize(64, 32));
    EXPECT_TRUE(colourNear(upright, 8, 16, red, 12));
}

// Detail everywhere: a pixel put in the wrong place shows.
QByteArray detailed(int orientation, QSize stored, bool progressive)
{
    JpegFixture fixture;
    fixture.size = stored;
    fixture.progressive = progressive;
    fixture.pixel = [](int x, int y) { return samples((x * 7 + y * 13) & 0xFF, (x * y) & 0xFF, (x ^ y) & 0xFF); };
    fixture.exif = testsupport::exifWithOrientation(orientation);
    return testsupport::makeJpeg(fixture);
}

// Every orientation gives the upright decode of the same data as EXIF turns it, pixel for pixel, in the picture it
// started with, on every path; the part reported ready holds its final pixels and grows while the picture decodes.
TEST(JpegOrientation, EveryOrientationShowsItsPixelsTurnedAsTheyDecode)
{
    using picture::BandDecoding;
    // A height no multiple of a band, a progressive file, and one large enough for two bands.
    for (const auto& [stored, progressive, bands] :
         {std::tuple{QSize(90, 50), false, BandDecoding::Never}, std::tuple{QSize(90, 50), true, BandDecoding::Never},
          std::tuple{QSize(2400, 1800), false, BandDecoding::Always}}) {
        const QImage upright = picture::decodeJpeg(detailed(1, stored, progressive)).value();
        // Mirrored horizontally, vertically, then turned clockwise.
        const std::tuple<int, bool, bool, int> turns[] = {
            {1, false, false, 0},  {2, true, false, 0},   {3, true, true, 0},   {4, false, true, 0},
            {5, true, false, 270}, {6, false, false, 90}, {7, true, false, 90}, {8, false, false, 270}};
        for (const auto& [orientation, mirrorX, mirrorY, degrees] : turns) {
            SCOPED_TRACE(testing::Message() << stored.width() << " progressive " << progressive << " " << orientation);
            const QImage expected = upright.mirrored(mirrorX, mirrorY).transformed(QTransform().rotate(degrees));
            picture::JpegDecodeOptions options;
            options.bands = bands;
            work::WorkPool pool; // the lower band's thread
            options.pool = &pool;
            options.previewRows = 16;
            QImage started;
            QRect written;
            int partial = 0;
            options.pictureStarted = [&](const QImage& picture) { started = picture; };
            options.partReady = [&](const QRect& part, const QRect& ready) {
                written = written.united(part);
                EXPECT_EQ(ready, written);
                partial += ready != started.rect();
                EXPECT_TRUE(progressive || started.copy(part) == expected.copy(part)) << "not final (or an early pass)";
            };
            const auto result = picture::decodeJpeg(detailed(orientation, stored, progressive), options);
            ASSERT_TRUE(result.has_value()) << failure::describe(result.error());
            EXPECT_TRUE(result.value() == expected);
            EXPECT_EQ(result.value().constBits(), started.constBits());
            EXPECT_GE(partial, 2);
            if (progressive || bands == BandDecoding::Always)
                continue;
            // Shown as its overview, a part of the map at full detail is that part of the turned picture.
            const QByteArray file = detailed(orientation, stored, false);
            std::shared_ptr<const picture::OverviewDetail> detail;
            picture::JpegDecodeOptions asOverview;
            asOverview.maxPixels = 1;
            asOverview.overviewBytes = 1 << 20;
            asOverview.overviewScanned = [&](std::shared_ptr<const picture::OverviewDetail> d) { detail = d; };
            ASSERT_TRUE(picture::decodeJpeg(file, asOverview) && detail);
            const QRect part(10, 7, 33, 21);
            const auto turnedPart = picture::decodeOverviewPart(*detail, picture::readerOfBytes(file), part, 1);
            ASSERT_TRUE(turnedPart.has_value());
            EXPECT_TRUE(*turnedPart == expected.copy(part));
        }
    }
}

} // namespace
