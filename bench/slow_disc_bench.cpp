// The viewer's background work on a slow disc, measured through the viewer's window: what the user waits for when
// the disc is busy reading ahead.
#include "slow_disc_bench.h"

#include <QBuffer>
#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QFile>
#include <QFileInfo>
#include <QKeyEvent>
#include <QProgressBar>
#include <QTimer>
#include <chrono>
#include <cstdio>
#include <memory>
#include <thread>
#include <vector>

#include "catalogue_window/tform1.h"
#include "collection_maker.h"
#include "controls/reduced_copy_builder.h"
#include "controls/string_grid.h"
#include "desktop/error_report.h"
#include "files/data_files.h"
#include "measure.h"
#include "picture/jpeg_decoder.h"
#include "picture/picture_buffers.h"
#include "program_windows.h"
#include "viewer_window/tform2.h"

namespace bench {
namespace {

constexpr qint64 DiscBytesPerSecond = 1'000'000;
constexpr int NeighbourBytes = 3'000'000;
// How long the disc has been reading ahead when the user acts.
constexpr int ReadingAheadMs = 500;

void slowDisc()
{
    files::setReadPaceForTests([](const QString&, qint64, qint64 length) {
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
    // The map on show is small; its neighbours hold a picture followed by 3 MB that a decoder passes over.
    QImage picture(400, 300, QImage::Format_RGB32);
    picture.fill(QColor(200, 180, 140));
    QBuffer jpeg;
    jpeg.open(QIODevice::WriteOnly);
    if (!picture.save(&jpeg, "JPG"))
        return 1;
    const QStringList files{QStringLiteral("previous.jpg"), QStringLiteral("shown.jpg"), QStringLiteral("next.jpg")};
    for (const QString& name : files) {
        const QByteArray bytes = jpeg.data() + QByteArray(name == files[1] ? 0 : NeighbourBytes, '\0');
        QFile file(folder + QStringLiteral("/Goroda/") + name);
        if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size())
            return 1;
    }
    if (makeCollection(folder, files) != 0)
        return 1;
    ProgramWindows program(folder);
    TForm1& catalogueWindow = program.catalogueWindow;

    // Opens the map in the middle and lets the disc read its neighbours ahead for a while.
    const auto openAndReadAhead = [&]() -> TForm2* {
        files::setReadPaceForTests({});
        catalogueWindow.listGrid->setRow(1);
        catalogueWindow.ImageMapClick();
        TForm2* viewer = Form2;
        if (!viewer)
            return nullptr;
        for (int waited = 0; viewer->isOpening() && waited < 10'000; waited += 10)
            wait(10);
        slowDisc();
        wait(ReadingAheadMs);
        return viewer;
    };
    std::vector<double> closing, stepping;
    for (int run = 0; run < runs; ++run) {
        {
            TForm2* viewer = openAndReadAhead();
            if (!viewer)
                return 1;
            // As Esc does, and the window let go as the event loop does next.
            QElapsedTimer timer;
            timer.start();
            QKeyEvent escape(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier);
            QCoreApplication::sendEvent(viewer, &escape);
            QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
            closing.push_back(timer.nsecsElapsed() / 1e6);
        }
        {
            TForm2* viewer = openAndReadAhead();
            if (!viewer)
                return 1;
            // The user steps back while the next map is read ahead: until the bar shows the step's read.
            QEventLoop loop;
            QObject::connect(viewer->progressBar, &QProgressBar::valueChanged, &loop, [&loop](int value) {
                if (value > 0)
                    loop.quit();
            });
            QTimer::singleShot(10'000, &loop, &QEventLoop::quit);
            QElapsedTimer timer;
            timer.start();
            QKeyEvent left(QEvent::KeyPress, Qt::Key_Left, Qt::NoModifier);
            QCoreApplication::sendEvent(viewer, &left);
            loop.exec();
            stepping.push_back(timer.nsecsElapsed() / 1e6);
            viewer->close();
            QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        }
    }
    files::setReadPaceForTests({});
    desktop::setMessageSink({});
    emitFigure(QStringLiteral("close_during_read_ahead_ms"), median(closing), QStringLiteral("ms"), 1);
    emitFigure(QStringLiteral("step_during_read_ahead_ms"), median(stepping), QStringLiteral("ms"), 1);
    return 0;
}

int residentAfterClose(const QString& file)
{
    QFileInfo info(file);
    files::setCollectionFolder(info.absolutePath());
    const qint64 before = residentBytes();
    {
        const failure::Result<QByteArray> bytes = files::readDataFile(info.fileName());
        if (!bytes)
            return 1;
        const failure::Result<QImage> decoded = picture::decodeJpeg(*bytes);
        if (!decoded.has_value())
            return 1;
        controls::ReducedCopyBuilder builder(decoded.value(), QSize(1, 1), [] {});
        while (!builder.finished()) {
            builder.takeReady();
            wait(10);
        }
    }
    // As the viewer's window is let go on close: the event loop runs on, and the memory is given back meanwhile.
    wait(picture::spareBufferLifetimeMs() + 500);
    emitFigure(QStringLiteral("resident_after_close_mib"), double(residentBytes() - before) / (1 << 20),
               QStringLiteral("MiB"), 1);
    return 0;
}

} // namespace bench
