#include <QBuffer>
#include <QImage>
#include <gtest/gtest.h>

#include "desktop/failure_text.h"
#include "jpeg_test_helpers.h"
#include "picture/jpeg_decoder.h"
#include "support/jpeg_fixtures.h"

using picture::decodeJpeg;
using testsupport::JpegColours;
using testsupport::JpegFixture;
using testsupport::makeJpeg;

namespace {

const QColor Red(220, 30, 40), Green(30, 200, 60), Blue(40, 50, 210), White(255, 255, 255);

// Four solid quadrants: a swapped channel or a flipped picture shows in one of them.
std::array<unsigned char, 4> quadrantPixel(int x, int y, QSize size)
{
    const bool right = x >= size.width() / 2, bottom = y >= size.height() / 2;
    const QColor c = bottom ? (right ? White : Blue) : (right ? Green : Red);
    return samples(c.red(), c.green(), c.blue());
}

QByteArray savedByQImage(QSize size, const char* format = "JPG")
{
    QImage image(size, QImage::Format_RGB32);
    for (int y = 0; y < size.height(); ++y)
        for (int x = 0; x < size.width(); ++x) {
            const auto s = quadrantPixel(x, y, size);
            image.setPixel(x, y, qRgb(s[0], s[1], s[2]));
        }
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, format, 95);
    return bytes;
}

void expectQuadrants(const QImage& image)
{
    const int w = image.width(), h = image.height();
    EXPECT_TRUE(colourNear(image, w / 4, h / 4, Red));
    EXPECT_TRUE(colourNear(image, 3 * w / 4, h / 4, Green));
    EXPECT_TRUE(colourNear(image, w / 4, 3 * h / 4, Blue));
    EXPECT_TRUE(colourNear(image, 3 * w / 4, 3 * h / 4, White));
}

struct CodingCase
{
    const char* name;
    bool progressive;
    bool arithmetic;
};

class JpegCoding : public ::testing::TestWithParam<CodingCase>
{
};

TEST_P(JpegCoding, DecodesColoursIntoOpaqueRgb32)
{
    const QSize size(64, 48);
    JpegFixture fixture;
    fixture.size = size;
    fixture.progressive = GetParam().progressive;
    fixture.arithmetic = GetParam().arithmetic;
    fixture.pixel = [size](int x, int y) { return quadrantPixel(x, y, size); };

    const auto result = decodeJpeg(makeJpeg(fixture));
    ASSERT_TRUE(result.has_value()) << failure::describe(result.error());
    EXPECT_EQ(result.value().format(), QImage::Format_RGB32);
    EXPECT_EQ(result.value().size(), size);
    EXPECT_TRUE(everyAlphaByteIsFF(result.value()));
    expectQuadrants(result.value());
}

