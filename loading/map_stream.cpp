#include "loading/map_stream.h"

namespace loading {

bool MapStream::put(QByteArray piece, std::stop_token stop)
{
    // The read's pieces are joined here, on the read's thread, into chunks the decode takes whole: the decode's thread
    // copies nothing. A decode waiting for data gets what there is at once.
    if (m_filling.isEmpty())
        m_filling.reserve(ChunkBytes);
    m_filling += piece;
    std::unique_lock lock(m_mutex);
    if (!m_changed.wait(lock, stop, [this] { return m_closed || m_waiting < AheadBytes; }) || m_closed)
        return false;
    if (m_filling.size() >= ChunkBytes || m_takerWaits)
        handOn();
    return true;
}

void MapStream::handOn()
{
    m_waiting += m_filling.size();
    m_chunks.push_back(std::exchange(m_filling, QByteArray()));
    m_changed.notify_all();
}

void MapStream::end(std::optional<failure::Failure> failure)
{
    std::lock_guard lock(m_mutex);
    if (!m_filling.isEmpty() && !m_closed)
        handOn();
    m_ended = true;
    m_failure = std::move(failure);
    m_changed.notify_all();
}

failure::Result<QByteArray> MapStream::next(std::stop_token stop)
{
    std::unique_lock lock(m_mutex);
    m_takerWaits = true;
    const bool any = m_changed.wait(lock, stop, [this] { return !m_chunks.empty() || m_ended; });
    m_takerWaits = false;
    if (!any)
        return failure::Failure{failure::What::ReadStopped, m_path.toStdString(), {}, {}};
    // The read's failure only once every chunk before it is taken.
    if (m_chunks.empty())
        return m_failure ? failure::Result<QByteArray>(*m_failure) : QByteArray();
    QByteArray chunk = std::move(m_chunks.front());
    m_chunks.pop_front();
    m_waiting -= chunk.size();
    m_changed.notify_all();
    return chunk;
}

void MapStream::close()
{
    std::lock_guard lock(m_mutex);
    m_closed = true;
    m_chunks.clear();
    m_waiting = 0;
    m_changed.notify_all();
}

} // namespace loading
