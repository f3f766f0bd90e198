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
#include "files/data_files.h"
#include "picture/jpeg_decoder.h"
#include "work/work_pool.h"

namespace loading {

/// The reads the disc lane has made and that are kept for a later wish: a neighbour read ahead, whole or in part,
/// and the map opened last, whole. They outlive the viewer window that asked for them, so that opening the same map
/// again reads nothing. A read is kept with its file's size and time of change, and given up once the file has
/// changed (a collection on a writable disc), during the read too: the stamp is the one taken before the read. Shared
/// by the jobs; every member takes the lock; take() and wholeBytes() look at the file (no byte of it is read), on the
/// disc lane.
class KeptReads
{
public:
    using Stamp = files::FileStamp;

    /// The largest file kept: the budget of the work ahead.
    static constexpr qint64 MaxFileBytes = qint64(256) << 20;

    /// The read of path kept (taken); null when there is none.
    std::shared_ptr<files::DataFileRead> take(const QString& path);
    /// Keeps a read not going on now, whole, half done or failed.
    void park(std::shared_ptr<files::DataFileRead> read);
    /// Keeps the whole bytes of the map opened last (when within the budget), in place of the one kept before; stamp
    /// is its file's, taken before the bytes were read.
    void keepOpened(const QString& path, const QByteArray& bytes, const Stamp& stamp);
    /// The bytes of path kept whole (opened last or read ahead to its end), shared, with the stamp they were kept
    /// with; null when there are none.
    QByteArray wholeBytes(const QString& path, Stamp* stamp = nullptr) const;
    /// Drops every read but those of paths and of the map opened last.
    void keepOnly(const QStringList& paths);

private:
    struct Kept
    {
        std::shared_ptr<files::DataFileRead> read;
        Stamp stamp;
    };
    mutable std::mutex m_mutex;
    std::map<QString, Kept> m_reads;
    QString m_openedPath;
    QByteArray m_opened;
    Stamp m_openedStamp;
};

/// A picture read and decoded: its file's bytes and the picture.
struct LoadedPicture
{
    QByteArray bytes;
    QImage picture;
};

/// The one owner of the program's background work, made once beside the current entry and handed to both windows.
/// Its pool has one disc lane, which reads one file at a time with the user's newest wish first (the viewer's map
/// before the catalogue's preview, the preview before reading ahead), and a few compute threads (decoding, the lower
/// band, reduced copies, making a picture's pages present). Jobs stop between pieces of about 50 ms; results come
/// back to the GUI thread as queued calls. Destroying the loader stops every job and waits for it, within a piece.
/// Lives on the GUI thread.
class Loader : public QObject
{
    Q_OBJECT
public:
    explicit Loader(int computeThreads = 3, QObject* parent = nullptr);
    ~Loader() override;

    work::WorkPool& pool() { return m_pool; }
    const std::shared_ptr<KeptReads>& keptReads() const { return m_kept; }

    /// Reads the data file path (disc lane, before reading ahead) and decodes it with options (compute lane);
    /// options.stop is set to stop. done runs on the GUI thread with the picture or the failure (the failure is on
    /// path), unless stop was requested by then: a stopped load calls nothing, and a load stopped before it starts
    /// reads nothing.
    void loadPicture(const QString& path, picture::JpegDecodeOptions options, std::stop_token stop,
                     std::function<void(const failure::Result<LoadedPicture>&)> done);

private:
    std::shared_ptr<KeptReads> m_kept = std::make_shared<KeptReads>();
    // Last: the pool goes first, waiting for the jobs that use the rest.
    work::WorkPool m_pool;
};

} // namespace loading
