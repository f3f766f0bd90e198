// The cost of an embedded colour profile: the same map decoded with and without one, alternating, in one process
// (the picture's memory is reused, as when the viewer opens the next map), so that the difference is the conversion.
#include "colour_bench.h"

#include <QFile>
#include <algorithm>
#include <cstring>
#include <ctime>
#include <vector>

#include "icc_profiles.h"
#include "loading/loader.h"
#include "measure.h"
#include "picture/colour_profile.h"
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

double threadSeconds()
{
    timespec t{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
    return static_cast<double>(t.tv_sec) + static_cast<double>(t.tv_nsec) * 1e-9;
}

// The conversion alone on each path this processor has, over the decoded map's own pixels: the best of the runs in
// CPU time of the converting thread, in nanoseconds a pixel (a busy machine shows less in it than in the wall-clock
// ratio).
void conversionPerPath(const QString& name, const QByteArray& plain, int runs)
{
    const failure::Result<QImage> decoded = picture::decodeJpeg(plain);
    if (!decoded.has_value())
        return;
    const QImage& map = decoded.value();
    const QByteArray icc = iccprofiles::adobeRgbProfile();
    const std::pair<picture::ConversionPath, const char*> paths[] = {{picture::ConversionPath::Scalar, "scalar"},
                                                                     {picture::ConversionPath::Avx2, "avx2"},
                                                                     {picture::ConversionPath::Avx512, "avx512"}};
    for (const auto& [path, pathName] : paths) {
        if (!picture::ColourConversion::pathAvailable(path))
            continue;
        const auto conversion = picture::ColourConversion::fromIcc(icc, picture::ProfileInput::Rgb32, nullptr, path);
        // Band by band, each copied into a buffer that stays in the cache, as the decoder converts the rows it has
        // just written.
        constexpr int BandRows = 8;
        QImage band(map.width(), BandRows, map.format());
        double best = 1e9;
        for (int i = 0; i < runs; ++i) {
            double seconds = 0;
            for (int top = 0; top + BandRows <= map.height(); top += BandRows) {
                std::memcpy(band.bits(), map.constScanLine(top), static_cast<std::size_t>(band.sizeInBytes()));
                const double start = threadSeconds();
                conversion->convertRows(band.bits(), band.bytesPerLine(), band.width(), BandRows);
                seconds += threadSeconds() - start;
            }
            best = std::min(best, seconds);
        }
        emitFigure(name + "_icc_ns_per_pixel_" + pathName, best * 1e9 / (double(map.width()) * map.height()), "ns", 2);
    }
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
    conversionPerPath(name, plain, runs);
    return 0;
}

} // namespace bench
