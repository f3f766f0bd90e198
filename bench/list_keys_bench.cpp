// The catalogue window on a slow disc (an optical drive with its seeks): holding Down through the list while each
// entry's preview is read, and opening a map a second time.
#include "list_keys_bench.h"

#include <QBuffer>
#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QFile>
#include <QFileInfo>
#include <QKeyEvent>
#include <QTimer>
#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdio>
#include <map>
#include <mutex>
#include <thread>

#include "catalogue_window/tform1.h"
#include "collection_maker.h"
#include "controls/string_grid.h"
#include "current_entry/current_entry.h"
#include "desktop/error_report.h"
#include "files/data_files.h"
#include "measure.h"
#include "program_windows.h"
#include "viewer_window/tform2.h"

namespace bench {
namespace {

constexpr qint64 DiscBytesPerSecond = 300'000;
// About 170 ms of that disc.
constexpr int PreviewBytes = 51'000;
constexpr int Entries = 25;
constexpr int Keys = 20;
constexpr int KeyIntervalMs = 33; // 30 keys a second, as a held key repeats

// Bytes read of each file, by the end of its path.
struct ReadCount
{
    std::mutex mutex;
    std::map<QString, qint64> bytes;

    qint64 of(const QString& name)
    {
        std::lock_guard lock(mutex);
        qint64 total = 0;
        for (const auto& [path, count] : bytes)
            total += path.endsWith(name) ? count : 0;
        return total;
    }
};

QString mapName(int i)
{
    return QStringLiteral("m%1.jpg").arg(i, 2, 10, QLatin1Char('0'));
}

// A small picture followed by bytes a decoder passes over, each file's own.
QByteArray paddedJpeg(int size, int seed)
{
    QImage picture(320, 240, QImage::Format_RGB32);
    picture.fill(QColor(40 + seed * 7 % 200, 120, 90));
    QBuffer jpeg;
    jpeg.open(QIODevice::WriteOnly);
    picture.save(&jpeg, "JPG");
    return jpeg.data() + QByteArray(std::max(0, size - int(jpeg.data().size())), char(seed));
}

bool writeFile(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

// Runs the event loop until done() holds or milliseconds pass; false on the time out.
bool waitUntil(const std::function<bool()>& done, int milliseconds)
{
    QElapsedTimer waited;
    waited.start();
    while (!done()) {
        if (waited.elapsed() > milliseconds)
            return false;
        QEventLoop loop;
        QTimer::singleShot(1, &loop, &QEventLoop::quit);
        loop.exec();
    }
    return true;
}

} // namespace

int listKeysSlowDisc(const QString& folder)
{
    QDir().mkpath(folder + QStringLiteral("/Goroda/previews"));
    QStringList maps;
    std::vector<QByteArray> previews;
    for (int i = 0; i < Entries; ++i) {
        maps << mapName(i);
        previews.push_back(paddedJpeg(PreviewBytes, i));
        if (!writeFile(folder + QStringLiteral("/Goroda/") + maps.back(), paddedJpeg(30'000, i)) ||
            !writeFile(folder + QStringLiteral("/Goroda/previews/") + maps.back(), previews.back()))
            return 1;
    }
    if (makeCollection(folder, maps) != 0)
        return 1;
    ProgramWindows program(folder);
    CurrentEntry& entry = program.entry;
    TForm1& catalogueWindow = program.catalogueWindow;
    if (!waitUntil([&] { return entry.rowCount() == Entries && catalogueWindow.previewBytes == previews[0]; }, 10'000))
        return 1;

    ReadCount reads;
    files::setReadPaceForTests([&reads](const QString& path, qint64 offset, qint64 length) {
        // A disc gives the bytes there are: the probe past a file's end costs nothing.
        const qint64 bytes = std::clamp(QFileInfo(path).size() - offset, qint64(0), length);
        {
            std::lock_guard lock(reads.mutex);
            reads.bytes[path] += bytes;
        }
        std::this_thread::sleep_for(std::chrono::microseconds(bytes * 1'000'000 / DiscBytesPerSecond));
    });

    // The keys come as the window system delivers a held key: queued at their pace whatever the window is doing.
    using Clock = std::chrono::steady_clock;
    std::atomic<Clock::rep> lastKey{0};
    QWidget* grid = catalogueWindow.listGrid;
    // Made here: a key event made first on another thread would make the keyboard's device there.
    std::vector<QKeyEvent*> keys;
    for (int k = 0; k < Keys; ++k)
        keys.push_back(new QKeyEvent(QEvent::KeyPress, Qt::Key_Down, Qt::NoModifier, QString(), true));
    std::thread keyboard([grid, &keys, &lastKey] {
        for (QKeyEvent* key : keys) {
            std::this_thread::sleep_for(std::chrono::milliseconds(KeyIntervalMs));
            QCoreApplication::postEvent(grid, key);
        }
        lastKey = Clock::now().time_since_epoch().count();
    });
    // The panel's texts are filled in the same handler that makes the entry current.
    Clock::time_point textsShown, pictureShown;
    const bool shown = waitUntil(
        [&] {
            if (entry.row() == Keys && textsShown == Clock::time_point())
                textsShown = Clock::now();
            if (catalogueWindow.previewBytes == previews[Keys])
                pictureShown = Clock::now();
            return pictureShown != Clock::time_point();
        },
        20'000);
    keyboard.join();
    if (!shown)
        return 1;
    const Clock::time_point keyAt{Clock::duration(lastKey.load())};
    const auto msAfterKey = [&](Clock::time_point t) {
        return std::max(0.0, std::chrono::duration<double, std::milli>(t - keyAt).count());
    };
    emitFigure(QStringLiteral("list_keys_slow_disc_lag_ms"), msAfterKey(textsShown), QStringLiteral("ms"), 1);
    emitFigure(QStringLiteral("list_keys_slow_disc_picture_ms"), msAfterKey(pictureShown), QStringLiteral("ms"), 1);

    // The map of that entry opened, closed with Esc once its neighbours are read ahead, and opened again.
    const auto openViewer = [&]() -> TForm2* {
        catalogueWindow.ImageMapClick();
        TForm2* viewer = Form2;
        if (!viewer || !waitUntil([viewer] { return !viewer->isOpening(); }, 10'000))
            return nullptr;
        return viewer;
    };
    TForm2* viewer = openViewer();
    if (!viewer)
        return 1;
    waitUntil([] { return false; }, 500);
    QKeyEvent escape(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier);
    QCoreApplication::sendEvent(viewer, &escape);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    const qint64 readBefore = reads.of(QStringLiteral("/") + mapName(Keys));
    viewer = openViewer();
    if (!viewer)
        return 1;
    const qint64 readAgain = reads.of(QStringLiteral("/") + mapName(Keys)) - readBefore;
    viewer->close();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    files::setReadPaceForTests({});
    desktop::setMessageSink({});
    emitFigure(QStringLiteral("reopen_read_bytes"), double(readAgain), QStringLiteral("bytes"), 0);
    return 0;
}

} // namespace bench
