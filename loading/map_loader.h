#pragma once

#include <QByteArray>
#include <QImage>
#include <QObject>
#include <QString>
#include <QStringList>
#include <functional>
#include <memory>
#include <optional>
#include <stop_token>

#include "failure/result.h"
#include "loading/map_jobs.h"
#include "loading/part_decode.h"
#include "picture/jpeg_decoder.h"

namespace work {
class WorkPool;
}

namespace loading {

class Loader;

/// A viewer's wishes to the program's loader: reading the map on show, decoding it, reading its neighbours ahead,
/// decoding the top of the next map ahead, and (through pool(), handed to the decoder and the picture) the lower band
/// of a decode, the reduced copies and making a picture's pages present. It holds no thread of its own; each wish is
/// a job of map_jobs.h.
///
/// This lives on the GUI thread. The user's own read comes first: open() stops the reading ahead (which keeps what it
/// has read), takes bytes kept whole without waiting for the disc, runs before anything queued, holds back the
/// catalogue's pictures until it has read, and reading ahead starts only once the map on show is read. A stopped read
/// closes its file within a piece; what this window read part way goes with it, what was read whole (the map opened,
/// and its neighbours) is kept by the program's loader beyond it, so that opening the map again, from a later window
/// too, reads nothing. Results come back to the GUI thread as queued calls, which emit the signals below: nobody
/// waits or polls. Destroying this asks every job of it to stop and returns at once; the jobs end by themselves
/// within a piece, and nothing they post arrives after this is gone.
class MapLoader : public QObject
{
    Q_OBJECT
public:
    explicit MapLoader(Loader& loader, QObject* parent = nullptr);
    ~MapLoader() override;

    /// Reads the map to show now, before any other read: what was read ahead of it, whole or in part, is taken and
    /// continued; the reading ahead stops (keeping what it has) and a previous open() still running is stopped.
    /// readProgress reports the read and mapRead its end.
    void open(const QString& path);
    /// Reads these files ahead, in this order, then decodes the top headRows rows of the first (a sequential file
    /// only; 0 decodes nothing): headDecoded tells when they are there. Starts once the map opened last is read. What
    /// was read ahead for other paths is dropped; the reading ahead that runs is stopped first.
    void readAhead(const QStringList& paths, int headRows);
    /// Decodes a map's bytes (see MapDecode); options.stop (kept by the caller) or the end of this stops the decode
    /// within a progress report; nothing arrives after this is gone. options.pool is set to pool().
    void decode(MapData file, picture::JpegDecodeOptions options, MapDecode::Finished finished);
    /// Decodes a part of a map shown as its overview (see PartDecode); done runs on the GUI thread unless stop was
    /// requested by then or this is gone.
    void decodePart(std::shared_ptr<const picture::OverviewDetail> detail, MapSource source, QRect region, int scale,
                    std::stop_token stop, PartDecode::Done done);
    /// Stops the reading and decoding ahead; what it has read is kept.
    void stopAhead();
    /// Stops everything, the map being opened included.
    void stopAll();
    /// The top rows of path's picture decoded ahead (taken, once); null when there are none.
    QImage takeHead(const QString& path);
    /// The pool for the decode's lower band, the picture's pages and the reduced copies.
    work::WorkPool& pool();

signals:
    /// Bytes of path read so far, of size.
    void readProgress(const QString& path, qint64 done, qint64 size);
    /// The map opened last is read, or its read failed.
    void mapRead(const QString& path, const loading::MapFile& file);
    /// The top rows of path's picture are decoded ahead, for takeHead().
    void headDecoded(const QString& path);

private:
    void startAhead();
    void opened(quint64 serial, const QString& path, const MapFile& file);
    void setReading(bool reading);
    MapJobPlace place() const;

    Loader& m_loader;
    std::shared_ptr<PartReads> m_parts = std::make_shared<PartReads>();
    std::stop_source m_end;
    std::stop_source m_openStop;
    std::stop_source m_aheadStop;
    quint64 m_openSerial = 0;
    bool m_opening = false;
    // Reading ahead asked for while the map on show is still being read.
    std::optional<std::pair<QStringList, int>> m_pendingAhead;
    QString m_headPath;
    QImage m_head;
};

} // namespace loading
