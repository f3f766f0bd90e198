#pragma once

#include <QByteArray>
#include <QString>
#include <condition_variable>
#include <deque>
#include <mutex>
#include <optional>
#include <stop_token>

#include "failure/result.h"
#include "files/data_files.h"

namespace loading {

/// A map file too large to hold whole, on its way from the disc lane's read to its decode: the read puts each piece
/// in as it comes and waits while AheadBytes are not yet taken; the decode takes them in order, in chunks. The file is
/// never in memory whole. Either side may go first: a read that fails or stops ends the decode's pieces with its
/// failure, a decode that ends (close) ends the read within a piece. Shared by the two jobs; every member takes the
/// lock, but for the chunk the read is filling, which only the read touches.
class MapStream
{
public:
    /// What the read runs ahead of the decode by, at most.
    static constexpr qsizetype AheadBytes = qsizetype(8) << 20;
    /// The pieces of the read are handed on joined into chunks of this size.
    static constexpr qsizetype ChunkBytes = qsizetype(1) << 20;

    MapStream(QString path, files::FileStamp stamp) : m_path(std::move(path)), m_stamp(stamp) {}

    const QString& path() const { return m_path; }
    /// The file's size and time of change when its read began: the parts read from it later must find it so.
    const files::FileStamp& stamp() const { return m_stamp; }

    /// The read's side: hands a piece on, waiting while the decode is AheadBytes behind; false once the decode has
    /// ended or stop is requested.
    bool put(QByteArray piece, std::stop_token stop);
    /// The read's side: the file is read to its end, or its read ended with failure.
    void end(std::optional<failure::Failure> failure);

    /// The decode's side: the next chunk of the file (waiting for one; a chunk as long as there is when it waits);
    /// empty at the file's end; the read's failure, or ReadStopped once stop is requested.
    failure::Result<QByteArray> next(std::stop_token stop);
    /// The decode's side: nothing more is taken; the read stops.
    void close();

private:
    void handOn();

    const QString m_path;
    const files::FileStamp m_stamp;
    std::mutex m_mutex;
    std::condition_variable_any m_changed;
    std::deque<QByteArray> m_chunks;
    QByteArray m_filling; // the read's own
    qsizetype m_waiting = 0;
    bool m_takerWaits = false;
    bool m_ended = false;
    bool m_closed = false;
    std::optional<failure::Failure> m_failure;
};

} // namespace loading
