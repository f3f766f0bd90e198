#include "loading/loader.h"

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

std::shared_ptr<files::DataFileRead> KeptReads::take(const QString& path)
{
    const Stamp stamp = stampOf(path);
    std::lock_guard lock(m_mutex);
    const auto found = m_reads.find(path);
    if (found == m_reads.end())
        return nullptr;
    std::shared_ptr<files::DataFileRead> read = std::move(found->second.read);
    const bool same = found->second.stamp == stamp;
    m_reads.erase(found);
    return same ? read : nullptr;
}

void KeptReads::park(std::shared_ptr<files::DataFileRead> read)
{
    const QString path = read->path();
    const Stamp stamp = stampOf(path);
    std::lock_guard lock(m_mutex);
    m_reads[path] = Kept{std::move(read), stamp};
}

void KeptReads::keepOpened(const QString& path, const QByteArray& bytes)
{
    const bool kept = bytes.size() <= MaxFileBytes;
    const Stamp stamp = kept ? stampOf(path) : Stamp();
    std::lock_guard lock(m_mutex);
    m_openedPath = kept ? path : QString();
    m_opened = kept ? bytes : QByteArray();
    m_openedStamp = stamp;
}

QByteArray KeptReads::wholeBytes(const QString& path) const
{
    const Stamp stamp = stampOf(path);
    std::lock_guard lock(m_mutex);
    if (path == m_openedPath && stamp == m_openedStamp)
        return m_opened;
    const auto found = m_reads.find(path);
    if (found != m_reads.end() && found->second.stamp == stamp &&
        found->second.read->state() == files::DataFileRead::State::Done)
        return found->second.read->bytesSoFar();
    return {};
}

void KeptReads::keepOnly(const QStringList& paths)
{
    std::lock_guard lock(m_mutex);
    for (auto entry = m_reads.begin(); entry != m_reads.end();)
        entry = paths.contains(entry->first) ? std::next(entry) : m_reads.erase(entry);
}

Loader::Loader(int computeThreads, QObject* parent) : QObject(parent), m_pool(computeThreads) {}

Loader::~Loader() = default;

void Loader::loadPicture(const QString& path, picture::JpegDecodeOptions options, std::stop_token stop,
                         std::function<void(const failure::Result<LoadedPicture>&)> done)
{
    options.stop = stop;
    // The answer is posted to the loader, which outlives every job; done is looked at there, on the GUI thread,
    // where its owner's stop is requested too.
    const auto answer = [this, stop, done](failure::Result<LoadedPicture> result) {
        work::postTo(this, [stop, done, result = std::move(result)] {
            if (!stop.stop_requested())
                done(result);
        });
    };
    auto read = [this, path = QString(path), options = std::move(options), stop,
                 answer](std::stop_token jobStop) mutable {
        failure::Result<QByteArray> bytes = files::readDataFile(path, files::DefaultMaxFileBytes, jobStop);
        path = QString(); // let go here, before anything is posted to the GUI thread, which holds the same text
        if (jobStop.stop_requested())
            return;
        if (!bytes) {
            answer(bytes.error());
            return;
        }
        auto decode = [bytes = std::move(*bytes), options = std::move(options),
                       answer](std::stop_token jobStop) mutable {
            options.stop = jobStop;
            failure::Result<QImage> decoded = picture::looksLikeJpeg(bytes)
                                                  ? picture::decodeJpeg(bytes, options)
                                                  : failure::Failure{failure::What::NotJpeg, {}, {}, {}};
            options = {};
            if (jobStop.stop_requested())
                return;
            if (!decoded)
                answer(decoded.error());
            else
                answer(LoadedPicture{std::exchange(bytes, QByteArray()), std::move(*decoded)});
        };
        m_pool.run(work::WorkPool::Lane::Compute, stop, std::move(decode), work::WorkPool::Urgency::Soon);
    };
    m_pool.run(work::WorkPool::Lane::Disc, stop, std::move(read), work::WorkPool::Urgency::Soon);
}

} // namespace loading
