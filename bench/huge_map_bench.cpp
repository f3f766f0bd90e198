// Figures of a map too large to decode whole: the overview, the parts in view at full detail, the memory.
#include "huge_map_bench.h"

#include <QEventLoop>
#include <QFile>
#include <QFileInfo>
#include <QRect>
#include <algorithm>
#include <cstdio>
#include <memory>
#include <vector>

#include "files/data_files.h"
#include "loading/loader.h"
#include "loading/map_loader.h"
#include "loading/map_stream.h"
#include "measure.h"
#include "picture/jpeg_decoder.h"
#include "picture/jpeg_overview_decode.h"

namespace bench {
namespace {

constexpr QSize View(1920, 1080);

struct Overview
{
    double seconds = -1;
    QSize map;
    std::shared_ptr<const picture::OverviewDetail> detail;
    loading::MapSource source;
};

// As the viewer: the file read by the program's loader (held whole, or coming from the disc in pieces into the
// decode for a file larger than is held), decoded as its overview.
Overview overviewOnce(const QString& path)
{
    const QFileInfo file(path);
    files::setCollectionFolder(file.absolutePath());
    const QString name = file.fileName();
    loading::Loader program; // anew each time: no read kept from the run before
    loading::MapLoader loader(program);
    QEventLoop loop;
    Overview result;
    bool decoded = false;
    const double start = now();
    QObject::connect(&loader, &loading::MapLoader::mapRead, [&](const QString&, const loading::MapFile& read) {
        if (!read)
            return loop.quit();
        result.source = {read->bytes, name, read->stream ? read->stream->stamp() : files::FileStamp()};
        picture::JpegDecodeOptions options;
        options.maxPixels = 1; // every map is over the limit
        options.overviewBytes = picture::DefaultOverviewBytes;
        options.overviewStarted = [&result](QSize map, int) { result.map = map; };
        options.overviewScanned = [&result](std::shared_ptr<const picture::OverviewDetail> detail) {
            result.detail = std::move(detail);
        };
        loader.decode(*read, std::move(options), [&](const failure::Result<QImage>& overview) {
            decoded = bool(overview);
            loop.quit();
        });
    });
    loader.open(name);
    loop.exec();
    if (decoded && result.detail)
        result.seconds = now() - start;
    return result;
}

// A part at full detail as the viewer's tiles are decoded: a job of the loader (the disc lane for a file not held).
double partSeconds(const Overview& overview, QRect part)
{
    loading::Loader program;
    loading::MapLoader loader(program);
    QEventLoop loop;
    bool decoded = false;
    const double start = now();
    loader.decodePart(overview.detail, overview.source, part, 1, {}, [&](const failure::Result<QImage>& pixels) {
        decoded = bool(pixels);
        loop.quit();
    });
    loop.exec();
    return decoded ? now() - start : -1;
}

double peakResidentMib()
{
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return -1;
    for (const QByteArray& line : status.readAll().split('\n')) {
        if (line.startsWith("VmHWM:"))
            return line.mid(6).trimmed().split(' ').first().toDouble() / 1024;
    }
    return -1;
}

} // namespace

int hugeMap(const QString& name, const QString& path, int runs)
{
    std::vector<double> reference, ours, corner, panned;
    for (int i = 0; i < runs; ++i) {
        reference.push_back(runProcess({"djpeg", "-scale", "1/8", "-outfile", "/dev/null", path}));
        const Overview overview = overviewOnce(path);
        if (overview.seconds < 0) {
            std::fprintf(stderr, "the overview of %s failed\n", qPrintable(path));
            return 1;
        }
        ours.push_back(overview.seconds);
        const QRect map(QPoint(0, 0), overview.map);
        const QRect lowerRight =
            QRect(QPoint(overview.map.width() - View.width(), overview.map.height() - View.height()), View) & map;
        corner.push_back(partSeconds(overview, lowerRight));
        // A map less than two views wide has no view left of its corner's.
        if (overview.map.width() >= 2 * View.width())
            panned.push_back(partSeconds(overview, lowerRight.translated(-View.width(), 0)));
    }
    if (anyFailed({&corner, &panned}, QStringLiteral("a part of ") + path))
        return 1;
    emitFigure(name + "_overview_ms", median(ours) * 1000, "ms", 1);
    emitFigure(name + "_overview_djpeg_ms", median(reference) * 1000, "ms", 1);
    emitFigure(name + "_overview_ratio", median(ours) / median(reference), "x");
    emitFigure(name + "_corner_view_ms", median(corner) * 1000, "ms", 1);
    if (!panned.empty())
        emitFigure(name + "_panned_view_ms", median(panned) * 1000, "ms", 1);
    emitFigure(name + "_decode_peak_rss_mib", peakResidentMib(), "MiB", 1);
    return 0;
}

} // namespace bench
