#include <QImage>
#include <QRandomGenerator>
#include <gtest/gtest.h>

#include "controls/reduced_copies.h"

namespace {

QImage filled(QSize size, QRgb colour, QImage::Format format = QImage::Format_RGB32)
{
    QImage image(size, format);
    image.fill(colour);
    return image;
}

// The average of one 2x2 block, channel by channel, rounded half up: the slow reference.
QRgb referenceAverage(const QImage& image, int x, int y)
{
    const QRgb p[4] = {image.pixel(2 * x, 2 * y), image.pixel(2 * x + 1, 2 * y), image.pixel(2 * x, 2 * y + 1),
                       image.pixel(2 * x + 1, 2 * y + 1)};
    auto avg = [&](int (*channel)(QRgb)) {
        int sum = 0;
        for (QRgb v : p)
            sum += channel(v);
        return (sum + 2) / 4;
    };
    return qRgba(avg(qRed), avg(qGreen), avg(qBlue), avg(qAlpha));
}

} // namespace

TEST(ReducedCopies, AveragesEachTwoByTwoBlock)
{
    QImage image(2, 2, QImage::Format_RGB32);
    image.setPixel(0, 0, qRgb(10, 0, 255));
    image.setPixel(1, 0, qRgb(20, 0, 255));
    image.setPixel(0, 1, qRgb(30, 1, 255));
    image.setPixel(1, 1, qRgb(42, 1, 254));
    const QImage half = controls::halvedCopy(image);
    ASSERT_EQ(half.size(), QSize(1, 1));
    EXPECT_EQ(half.format(), QImage::Format_RGB32);
    // 102/4 = 25.5 rounds up, 2/4 = 0.5 rounds up, 1019/4 = 254.75.
    EXPECT_EQ(half.pixel(0, 0), qRgb(26, 1, 255));
}

TEST(ReducedCopies, MatchesTheChannelByChannelAverageOnEveryPixel)
{
    for (const QImage::Format format : {QImage::Format_RGB32, QImage::Format_ARGB32_Premultiplied}) {
        QImage image(64, 46, format);
        QRandomGenerator random(1234);
        for (int y = 0; y < image.height(); ++y) {
            auto* line = reinterpret_cast<quint32*>(image.scanLine(y));
            for (int x = 0; x < image.width(); ++x) {
                const quint32 v = random.generate();
                if (format == QImage::Format_RGB32) {
                    line[x] = v | 0xFF000000u;
                } else {
                    const int a = int(v >> 24);
                    line[x] = qRgba(qRed(v) * a / 255, qGreen(v) * a / 255, qBlue(v) * a / 255, a);
                }
            }
        }
        const QImage half = controls::halvedCopy(image);
        ASSERT_EQ(half.size(), QSize(32, 23));
        int mismatches = 0;
        for (int y = 0; y < half.height(); ++y)
            for (int x = 0; x < half.width(); ++x)
                mismatches += half.pixel(x, y) != referenceAverage(image, x, y);
        EXPECT_EQ(mismatches, 0) << format;
    }
}

TEST(ReducedCopies, OtherFormatsAreConvertedAndOddEdgesDropped)
{
    const QImage rgb888 = filled({5, 3}, qRgb(90, 60, 30), QImage::Format_RGB888);
    const QImage half = controls::halvedCopy(rgb888);
    ASSERT_EQ(half.size(), QSize(2, 1));
    EXPECT_EQ(half.format(), QImage::Format_RGB32);
    EXPECT_EQ(half.pixel(1, 0), qRgb(90, 60, 30));
    EXPECT_TRUE(controls::halvedCopy(filled({1, 10}, 0)).isNull());
    EXPECT_TRUE(controls::halvedCopy(QImage()).isNull());
}

TEST(ReducedCopies, ChainStopsAtTheSmallestCopyNotSmallerThanTheDrawnSize)
{
    const QImage picture = filled({1000, 600}, qRgb(1, 2, 3));
    struct Case
    {
        QSize drawn;
        QSize source;
        int copiesBuilt;
    };
    const Case cases[] = {
        {{1000, 600}, {1000, 600}, 0},                                // natural size: the picture itself
        {{2000, 1200}, {1000, 600}, 0}, {{600, 360}, {1000, 600}, 0}, // 500 x 300 would be too small
        {{500, 300}, {500, 300}, 1},    {{240, 144}, {250, 150}, 2},
        {{100, 60}, {125, 75}, 3},      {{1, 1}, {1, 1}, 9}, // 1000x600 .. 1x1
    };
    for (const Case& c : cases) {
        controls::ReducedCopies copies;
        const QImage& source = copies.sourceFor(picture, c.drawn);
        EXPECT_EQ(source.size(), c.source) << c.drawn.width();
        EXPECT_EQ(int(copies.copies().size()), c.copiesBuilt) << c.drawn.width();
    }
}

TEST(ReducedCopies, CopiesAreBuiltOnceAndTakeAThirdMoreMemoryAtMost)
{
    const QImage picture = filled({1024, 768}, qRgb(200, 100, 50));
    controls::ReducedCopies copies;
    copies.sourceFor(picture, {100, 70});
    ASSERT_EQ(copies.copies().size(), 3u); // 512, 256, 128
    const uchar* built = copies.copies()[1].constBits();
    // A larger drawn size reuses what is there; a smaller one extends the chain without rebuilding it.
    EXPECT_EQ(copies.sourceFor(picture, {300, 200}).size(), QSize(512, 384));
    EXPECT_EQ(copies.sourceFor(picture, {20, 10}).size(), QSize(32, 24));
    EXPECT_EQ(copies.copies()[1].constBits(), built);
    EXPECT_EQ(copies.copies().size(), 5u);

    copies.sourceFor(picture, {1, 1});
    qint64 bytes = 0;
    for (const QImage& copy : copies.copies())
        bytes += copy.sizeInBytes();
    EXPECT_LE(bytes * 3, picture.sizeInBytes());
    EXPECT_EQ(copies.copies().back().pixel(0, 0), qRgb(200, 100, 50));
}

TEST(ReducedCopies, BestReadyDrawsFromThePictureDownToHalfAndFromTheQuarterBelow)
{
    const QImage picture = filled({1000, 600}, qRgb(1, 2, 3));
    controls::ReducedCopies copies;
    bool complete = true;
    EXPECT_EQ(copies.bestReady(picture, {302, 181}, &complete).size(), QSize(1000, 600));
    EXPECT_FALSE(complete) << "the quarter is still to come";

    // The background builder's chain: a quarter, then halvings.
    copies.adopt({controls::halvedCopy(controls::halvedCopy(picture)), filled({125, 75}, qRgb(1, 2, 3))});
    struct Case
    {
        QSize drawn;
        QSize source;
    };
    const Case cases[] = {
        {{900, 540}, {1000, 600}}, {{504, 302}, {1000, 600}}, // at half size and above: the picture, filtered
        {{302, 181}, {250, 150}},  {{252, 151}, {250, 150}},  // below half: the quarter, stretched if need be
        {{151, 90}, {250, 150}},   {{100, 60}, {125, 75}},
    };
    for (const Case& c : cases) {
        complete = false;
        EXPECT_EQ(copies.bestReady(picture, c.drawn, &complete).size(), c.source) << c.drawn.width();
        EXPECT_TRUE(complete) << c.drawn.width();
    }
}
