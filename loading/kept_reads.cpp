#include "loading/kept_reads.h"

#include <filesystem>

#include "files/data_files.h"

namespace loading {

KeptReads::Stamp KeptReads::stampOf(const QString& path)
{
    std::error_code failed;
    const std::filesystem::path file(files::resolveDataPath(path).toStdU16String());
    const auto size = std::filesystem::file_size(file, failed);
    if (failed)
        return {};
    const auto changed = std::filesystem::last_write_time(file, failed);
    if (failed)
        return {};
    return {qint64(size), qint64(changed.time_since_epoch().count())};
}

void KeptReads::keepRead(const QString& path, const QByteArray& bytes)
{
    if (bytes.size() > MaxFileBytes)
        return;
    const Stamp stamp = stampOf(path);
    std::lock_guard lock(m_mutex);
    m_reads[path] = Kept{bytes, stamp};
}

void KeptReads::keepOpened(const QString& path, const QByteArray& bytes)
{
    const bool kept = bytes.size() <= MaxFileBytes;
    const Stamp stamp = kept ? stampOf(path) : Stamp();
    std::lock_guard lock(m_mutex);
    m_openedPath = kept ? path : QString();
    m_opened = Kept{kept ? bytes : QByteArray(), stamp};
}

QByteArray KeptReads::wholeBytes(const QString& path) const
{
    const Stamp stamp = stampOf(path);
    std::lock_guard lock(m_mutex);
    if (path == m_openedPath && stamp == m_opened.stamp)
        return m_opened.bytes;
    const auto found = m_reads.find(path);
    return found != m_reads.end() && found->second.stamp == stamp ? found->second.bytes : QByteArray();
}

void KeptReads::keepOnly(const QStringList& paths)
{
    std::lock_guard lock(m_mutex);
    for (auto entry = m_reads.begin(); entry != m_reads.end();)
        entry = paths.contains(entry->first) ? std::next(entry) : m_reads.erase(entry);
}

} // namespace loading
