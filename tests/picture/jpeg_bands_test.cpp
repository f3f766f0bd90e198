// The two-band decode of large sequential pictures must give exactly the pixels of a single decode, keep the
// progress contract, and the picture pool must reuse memory instead of growing.
#include <QElapsedTimer>
#include <QFile>
#include <QImage>
#include <QThread>
#include <algorithm>
#include <cstring>
#include <gtest/gtest.h>
#include <vector>

#include "picture/jpeg_decoder.h"
#include "picture/picture_buffers.h"
#include "support/jpeg_fixtures.h"
#include "support/resident_memory.h"
#include "work/work_pool.h"

using picture::JpegDecodeOptions;
using picture::ProgressStage;
using testsupport::JpegColours;
using testsupport::JpegFixture;
using testsupport::residentBytes;

namespace {

struct BandCase
{
    const char* name;
    QSize size;
    JpegColours colours;
    double keptShare; // share of the file's bytes kept; below 1 the file is cut there
    double corruptAt; // share of the file where bytes are overwritten; 0 for none
};

void PrintTo(const BandCase& c, std::ostream* os)
{
    *os << c.name;
}

QByteArray fixtureFor(const BandCase& c)
{
    JpegFixture fixture;
    fixture.size = c.size;
    fixture.colours = c.colours;
    fixture.quality = 85;
    // Detail in every block row, so a row shifted or taken from the wrong place shows.
    fixture.pixel = [](int x, int y) {
        const auto v = static_cast<unsigned char>((x * 7 + y * 13 + ((x * y) >> 5)) & 0xFF);
        return std::array<unsigned char, 4>{v, static_cast<unsigned char>(255 - v),
                                            static_cast<unsigned char>((x ^ y) & 0xFF),
                                            static_cast<unsigned char>(y & 0x7F)};
    };
    QByteArray bytes = testsupport::makeJpeg(fixture);
    if (c.corruptAt > 0) {
        const auto at = static_cast<qsizetype>(bytes.size() * c.corruptAt);
        for (qsizetype i = at; i < at + 40; ++i)
            bytes[i] = static_cast<char>(0x5A);
    }
    if (c.keptShare < 1)
        bytes.truncate(static_cast<qsizetype>(bytes.size() * c.keptShare));
    return bytes;
}

class JpegBands : public testing::TestWithParam<BandCase>
{
};

} // namespace

TEST_P(JpegBands, GiveTheSinglePassPixelsAndTheProgressContract)
{
    const QByteArray bytes = fixtureFor(GetParam());
    JpegDecodeOptions single;
    single.bands = picture::BandDecoding::Never;
    const auto expected = picture::decodeJpeg(bytes, single);

    std::vector<std::pair<ProgressStage, int>> reports;
    JpegDecodeOptions banded;
    banded.bands = picture::BandDecoding::Always;
    work::WorkPool pool; // the lower band's thread
    banded.pool = &pool;
    banded.progress = [&reports](ProgressStage stage, int percent) { reports.emplace_back(stage, percent); };
    const auto actual = picture::decodeJpeg(bytes, banded);

    ASSERT_EQ(actual.has_value(), expected.has_value())
        << (actual ? "decoded" : failure::describe(actual.error())) << " / "
        << (expected ? "decoded" : failure::describe(expected.error()));
    ASSERT_TRUE(actual.has_value()) << failure::describe(actual.error());
    ASSERT_EQ(actual.value().size(), expected.value().size());
    for (int y = 0; y < actual.value().height(); ++y) {
        ASSERT_EQ(
            memcmp(actual.value().constScanLine(y), expected.value().constScanLine(y), actual.value().width() * 4), 0)
            << "row " << y;
    }
    ASSERT_GE(reports.size(), 3u);
    EXPECT_EQ(reports.front(), std::make_pair(ProgressStage::Starting, 0));
    EXPECT_EQ(reports.back(), std::make_pair(ProgressStage::Ending, 100));
    int sum = 0;
    for (size_t i = 1; i + 1 < reports.size(); ++i) {
        EXPECT_EQ(reports[i].first, ProgressStage::Running);
        EXPECT_GT(reports[i].second, 0);
        sum += reports[i].second;
    }
    EXPECT_EQ(sum, 100);
}

INSTANTIATE_TEST_SUITE_P(LargeSequentialPictures, JpegBands,
                         testing::Values(BandCase{"rgb", {2400, 1800}, JpegColours::Rgb, 1, 0},
                                         BandCase{"odd_size", {2403, 1797}, JpegColours::Rgb, 1, 0},
                                         BandCase{"gray", {2100, 2000}, JpegColours::Gray, 1, 0},
                                         BandCase{"cmyk", {2050, 2000}, JpegColours::Cmyk, 1, 0},
                                         BandCase{"cut_in_upper_band", {2400, 1800}, JpegColours::Rgb, 0.4, 0},
                                         BandCase{"cut_in_lower_band", {2400, 1800}, JpegColours::Rgb, 0.85, 0},
                                         BandCase{"corrupt_in_lower_band", {2400, 1800}, JpegColours::Rgb, 1, 0.75}),
                         [](const testing::TestParamInfo<BandCase>& info) { return std::string(info.param.name); });

