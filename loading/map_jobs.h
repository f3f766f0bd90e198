#pragma once

#include <QByteArray>
#include <QImage>
#include <QObject>
#include <QString>
#include <QStringList>
#include <functional>
#include <map>
#include <memory>
#include <mutex>
#include <stop_token>

#include "failure/result.h"
#include "loading/delivery.h"
#include "loading/kept_reads.h"
#include "picture/jpeg_decoder.h"

namespace files {
class DataFileRead;
}
namespace work {
class WorkPool;
}

namespace loading {

class MapStream;

/// A map file read: its bytes whole, or for a file larger than is held whole (KeptReads::largestHeldFile), the stream
/// its decode takes them from while the disc reads on.
struct MapData
{
    QByteArray bytes;
    std::shared_ptr<MapStream> stream;
    qint64 size = 0; ///< the file's
};

/// A map file read, or the failure that kept it from being read.
using MapFile = failure::Result<MapData>;

/// The reads of one viewer stopped part way, their files closed, kept for that viewer to go on with (a neighbour read
/// ahead in part, then opened); they go with the viewer. Given up once their file has changed. Shared by the jobs;
/// every member takes the lock.
class PartReads
{
public:
    /// The read of path kept (taken); null when there is none.
    std::shared_ptr<files::DataFileRead> take(const QString& path);
    void park(std::shared_ptr<files::DataFileRead> read);
    /// Drops every read but those of paths.
    void keepOnly(const QStringList& paths);

private:
    std::mutex m_mutex;
    std::map<QString, std::pair<std::shared_ptr<files::DataFileRead>, KeptReads::Stamp>> m_reads;
};

/// What the map jobs of one viewer work with: the program's pool and whole reads, the viewer's part reads.
struct MapJobPlace
{
    work::WorkPool* pool;
    std::shared_ptr<KeptReads> kept;
    std::shared_ptr<PartReads> parts;
};

/// The map to show now read, before anything else: bytes kept whole are taken on a compute thread, with no wait for
/// the disc lane; otherwise the disc lane reads it (going on with a part read of it), or for a file larger than is
/// held whole, hands done its stream with the first piece and reads on into it. progress gets the bytes read of the
/// size after each percent; done the file or the failure (a shortage of memory for the file is one).
class MapRead : public std::enable_shared_from_this<MapRead>
{
public:
    using Progress = std::function<void(qint64 done, qint64 size)>;
    using Done = std::function<void(const MapFile&)>;

    MapRead(MapJobPlace place, QString path, Delivery delivery, Progress progress, Done done);
    static void start(std::shared_ptr<MapRead> read);

private:
    void lookInMemory(std::stop_token stop);
    void readDisc(std::stop_token stop);
    void stream(std::stop_token stop);
    void reportProgress(qint64 done, qint64 size);
    void deliver(MapFile file);

    MapJobPlace m_place;
    QString m_path;
    Delivery m_delivery;
    Progress m_progress;
    Done m_done;
    int m_shownPercent = -1;
};

/// Neighbours read ahead on the disc lane, in order, each within the budget of the work ahead; a read stopped part
/// way is kept by the viewer, a whole one by the program. Then the top headRows rows of the first are decoded on a
/// compute thread (none for a picture wider than the budget of a head allows) and handed to head.
class ReadAhead : public std::enable_shared_from_this<ReadAhead>
{
public:
    /// The largest head decoded ahead. A wider map's head is not decoded ahead: for a 10000-pixel-wide map it would
    /// hold 40 MiB, a tenth of the picture, to save about 30 ms of a step whose rows in view decode in under 100 ms
    /// anyway (measured with bench/run).
    static constexpr qint64 MaxHeadBytes = qint64(16) << 20;
    using Head = std::function<void(const QString& path, const QImage& head)>;

    ReadAhead(MapJobPlace place, QStringList paths, int headRows, Delivery delivery, Head head);
    static void start(std::shared_ptr<ReadAhead> ahead);

private:
    void read(std::stop_token stop);
    void decodeHead(const QString& path, const QByteArray& bytes, std::stop_token stop);

    MapJobPlace m_place;
    QStringList m_paths;
    int m_headRows;
    Delivery m_delivery;
    Head m_head;
};

/// A map's bytes (or its stream's pieces as they come) decoded on a compute thread, before any other computing. The
/// callbacks of the options (progress, beforePicture, pictureStarted, partReady) are delivered in the order the decoder
/// makes them; the decode waits for beforePicture to have run (never the GUI thread for the decode) before it takes the
/// picture's memory, and a stop ends that wait. finished gets the result last.
class MapDecode
{
public:
    using Finished = std::function<void(const failure::Result<QImage>&)>;

    /// ownerEnd stops the decode when its owner goes.
    MapDecode(work::WorkPool& pool, MapData file, picture::JpegDecodeOptions options, std::stop_token ownerEnd,
              Delivery delivery, Finished finished);
    static void start(std::shared_ptr<MapDecode> decode);

private:
    void run(std::stop_token jobStop);

    work::WorkPool& m_pool;
    MapData m_file;
    picture::JpegDecodeOptions m_guiOptions;
    std::stop_token m_ownerEnd;
    Delivery m_delivery;
    Finished m_finished;
};

} // namespace loading
