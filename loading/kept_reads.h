#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <atomic>
#include <map>
#include <mutex>

#include "files/data_files.h"

namespace loading {

/// The whole reads the disc lane has made and that are kept for a later wish: a neighbour read ahead to its end, and
/// the map opened last. They outlive the viewer window that asked for them, so that opening the same map again reads
/// nothing; a read stopped part way is never kept here (it belongs to the viewer that may go on with it). A read is
/// kept with its file's size and time of change, and given up once the file has changed (a collection on a writable
/// disc). Shared by the jobs; every member takes the lock; wholeBytes() looks at the file (no byte of it is read).
class KeptReads
{
public:
    /// A file's size and time of change, taken before its first byte was read: a file changed during the read is
    /// not kept as unchanged.
    using Stamp = files::FileStamp;

    /// The largest file held in memory whole: kept here, read ahead, or read for the map opened (the budget of the
    /// work ahead). A larger map comes from the disc in pieces straight into its decode (MapStream). The program keeps
    /// DefaultLargestHeldFile; tests make it small.
    static constexpr qint64 DefaultLargestHeldFile = qint64(256) << 20;
    static qint64 largestHeldFile() { return s_largestHeldFile.load(std::memory_order_relaxed); }
    static void setLargestHeldFile(qint64 bytes) { s_largestHeldFile.store(bytes, std::memory_order_relaxed); }

    /// Keeps the whole bytes of a neighbour read ahead (when within the budget).
    void keepRead(const QString& path, const QByteArray& bytes, const Stamp& stamp);
    /// Keeps the whole bytes of the map opened last (when within the budget), in place of the one kept before.
    void keepOpened(const QString& path, const QByteArray& bytes, const Stamp& stamp);
    /// The bytes of path kept whole (opened last or read ahead), shared, and the stamp they were kept with; null
    /// when there are none.
    QByteArray wholeBytes(const QString& path, Stamp* stamp = nullptr) const;
    /// Drops every read but those of paths and of the map opened last.
    void keepOnly(const QStringList& paths);

private:
    struct Kept
    {
        QByteArray bytes;
        Stamp stamp;
    };
    mutable std::mutex m_mutex;
    std::map<QString, Kept> m_reads;
    QString m_openedPath;
    Kept m_opened;
    static inline std::atomic<qint64> s_largestHeldFile = DefaultLargestHeldFile;
};

} // namespace loading
