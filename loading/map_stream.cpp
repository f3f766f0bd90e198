#include "loading/map_stream.h"

namespace loading {

bool MapStream::put(QByteArray piece, std::stop_token stop)
{
    std::unique_lock lock(m_mutex);
    if (!m_changed.wait(lock, stop, [this] { return m_closed || m_waiting < AheadBytes; }) || m_closed)
        return false;
    m_waiting += piece.size();
    m_pieces.push_back(std::move(piece));
    m_changed.notify_all();
    return true;
}

void MapStream::end(std::optional<failure::Failure> failure)
{
    std::lock_guard lock(m_mutex);
    m_ended = true;
    m_failure = std::move(failure);
    m_changed.notify_all();
}

failure::Result<QByteArray> MapStream::next(std::stop_token stop)
{
    std::unique_lock lock(m_mutex);
    if (!m_changed.wait(lock, stop, [this] { return !m_pieces.empty() || m_ended; }))
        return failure::Failure{failure::What::ReadStopped, m_path.toStdString(), {}, {}};
    // What the read has put in is taken whole; its failure only once every piece before it is taken.
    if (m_pieces.empty())
        return m_failure ? failure::Result<QByteArray>(*m_failure) : QByteArray();
    QByteArray joined = std::move(m_pieces.front());
    m_pieces.pop_front();
    if (!m_pieces.empty()) {
        joined.reserve(m_waiting);
        for (const QByteArray& piece : m_pieces)
            joined += piece;
        m_pieces.clear();
    }
    m_waiting = 0;
    m_changed.notify_all();
    return joined;
}

void MapStream::close()
{
    std::lock_guard lock(m_mutex);
    m_closed = true;
    m_pieces.clear();
    m_waiting = 0;
    m_changed.notify_all();
}

} // namespace loading
