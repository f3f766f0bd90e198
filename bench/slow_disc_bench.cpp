// The viewer's background work on a slow disc, measured at its loader (which the viewer's close destroys and its
// step asks for the next map): what the user waits for when the disc is busy reading ahead.
#include "slow_disc_bench.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QFile>
#include <QFileInfo>
#include <QTimer>
#include <chrono>
#include <memory>
#include <thread>
#include <vector>

#include "controls/reduced_copy_builder.h"
#include "measure.h"
#include "platform/data_files.h"
#include "platform/jpeg_decoder.h"
#include "platform/picture_buffers.h"
#include "viewer_window/map_loader.h"

namespace bench {
namespace {

constexpr qint64 DiscBytesPerSecond = 1'000'000;
constexpr int NeighbourBytes = 3'000'000;
// How long the disc has been reading ahead when the user acts.
constexpr int ReadingAheadMs = 500;

void slowDisc()
{
    platform::setReadPaceForTests([](const QString&, qint64, qint64 length) {
        std::this_thread::sleep_for(std::chrono::microseconds(length * 1'000'000 / DiscBytesPerSecond));
    });
}

void wait(int milliseconds)
{
    QEventLoop loop;
    QTimer::singleShot(milliseconds, &loop, &QEventLoop::quit);
    loop.exec();
}

qint64 residentBytes()
{
    QFile statm(QStringLiteral("/proc/self/statm"));
    if (!statm.open(QIODevice::ReadOnly))
        return 0;
    return statm.readAll().split(' ').value(1).toLongLong() * 4096;
}

} // namespace

int slowDiscTimes(const QString& folder, int runs)
{
    QDir().mkpath(folder + QStringLiteral("/Goroda"));
    platform::setCollectionFolder(folder);
    QByteArray bytes(NeighbourBytes, 'm');
    for (const char* name : {"next.jpg", "previous.jpg"}) {
        QFile file(folder + QStringLiteral("/Goroda/") + QLatin1String(name));
        if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size())
            return 1;
    }
    const QString next = QStringLiteral("Goroda/next.jpg");
    const QString previous = QStringLiteral("Goroda/previous.jpg");
    slowDisc();
    std::vector<double> closing, stepping;
    for (int run = 0; run < runs; ++run) {
        {
            auto loader = std::make_unique<viewer::MapLoader>();
            loader->readAhead({next, previous}, 0);
            wait(ReadingAheadMs);
            QElapsedTimer timer;
            timer.start();
            loader.reset();
            closing.push_back(timer.nsecsElapsed() / 1e6);
        }
        {
            viewer::MapLoader loader;
            loader.readAhead({next, previous}, 0);
            wait(ReadingAheadMs);
            // The user steps back while the next map is read ahead: the bar must show the step's read.
            QEventLoop loop;
            QObject::connect(&loader, &viewer::MapLoader::readProgress, &loop, [&loop, &previous](const QString& path) {
                if (path == previous)
                    loop.quit();
            });
            QTimer::singleShot(10'000, &loop, &QEventLoop::quit);
            QElapsedTimer timer;
            timer.start();
            loader.open(previous);
            loop.exec();
            stepping.push_back(timer.nsecsElapsed() / 1e6);
        }
    }
    platform::setReadPaceForTests({});
    emitFigure(QStringLiteral("close_during_read_ahead_ms"), median(closing), QStringLiteral("ms"), 1);
    emitFigure(QStringLiteral("step_during_read_ahead_ms"), median(stepping), QStringLiteral("ms"), 1);
    return 0;
}

int residentAfterClose(const QString& file)
{
    QFileInfo info(file);
    platform::setCollectionFolder(info.absolutePath());
    const qint64 before = residentBytes();
    {
        QString error;
        const std::optional<QByteArray> bytes = platform::readDataFile(info.fileName(), &error);
        if (!bytes)
            return 1;
        const platform::JpegDecodeResult decoded = platform::decodeJpeg(*bytes);
        if (!decoded.ok())
            return 1;
        controls::ReducedCopyBuilder builder(decoded.image, QSize(1, 1), [] {});
        while (!builder.finished()) {
            builder.takeReady();
            wait(10);
        }
    }
    // As the viewer's window is let go on close: the event loop runs on, and the memory is given back meanwhile.
    wait(platform::spareBufferLifetimeMs() + 500);
    emitFigure(QStringLiteral("resident_after_close_mib"), double(residentBytes() - before) / (1 << 20),
               QStringLiteral("MiB"), 1);
    return 0;
}

} // namespace bench
