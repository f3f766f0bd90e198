// Decode figures: the viewer's full decode path (file read, decode with progress into a shown bar, the picture
// handed to the picture control) and the preview's DCT-scaled decode, each against djpeg run in the same loop.
#include "decode_bench.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QFile>
#include <QFileInfo>
#include <QProgressBar>
#include <algorithm>
#include <cstring>
#include <sys/mman.h>

#include "controls/picture_control.h"
#include "files/data_files.h"
#include "loading/loader.h"
#include "loading/map_loader.h"
#include "measure.h"
#include "picture/jpeg_decoder.h"
#include "work/work_pool.h"

namespace bench {
namespace {

/// What the viewer's open step does with one map: read, decode with the bar following the reports (on the program's
/// pool, as the viewer's decode: its lower band and the picture's pages), show.
double openOnce(const QString& path, QProgressBar& bar, controls::PictureControl& control, work::WorkPool& pool)
{
    const double start = now();
    const QFileInfo info(path);
    files::setCollectionFolder(info.absolutePath());
    const failure::Result<QByteArray> bytes = files::readDataFile(info.fileName());
    if (!bytes)
        return -1;
    picture::JpegDecodeOptions options;
    options.pool = &pool;
    // As the viewer: a progressive map's early passes for the rows of a full-screen view.
    options.previewRows = 1016;
    // As the viewer's progress handler: every report sets the bar, a repaint at most once a frame.
    QElapsedTimer sinceBarPainted;
    options.progress = [&bar, &sinceBarPainted](picture::ProgressStage stage, int percent) {
        bar.show();
        if (stage == picture::ProgressStage::Starting)
            bar.setValue(0);
        else if (stage == picture::ProgressStage::Running)
            bar.setValue(std::clamp(bar.value() + percent, 0, 100));
        else
            bar.hide();
        if (stage != picture::ProgressStage::Running || !sinceBarPainted.isValid() || sinceBarPainted.elapsed() >= 16) {
            bar.repaint();
            sinceBarPainted.start();
        }
    };
    failure::Result<QImage> decoded = picture::decodeJpeg(*bytes, options);
    if (!decoded.has_value())
        return -1;
    control.setPicture(decoded.value());
    return now() - start;
}

double previewOnce(const QString& path)
{
    // As the catalogue's detail panel: the file read through the collection's data files, then decoded.
    const double start = now();
    const QFileInfo info(path);
    files::setCollectionFolder(info.absolutePath());
    const failure::Result<QByteArray> bytes = files::readDataFile(info.fileName());
    if (!bytes)
        return -1;
    picture::JpegDecodeOptions options;
    // Any box smaller than an eighth of the picture: the decoder picks libjpeg's 1/8 scaling, as for a preview.
    options.fitBox = QSize(1, 1);
    const failure::Result<QImage> decoded = picture::decodeJpeg(*bytes, options);
    return decoded.has_value() ? now() - start : -1;
}

struct Bar
{
    loading::Loader loader; // the program's, made first and gone last
    QProgressBar bar;
    controls::PictureControl control;
    Bar()
    {
        control.setWorkPool(&loader.pool());
        bar.setRange(0, 100);
        bar.setTextVisible(false);
        bar.resize(1024, 25);
    }
};

} // namespace

int decodeOnce(const QString& path)
{
    Bar sink;
    const double seconds = openOnce(path, sink.bar, sink.control, sink.loader.pool());
    std::printf("%.6f\n", seconds);
    return seconds < 0 ? 1 : 0;
}

int decodeRatio(const QString& name, const QString& path, int runs)
{
    const QString self = QCoreApplication::applicationFilePath();
    std::vector<double> reference, cold, warm;
    Bar sink;
    for (int i = 0; i < runs; ++i) {
        reference.push_back(runProcess({"djpeg", "-outfile", "/dev/null", path}));
        cold.push_back(runProcessOutput({self, "decode-once", path}).trimmed().toDouble());
        // The viewer window deletes itself on close; the next opening starts without the previous picture.
        sink.control.clearPicture();
        warm.push_back(openOnce(path, sink.bar, sink.control, sink.loader.pool()));
    }
    if (anyFailed({&reference, &cold, &warm}, QStringLiteral("decode of ") + path))
        return 1;
    emitFigure(name + "_djpeg", median(reference) * 1000, "ms", 1);
    emitFigure(name + "_decode_first", median(cold) * 1000, "ms", 1);
    emitFigure(name + "_decode_ratio_first", median(cold) / median(reference), "x");
    emitFigure(name + "_decode_again", median(warm) * 1000, "ms", 1);
    emitFigure(name + "_decode_ratio_again", median(warm) / median(reference), "x");
    return 0;
}

int previewRatio(const QString& name, const QString& path, int runs)
{
    std::vector<double> reference, ours;
    for (int i = 0; i < runs; ++i) {
        reference.push_back(runProcess({"djpeg", "-scale", "1/8", "-outfile", "/dev/null", path}));
        ours.push_back(previewOnce(path));
    }
    emitFigure(name + "_preview_djpeg", median(reference) * 1000, "ms", 1);
    emitFigure(name + "_preview_ratio", median(ours) / median(reference), "x");
    return 0;
}

int stopProgressiveDecode(const QString& path, int runs)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return 1;
    const QByteArray bytes = file.readAll();
    std::vector<double> times;
    loading::Loader programLoader;
    for (int run = 0; run < runs; ++run) {
        // As the viewer's decode: a job of the program's loader, with the early passes of a full-screen view, stopped
        // from the GUI thread as a step or a close stops it, once the bar shows 30 %.
        loading::MapLoader loader(programLoader);
        std::stop_source stop;
        QEventLoop loop;
        picture::JpegDecodeOptions options;
        options.previewRows = 1016;
        options.stop = stop.get_token();
        int percent = 0;
        double stoppedAt = -1;
        options.progress = [&](picture::ProgressStage stage, int delta) {
            percent += stage == picture::ProgressStage::Running ? delta : 0;
            if (percent >= 30 && stoppedAt < 0) {
                stoppedAt = now();
                stop.request_stop();
                loop.quit();
            }
        };
        bool finished = false;
        // A stopped decode delivers nothing: its end is the end of the pool's jobs, when its coefficients and its
        // picture are let go.
        loader.decode({bytes, nullptr, bytes.size()}, options, [&](const failure::Result<QImage>&) {
            finished = true;
            loop.quit();
        });
        loop.exec();
        const bool ended = programLoader.pool().waitForJobs(10'000);
        const double endedAt = now();
        if (stoppedAt < 0 || finished || !ended) {
            std::fprintf(stderr, "the decode of %s was not stopped\n", qPrintable(path));
            return 1;
        }
        times.push_back(endedAt - stoppedAt);
    }
    emitFigure(QStringLiteral("stop_progressive_decode_ms"), median(times) * 1000, QStringLiteral("ms"), 1);
    return 0;
}

int freshMemoryCost(int runs)
{
    constexpr size_t Bytes = size_t(400) << 20;
    std::vector<double> times;
    for (int i = 0; i < runs; ++i) {
        const double start = now();
        void* memory = mmap(nullptr, Bytes, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
        if (memory == MAP_FAILED)
            return 1;
        std::memset(memory, 1, Bytes);
        times.push_back(now() - start);
        munmap(memory, Bytes);
    }
    emitFigure("fresh_memory_ms_per_400mb", median(times) * 1000, "ms", 1);
    return 0;
}

} // namespace bench
