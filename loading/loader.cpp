#include "loading/loader.h"

namespace loading {

std::shared_ptr<files::DataFileRead> KeptReads::take(const QString& path)
{
    const Stamp stamp = files::stampOf(path);
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
    const Stamp stamp = read->stamp();
    std::lock_guard lock(m_mutex);
    m_reads[path] = Kept{std::move(read), stamp};
}

void KeptReads::keepOpened(const QString& path, const QByteArray& bytes, const Stamp& stamp)
{
    const bool kept = bytes.size() <= MaxFileBytes;
    std::lock_guard lock(m_mutex);
    m_openedPath = kept ? path : QString();
    m_opened = kept ? bytes : QByteArray();
    m_openedStamp = kept ? stamp : Stamp();
}

QByteArray KeptReads::wholeBytes(const QString& path, Stamp* stamp) const
{
    const Stamp now = files::stampOf(path);
    std::lock_guard lock(m_mutex);
    if (stamp)
        *stamp = now;
    if (path == m_openedPath && now == m_openedStamp)
        return m_opened;
    const auto found = m_reads.find(path);
    if (found != m_reads.end() && found->second.stamp == now &&
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
            failure::Result<QImage> decoded = picture::decodeJpeg(bytes, options);
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