TEST(JpegBands, CancelFromTheProgressCallbackStopsBothBands)
{
    const QByteArray bytes = fixtureFor({"rgb", {2400, 1800}, JpegColours::Rgb, 1, 0});
    JpegDecodeOptions options;
    options.bands = picture::BandDecoding::Always;
    work::WorkPool pool; // the lower band's thread
    options.pool = &pool;
    // Every byte of the picture zero before the decode: a row written has 0xFF in each pixel's fourth byte.
    QImage picture;
    options.pictureStarted = [&picture](const QImage& started) {
        picture = started;
        std::memset(const_cast<uchar*>(picture.constBits()), 0, static_cast<size_t>(picture.sizeInBytes()));
    };
    bool ended = false;
    options.progress = [&ended](ProgressStage stage, int percent) {
        if (stage == ProgressStage::Ending)
            ended = true;
        if (stage == ProgressStage::Running && percent > 0)
            throw std::runtime_error("cancelled");
    };
    const auto result = picture::decodeJpeg(bytes, options);
    ASSERT_FALSE(result.has_value());
    EXPECT_EQ(result.error().what, failure::What::DecodeInterrupted);
    EXPECT_EQ(result.error().detail, "cancelled");
    EXPECT_TRUE(ended);
    // Stopped at 1 % of the rows, the lower band has not reached the bottom.
    ASSERT_FALSE(picture.isNull());
    EXPECT_EQ(picture.constScanLine(picture.height() - 1)[3], 0) << "the lower band decoded on after the stop";
}

// Bytes of the process's mappings offered huge pages (madvise MADV_HUGEPAGE), from /proc/self/smaps.
qint64 hugePageAdvisedBytes()
{
    QFile smaps(QStringLiteral("/proc/self/smaps"));
    if (!smaps.open(QIODevice::ReadOnly))
        return 0;
    qint64 total = 0, size = 0;
    for (const QByteArray& line : smaps.readAll().split('\n')) {
        if (line.startsWith("Size:"))
            size = line.simplified().split(' ').value(1).toLongLong() * 1024;
        else if (line.startsWith("VmFlags:") && line.split(' ').contains("hg"))
            total += size;
    }
    return total;
}

TEST(PictureBuffers, ALargePictureReusesTheBufferOfTheOneReleasedBefore)
{
    const uchar* first = nullptr;
    {
        QImage picture = picture::newPicture(4000, 3000);
        ASSERT_FALSE(picture.isNull());
        EXPECT_EQ(picture.format(), QImage::Format_RGB32);
        EXPECT_EQ(picture.bytesPerLine(), 16000);
        picture.fill(Qt::red); // every page written, as a decode writes them
        first = picture.constBits();
    }
#ifndef Q_OS_WIN
    // Only a 2 MiB aligned buffer can be backed by huge pages (Linux's; Windows gives a program none).
    EXPECT_EQ(reinterpret_cast<quintptr>(first) % (quintptr(2) << 20), 0u);
#endif
    for (int opening = 0; opening < 20; ++opening) {
        QImage again = picture::newPicture(4000, 3000);
        ASSERT_EQ(again.constBits(), first) << "opening " << opening;
    }
    // A much smaller picture does not keep a buffer three times its size alive: the kept one is given back.
    const qint64 before = residentBytes();
    QImage smaller = picture::newPicture(2100, 2000);
#ifndef Q_OS_WIN // which may hand the address given back straight out again
    EXPECT_NE(smaller.constBits(), first);
#endif
    // The first buffer's populate job may hold it a moment longer on a busy machine: it is unmapped as that job ends.
    const qint64 givenBack = qint64(4000) * 3000 * 4 / 2;
    QElapsedTimer waited;
    waited.start();
    while (before - residentBytes() < givenBack && waited.elapsed() < 2000)
        QThread::msleep(10);
    EXPECT_GE(before - residentBytes(), givenBack);
}

// libjpeg's large blocks (a progressive map's coefficients) come from the program's allocator, offered huge pages,
// in every program that decodes: not from libjpeg's own malloc.
TEST(PictureBuffers, AProgressiveMapsCoefficientsTakeTheProgramsLargeMemory)
{
#ifdef Q_OS_WIN
    GTEST_SKIP() << "Windows has no transparent huge pages, whose advice this test looks for";
#endif
    if (!QFile::exists(QStringLiteral("/sys/kernel/mm/transparent_hugepage/enabled")))
        GTEST_SKIP() << "no transparent huge pages in this kernel";
    // 2000 x 1500 at 4:2:0 gives libjpeg a 6 MB coefficient array for the luminance alone; the picture, an eighth of
    // the size, is small.
    JpegFixture fixture;
    fixture.size = QSize(2000, 1500);
    fixture.progressive = true;
    const QByteArray bytes = testsupport::makeJpeg(fixture);
    JpegDecodeOptions options;
    options.fitBox = QSize(1, 1);
    const qint64 before = hugePageAdvisedBytes();
    qint64 during = 0;
    options.partReady = [&during](QRect, QRect) { during = std::max(during, hugePageAdvisedBytes()); };
    ASSERT_TRUE(picture::decodeJpeg(bytes, options).has_value());
    EXPECT_GE(during - before, qint64(6) << 20);
}

TEST(PictureBuffers, SmallPicturesAndBadSizes)
{
    const QImage small = picture::newPicture(64, 48);
    EXPECT_EQ(small.size(), QSize(64, 48));
    EXPECT_EQ(small.format(), QImage::Format_RGB32);
    EXPECT_TRUE(picture::newPicture(0, 10).isNull());
    EXPECT_TRUE(picture::newPicture(10, -1).isNull());
}
