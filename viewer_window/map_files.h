#pragma once

#include <QByteArray>
#include <QImage>
#include <QString>
#include <QStringList>
#include <functional>
#include <memory>
#include <optional>
#include <thread>

namespace viewer {

/// A map file's bytes, or the reason they could not be read.
struct MapFile
{
    std::optional<QByteArray> bytes;
    QString error;
};

/// Reads map files for the viewer off the GUI thread: the file to open now, while the window goes on handling its
/// events, and, while a map is on show, the files of the maps next to it (collections are often read from a disc)
/// and the top rows of the next map, decoded ahead. Everything runs on one thread at a time besides the caller's;
/// results are handed over under a lock. Destroying the reader stops the work ahead and waits for it. Where no thread
/// can be had, the file to open is read on the calling thread and nothing is read ahead.
class MapFiles
{
public:
    /// threads false: everything on the calling thread, as where no thread can be had.
    explicit MapFiles(bool threads = true);
    ~MapFiles();
    MapFiles(const MapFiles&) = delete;
    MapFiles& operator=(const MapFiles&) = delete;

    /// The bytes of the file at the collection-relative path: taken from what was read ahead, or read now.
    /// whileWaiting runs every few milliseconds until they are there.
    MapFile read(const QString& path, const std::function<void()>& whileWaiting);
    /// The top rows of path's picture decoded ahead; null when there are none.
    QImage takeHead(const QString& path);
    /// Reads these files in the background, in this order, then decodes the top headRows rows of the first (a
    /// sequential file only; headRows 0 decodes nothing). What was read ahead for other paths is dropped; work ahead
    /// still running is stopped first.
    void readAhead(const QStringList& paths, int headRows);
    /// Stops the work ahead and waits for its thread.
    void stop();
    /// Asks the work ahead to stop after the file it is reading, without waiting for it.
    void cancel();

    /// Largest file read ahead, and largest head decoded ahead: the budget of the work ahead. A wider map's head is
    /// not decoded ahead: for a 10000-pixel-wide map it would hold 40 MiB, a tenth of the picture, to save about
    /// 30 ms of a step whose rows in view decode in under 100 ms anyway (measured with bench/run).
    static constexpr qint64 MaxAheadFileBytes = qint64(256) << 20;
    static constexpr qint64 MaxHeadBytes = qint64(16) << 20;

    /// What the caller and the thread ahead share, under its lock.
    struct Shared;

private:
    std::shared_ptr<Shared> m_shared;
    std::thread m_thread;
    bool m_threads = true;
};

} // namespace viewer
