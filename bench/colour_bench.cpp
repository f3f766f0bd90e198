// The cost of an embedded colour profile: the same map decoded with and without one, alternating, in one process
// (the picture's memory is reused, as when the viewer opens the next map), so that the difference is the conversion.
#include "colour_bench.h"

#include <QFile>
#include <vector>

#include "icc_profiles.h"
#include "loading/loader.h"
#include "measure.h"
#include "picture/jpeg_decoder.h"
#include "work/work_pool.h"

namespace bench {
namespace {

double decodeOnce(const QByteArray& bytes, work::WorkPool& pool)
{
    picture::JpegDecodeOptions options;
    options.previewRows = 1016; // as the viewer, on the program's pool (the decode's lower band)
    options.pool = &pool;
    const double start = now();
    const failure::Result<QImage> decoded = picture::decodeJpeg(bytes, options);
    return decoded.has_value() ? now() - start : -1;
}

} // namespace

int colourConversionCost(const QString& name, const QString& path, int runs)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return 1;
    const QByteArray plain = file.readAll();
    const QByteArray tagged = iccprofiles::withProfileSegment(plain, iccprofiles::adobeRgbProfile());
    std::vector<double> untaggedTimes, taggedTimes;
    loading::Loader loader;           // the program's
    decodeOnce(plain, loader.pool()); // the picture's memory present before the first measured run
    for (int i = 0; i < runs; ++i) {
        untaggedTimes.push_back(decodeOnce(plain, loader.pool()));
        taggedTimes.push_back(decodeOnce(tagged, loader.pool()));
        if (untaggedTimes.back() <= 0 || taggedTimes.back() <= 0)
            return 1;
    }
    const double untagged = median(untaggedTimes), withConversion = median(taggedTimes);
    emitFigure(name + "_decode_untagged", untagged * 1000, "ms", 1);
    emitFigure(name + "_decode_icc", withConversion * 1000, "ms", 1);
    emitFigure(name + "_icc_convert_ratio", (withConversion - untagged) / untagged, "x");
    return 0;
}

} // namespace bench
