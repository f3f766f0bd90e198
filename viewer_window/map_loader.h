#pragma once

#include <QByteArray>
#include <QImage>
#include <QObject>
#include <QString>
#include <QStringList>
#include <functional>
#include <future>
#include <memory>
#include <optional>
#include <stop_token>

#include "failure/result.h"
#include "loading/loader.h"
#include "picture/jpeg_decoder.h"

namespace work {
class WorkPool;
}

namespace viewer {

/// A map file's bytes, or the failure that kept them from being read.
using MapFile = failure::Result<QByteArray>;

/// The viewer's wishes to the program's loader: reading the map on show, decoding it, reading its neighbours ahead,
/// decoding the top of the next map ahead, and (through pool(), handed to the decoder and the picture) the lower band
/// of a decode, the reduced copies and making a picture's pages present. It holds no thread of its own.
///
/// Threading model. This lives on the GUI thread; the program loader's pool has one disc thread, which reads files
/// one at a time (two readers make a disc drive seek back and forth), and a few compute threads. Every job carries a
/// request and looks at it between pieces of at most about 50 ms (a file is read in pieces sized so); a stopped read
/// is kept where it stopped and goes on from there when it is wanted again. What was read (the map opened, whole,
/// and its neighbours) is kept by the program's loader beyond this window, so that opening the map again, from a
/// later window too, reads nothing. Results come back to the GUI thread as
/// queued calls, which emit the signals below: nobody waits or polls. The user's own read comes first: open() stops
/// the reading ahead (which keeps what it has read), runs before anything queued, and reading ahead starts only once
/// the map on show is read. Destroying this asks every job of it to stop and returns at once; the jobs hold shared
/// ownership of what they touch and end by themselves within a piece, and nothing they post arrives after this is
/// gone. A decode's callbacks come to the GUI thread the same way, in the order the decoder makes them; the one that
/// hands over the old picture's memory is waited for by the decode (never by the GUI thread), and a stop ends that
/// wait.
class MapLoader : public QObject
{
    Q_OBJECT
public:
    /// The largest file read ahead, and largest head decoded ahead: the budget of the work ahead. A wider map's head
    /// is not decoded ahead: for a 10000-pixel-wide map it would hold 40 MiB, a tenth of the picture, to save about
    /// 30 ms of a step whose rows in view decode in under 100 ms anyway (measured with bench/run).
    static constexpr qint64 MaxAheadFileBytes = loading::KeptReads::MaxFileBytes;
    static constexpr qint64 MaxHeadBytes = qint64(16) << 20;

    explicit MapLoader(loading::Loader& loader, QObject* parent = nullptr);
    ~MapLoader() override;

    /// Reads the map to show now, before any other read: what was read ahead of it, whole or in part, is taken and
    /// continued; the reading ahead stops (keeping what it has) and a previous open() still running is stopped.
    /// readProgress reports the read and mapRead its end. The future holds the same result (for a caller that cannot
    /// yet take the signal); a stopped read ends with the failure ReadStopped.
    std::shared_future<MapFile> open(const QString& path);
    /// Reads these files ahead, in this order, then decodes the top headRows rows of the first (a sequential file
    /// only; 0 decodes nothing). Starts once the map opened last is read. What was read ahead for other paths is
    /// dropped; the reading ahead that runs is stopped first.
    void readAhead(const QStringList& paths, int headRows);
    /// Decodes a map's bytes on a compute thread, before any other computing. The callbacks of options (progress,
    /// beforePicture, pictureStarted, partReady) are called on the GUI thread, queued, in the order the decoder makes
    /// them; the decode waits for beforePicture to have run before it takes the picture's memory. finished gets the
    /// result last. options.stop (kept by the caller) or the loader's end stops the decode within a progress report;
    /// nothing arrives after the loader is gone. options.pool is set to pool().
    void decode(QByteArray bytes, picture::JpegDecodeOptions options,
                std::function<void(const failure::Result<QImage>&)> finished);
    /// Stops the reading and decoding ahead; what it has read is kept.
    void stopAhead();
    /// Stops everything, the map being opened included.
    void stopAll();
    /// The top rows of path's picture decoded ahead (taken, once); null when there are none.
    QImage takeHead(const QString& path);
    /// True while the top rows of path's picture decoded ahead are waiting to be taken.
    bool hasHead(const QString& path) const;
    /// The pool for the decode's lower band, the picture's pages and the reduced copies.
    work::WorkPool& pool();

    struct Shared;

signals:
    /// Bytes of path read so far, of size.
    void readProgress(const QString& path, qint64 done, qint64 size);
    /// The map opened last is read, or its read failed.
    void mapRead(const QString& path, const viewer::MapFile& file);

private:
    void startAhead();
    void opened(quint64 serial, const QString& path, const MapFile& file);

    std::shared_ptr<Shared> m_shared;
    loading::Loader& m_loader;
    std::stop_source m_openStop;
    std::stop_source m_aheadStop;
    quint64 m_openSerial = 0;
    bool m_opening = false;
    // Reading ahead asked for while the map on show is still being read.
    std::optional<std::pair<QStringList, int>> m_pendingAhead;
};

} // namespace viewer