INSTANTIATE_TEST_SUITE_P(Codings, JpegCoding,
                         ::testing::Values(CodingCase{"baseline", false, false}, CodingCase{"progressive", true, false},
                                           CodingCase{"arithmetic", false, true},
                                           CodingCase{"progressiveArithmetic", true, true}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(JpegDecoder, DecodesWhatQImageWrites)
{
    const auto result = decodeJpeg(savedByQImage(QSize(40, 30)));
    ASSERT_TRUE(result.has_value()) << failure::describe(result.error());
    EXPECT_EQ(result.value().size(), QSize(40, 30));
    EXPECT_TRUE(everyAlphaByteIsFF(result.value()));
    expectQuadrants(result.value());
}

TEST(JpegDecoder, GrayscaleBecomesEqualChannels)
{
    JpegFixture fixture;
    fixture.colours = JpegColours::Gray;
    fixture.pixel = [](int x, int) { return samples(x < 16 ? 40 : 200); };
    const auto result = decodeJpeg(makeJpeg(fixture));
    ASSERT_TRUE(result.has_value()) << failure::describe(result.error());
    EXPECT_EQ(result.value().format(), QImage::Format_RGB32);
    EXPECT_TRUE(everyAlphaByteIsFF(result.value()));
    EXPECT_TRUE(colourNear(result.value(), 4, 10, QColor(40, 40, 40), 3));
    EXPECT_TRUE(colourNear(result.value(), 28, 10, QColor(200, 200, 200), 3));
}

struct InkCase
{
    const char* name;
    JpegColours colours;
    bool adobe;
    std::array<unsigned char, 4> stored; // as written in the file
    QColor expected;
};

class JpegInk : public ::testing::TestWithParam<InkCase>
{
};

// Adobe files store inverted samples (255: no ink); files without the marker store ink amounts.
TEST_P(JpegInk, ConvertsToRgb)
{
    JpegFixture fixture;
    fixture.colours = GetParam().colours;
    fixture.adobeMarker = GetParam().adobe;
    const auto stored = GetParam().stored;
    fixture.pixel = [stored](int, int) { return stored; };
    const auto result = decodeJpeg(makeJpeg(fixture));
    ASSERT_TRUE(result.has_value()) << failure::describe(result.error());
    EXPECT_EQ(result.value().format(), QImage::Format_RGB32);
    EXPECT_EQ(result.value().size(), QSize(32, 24));
    EXPECT_TRUE(everyAlphaByteIsFF(result.value()));
    EXPECT_TRUE(colourNear(result.value(), 0, 0, GetParam().expected));
    EXPECT_TRUE(colourNear(result.value(), 31, 23, GetParam().expected));
}

INSTANTIATE_TEST_SUITE_P(
    Colours, JpegInk,
    ::testing::Values(
        InkCase{"adobeCmykRed", JpegColours::Cmyk, true, samples(255, 0, 0, 255), QColor(255, 0, 0)},
        InkCase{"plainCmykRed", JpegColours::Cmyk, false, samples(0, 255, 255, 0), QColor(255, 0, 0)},
        InkCase{"plainCmykBlue", JpegColours::Cmyk, false, samples(255, 255, 0, 0), QColor(0, 0, 255)},
        InkCase{"adobeCmykHalfBlack", JpegColours::Cmyk, true, samples(255, 255, 255, 127), QColor(127, 127, 127)},
        InkCase{"adobeCmykMixed", JpegColours::Cmyk, true, samples(200, 100, 50, 220), QColor(173, 86, 43)},
        InkCase{"ycckRed", JpegColours::Ycck, true, samples(255, 0, 0, 255), QColor(255, 0, 0)},
        InkCase{"ycckMixed", JpegColours::Ycck, true, samples(200, 100, 50, 220), QColor(173, 86, 43)}),
    [](const auto& info) { return std::string(info.param.name); });

struct ScaleCase
{
    QSize picture;
    QSize box;
    int denominator;
};

class DctScale : public ::testing::TestWithParam<ScaleCase>
{
};

// The most reduction whose result still covers the box in both dimensions (libjpeg rounds sizes up).
TEST_P(DctScale, ChoosesMostReductionThatCoversTheBox)
{
    EXPECT_EQ(picture::dctScaleDenominator(GetParam().picture, GetParam().box), GetParam().denominator);
}

const QSize PreviewBox(396, 296);

INSTANTIATE_TEST_SUITE_P(
    Sizes, DctScale,
    ::testing::Values(ScaleCase{{396, 296}, PreviewBox, 1}, ScaleCase{{200, 100}, PreviewBox, 1},
                      ScaleCase{{790, 592}, PreviewBox, 1}, ScaleCase{{791, 592}, PreviewBox, 2},
                      ScaleCase{{792, 592}, PreviewBox, 2}, ScaleCase{{800, 600}, PreviewBox, 2},
                      ScaleCase{{1580, 1184}, PreviewBox, 2}, ScaleCase{{1581, 1184}, PreviewBox, 4},
                      ScaleCase{{1600, 1200}, PreviewBox, 4}, ScaleCase{{3168, 2368}, PreviewBox, 8},
                      ScaleCase{{6000, 4000}, PreviewBox, 8}, ScaleCase{{4000, 500}, PreviewBox, 1},
                      ScaleCase{{6000, 1200}, PreviewBox, 4}, ScaleCase{{3000, 2000}, QSize(), 1},
                      ScaleCase{{3000, 2000}, QSize(0, 296), 1}));

TEST(JpegDecoder, FitBoxDecodesReduced)
{
    JpegFixture fixture;
    fixture.size = QSize(800, 600);
    fixture.pixel = [](int x, int y) { return quadrantPixel(x, y, QSize(800, 600)); };
    picture::JpegDecodeOptions options;
    options.fitBox = PreviewBox;
    const auto result = decodeJpeg(makeJpeg(fixture), options);
    ASSERT_TRUE(result.has_value()) << failure::describe(result.error());
    EXPECT_EQ(result.value().size(), QSize(400, 300));
    expectQuadrants(result.value());
}

TEST(JpegDecoder, BudgetAppliesToTheReducedSize)
{
    JpegFixture fixture;
    fixture.size = QSize(1600, 1200);
    const QByteArray bytes = makeJpeg(fixture);
    picture::JpegDecodeOptions options;
    options.maxPixels = 200 * 150;

    const auto full = decodeJpeg(bytes, options);
    ASSERT_FALSE(full.has_value());
    EXPECT_TRUE(
        desktop::failureText(full.error()).startsWith(QStringLiteral("Рисунок слишком велик: 1600 x 1200 точек")))
        << failure::describe(full.error());

    options.fitBox = QSize(150, 100);
    const auto reduced = decodeJpeg(bytes, options);
    ASSERT_TRUE(reduced.has_value()) << failure::describe(reduced.error());
    EXPECT_EQ(reduced.value().size(), QSize(200, 150));
}

TEST(JpegDecoder, HugeDeclaredSizeIsRefusedBeforeDecoding)
{
    const QByteArray huge = testsupport::withDeclaredSize(makeJpeg(JpegFixture{}), 65500, 65500);
    const auto result = decodeJpeg(huge);
    ASSERT_FALSE(result.has_value());
    EXPECT_TRUE(
        desktop::failureText(result.error()).startsWith(QStringLiteral("Рисунок слишком велик: 65500 x 65500 точек")))
        << failure::describe(result.error());
}

TEST(JpegDecoder, DefaultBudgetAdmitsLargeScans)
{
    // 20000 x 20000 (400 megapixels) must open; 65500 x 65500 must not.
    EXPECT_GE(picture::DefaultMaxPixels, qint64(20000) * 20000);
    EXPECT_LT(picture::DefaultMaxPixels, qint64(65500) * 65500);
    EXPECT_EQ(picture::JpegDecodeOptions{}.maxPixels, picture::DefaultMaxPixels);
}

TEST(JpegDecoder, TwelveBitPrecisionIsRefused)
{
    const auto result = decodeJpeg(testsupport::withFramePrecision(savedByQImage(QSize(16, 16)), 12));
    ASSERT_FALSE(result.has_value());
    EXPECT_EQ(desktop::failureText(result.error()),
              QStringLiteral("Не удалось прочитать JPEG: рисунки с точностью 12 бит не поддерживаются"));
}

struct BadInput
{
    const char* name;
    QByteArray bytes;
};

class JpegBadInput : public ::testing::TestWithParam<BadInput>
{
};

TEST_P(JpegBadInput, GivesAClearError)
{
    const auto result = decodeJpeg(GetParam().bytes);
    ASSERT_FALSE(result.has_value());
    // A Russian text chosen by the kind of failure; libjpeg's own sentence stays out of it.
    const QString text = desktop::failureText(result.error());
    EXPECT_TRUE(text.startsWith(QStringLiteral("Не удалось прочитать JPEG: "))) << failure::describe(result.error());
    EXPECT_GT(text.size(), QStringLiteral("Не удалось прочитать JPEG: ").size());
    if (!result.error().detail.empty()) {
        EXPECT_FALSE(text.contains(QString::fromStdString(result.error().detail)));
    }
}

INSTANTIATE_TEST_SUITE_P(Inputs, JpegBadInput,
                         ::testing::Values(BadInput{"empty", QByteArray()},
                                           BadInput{"garbage", QByteArray("this is not a picture at all")},
                                           BadInput{"png", savedByQImage(QSize(8, 8), "PNG")},
                                           BadInput{"startMarkerOnly", QByteArray("\xFF\xD8\xFF", 3)},
                                           BadInput{"headerCut", savedByQImage(QSize(64, 64)).left(120)}),
                         [](const auto& info) { return std::string(info.param.name); });

// A file cut short is a picture: what was decoded, the rest filled with grey.
QByteArray redTopNoisyRest(QSize size, bool progressive)
{
    JpegFixture fixture;
    fixture.size = size;
    fixture.progressive = progressive;
    fixture.pixel = [](int x, int y) {
        if (y < 16)
            return samples(Red.red(), Red.green(), Red.blue());
        const unsigned v = static_cast<unsigned>(x * 7919 + y * 104729) * 2654435761u;
        return samples(v >> 24, v >> 16, v >> 8);
    };
    return makeJpeg(fixture);
}

TEST(JpegDecoder, TruncatedBaselineGivesPictureWithGreyRest)
{
    const QSize size(128, 128);
    const QByteArray whole = redTopNoisyRest(size, false);
    for (double fraction : {0.3, 0.5, 0.8}) {
        SCOPED_TRACE(fraction);
        const auto result = decodeJpeg(whole.left(static_cast<qsizetype>(whole.size() * fraction)));
        ASSERT_TRUE(result.has_value()) << failure::describe(result.error());
        EXPECT_EQ(result.value().size(), size);
        EXPECT_TRUE(colourNear(result.value(), 4, 4, Red));
        EXPECT_TRUE(colourNear(result.value(), 120, 124, QColor(128, 128, 128), 2));
    }
    const auto withoutEnd = decodeJpeg(whole.left(whole.size() - 2));
    ASSERT_TRUE(withoutEnd.has_value()) << failure::describe(withoutEnd.error());
    EXPECT_EQ(withoutEnd.value().size(), size);
}

TEST(JpegDecoder, TruncatedProgressiveGivesPicture)
{
    const QByteArray whole = redTopNoisyRest(QSize(128, 96), true);
    for (double fraction : {0.2, 0.5, 0.9}) {
        SCOPED_TRACE(fraction);
        const auto result = decodeJpeg(whole.left(static_cast<qsizetype>(whole.size() * fraction)));
        ASSERT_TRUE(result.has_value()) << failure::describe(result.error());
        EXPECT_EQ(result.value().size(), QSize(128, 96));
        EXPECT_TRUE(everyAlphaByteIsFF(result.value()));
    }
}

TEST(JpegDecoder, LooksLikeJpegTable)
{
    const struct
    {
        QByteArray bytes;
        bool expected;
    } cases[] = {
        {QByteArray("\xFF\xD8\xFF", 3), true}, {QByteArray("\xFF\xD8\xFF\xE0\x00\x10", 6), true},
        {QByteArray("\xFF\xD8", 2), true},     {QByteArray("\xFF\xD8\x00", 3), true},
        {QByteArray("\xFF", 1), false},        {QByteArray("\xD8\xFF", 2), false},
        {QByteArray("\x89PNG\r\n", 6), false}, {QByteArray(), false},
    };
    for (const auto& c : cases)
        EXPECT_EQ(picture::looksLikeJpeg(c.bytes), c.expected) << c.bytes.toHex().toStdString();
    EXPECT_TRUE(picture::looksLikeJpeg(savedByQImage(QSize(8, 8))));
}

} // namespace
