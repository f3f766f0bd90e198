#include "loading/kept_reads.h"

namespace loading {

void KeptReads::keepRead(const QString& path, const QByteArray& bytes, const Stamp& stamp)
{
    if (bytes.size() > largestHeldFile())
        return;
    std::lock_guard lock(m_mutex);
    m_reads[path] = Kept{bytes, stamp};
}

void KeptReads::keepOpened(const QString& path, const QByteArray& bytes, const Stamp& stamp)
{
    const bool kept = bytes.size() <= largestHeldFile();
    std::lock_guard lock(m_mutex);
    m_openedPath = kept ? path : QString();
    m_opened = kept ? Kept{bytes, stamp} : Kept{};
}

QByteArray KeptReads::wholeBytes(const QString& path, Stamp* stamp) const
{
    const Stamp now = files::stampOf(path);
    if (stamp)
        *stamp = now;
    std::lock_guard lock(m_mutex);
    if (path == m_openedPath && now == m_opened.stamp)
        return m_opened.bytes;
    const auto found = m_reads.find(path);
    return found != m_reads.end() && found->second.stamp == now ? found->second.bytes : QByteArray();
}

void KeptReads::keepOnly(const QStringList& paths)
{
    std::lock_guard lock(m_mutex);
    for (auto entry = m_reads.begin(); entry != m_reads.end();)
        entry = paths.contains(entry->first) ? std::next(entry) : m_reads.erase(entry);
}

} // namespace loading
