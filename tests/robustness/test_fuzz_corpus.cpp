// Replays the fuzzers' committed inputs (fuzz/corpus/) in the ordinary and the sanitizer test runs, so an input that
// once broke the load, the orderings or the decoder stays a test once it is added there.
#include <QDir>
#include <QFile>
#include <gtest/gtest.h>
#include <memory>

#include "catalogue/catalogue_load.h"
#include "catalogue/orderings.h"
#include "picture/jpeg_decoder.h"

namespace {

QList<QByteArray> corpus(const QString& name)
{
    QList<QByteArray> inputs;
    const QDir dir(QStringLiteral(MAPCATALOGUE_SOURCE_DIR "/fuzz/corpus/") + name);
    for (const QString& file : dir.entryList(QDir::Files, QDir::Name)) {
        QFile input(dir.filePath(file));
        if (input.open(QIODevice::ReadOnly))
            inputs << input.readAll();
    }
    return inputs;
}

} // namespace

TEST(FuzzCorpus, CatalogueInputsLoadAndSortWithinTheTables)
{
    const QList<QByteArray> inputs = corpus(QStringLiteral("catalogue")) + corpus(QStringLiteral("orderings"));
    ASSERT_GE(inputs.size(), 4);
    auto data = std::make_unique<catalogue::CatalogueData>();
    for (const QByteArray& input : inputs) {
        // The catalogue inputs hold about.dat, about2.dat and maps.txt split at 0x1A; maps.txt alone is as good here.
        const QList<QByteArray> parts = input.split('\x1A');
        const std::string maps = parts.last().toStdString();
        catalogue::LoadReport report;
        catalogue::loadFromBytes(*data, catalogue::LoadInput{nullptr, nullptr, &maps}, report);
        int listed = 0;
        for (int category = 1; category <= catalogue::CategoryCount; ++category) {
            listed += data->table(category)->count();
            for (auto ordering :
                 {catalogue::Ordering::ByName, catalogue::Ordering::ByYear, catalogue::Ordering::ByQuality})
                catalogue::sortCategory(*data, category, ordering);
        }
        EXPECT_LE(listed, data->LineCount);
        EXPECT_LE(data->LineCount, catalogue::MaxCatalogueLines);
    }
}

TEST(FuzzCorpus, JpegInputsDecodeOrFailWithAText)
{
    const QList<QByteArray> inputs = corpus(QStringLiteral("jpeg"));
    ASSERT_GE(inputs.size(), 8);
    int decoded = 0;
    for (const QByteArray& input : inputs) {
        for (const QSize box : {QSize(), QSize(396, 296)}) {
            picture::JpegDecodeOptions options;
            options.fitBox = box;
            int ending = 0;
            options.progress = [&ending](picture::ProgressStage stage, int) {
                ending += stage == picture::ProgressStage::Ending;
            };
            const failure::Result<QImage> result = picture::decodeJpeg(input, options);
            EXPECT_TRUE(!result.has_value() || !result.value().isNull());
            EXPECT_LE(ending, 1);
            decoded += result.has_value();
        }
    }
    EXPECT_GT(decoded, 0);
}
