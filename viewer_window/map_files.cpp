#include "viewer_window/map_files.h"

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <exception>
#include <map>
#include <mutex>
#include <stdexcept>
#include <system_error>

#include "platform/data_files.h"
#include "platform/jpeg_decoder.h"

namespace viewer {

struct MapFiles::Shared
{
    std::mutex mutex;
    std::condition_variable changed;
    std::atomic<bool> stopping{false};
    QString reading;                  // the path read ahead right now
    std::map<QString, MapFile> files; // read ahead, by path
    QString headPath;
    QImage head;
};

namespace {

constexpr std::chrono::milliseconds WaitStep{4};

// Decodes the top rows of a file read ahead; a step or a close stops it within a progress report.
QImage decodeHead(const QByteArray& bytes, int headRows, const std::atomic<bool>& stopping)
{
    platform::JpegDecodeOptions options;
    options.headRows = headRows;
    options.bands = platform::BandDecoding::Never;
    options.maxPixels = MapFiles::MaxHeadBytes / 4;
    options.progress = [&stopping](platform::ProgressStage, int) {
        if (stopping.load())
            throw std::runtime_error("stopped");
    };
    platform::JpegDecodeResult head = platform::decodeJpeg(bytes, options);
    return head.ok() ? head.image : QImage();
}

void workAhead(const std::shared_ptr<MapFiles::Shared>& shared, const QStringList& paths, int headRows)
{
    for (const QString& path : paths) {
        {
            std::lock_guard lock(shared->mutex);
            if (shared->stopping.load())
                return;
            if (shared->files.count(path))
                continue;
            shared->reading = path;
        }
        MapFile file;
        file.bytes = platform::readDataFile(path, &file.error, MapFiles::MaxAheadFileBytes);
        {
            std::lock_guard lock(shared->mutex);
            shared->reading.clear();
            shared->files[path] = std::move(file);
        }
        shared->changed.notify_all();
    }
    if (headRows <= 0 || paths.isEmpty())
        return;
    QByteArray bytes;
    {
        std::lock_guard lock(shared->mutex);
        const auto found = shared->files.find(paths.front());
        if (shared->stopping.load() || shared->headPath == paths.front() || found == shared->files.end() ||
            !found->second.bytes)
            return;
        bytes = *found->second.bytes;
    }
    QImage head = decodeHead(bytes, headRows, shared->stopping);
    if (head.isNull())
        return;
    std::lock_guard lock(shared->mutex);
    shared->headPath = paths.front();
    shared->head = std::move(head);
}

// Joins a thread on every way out of a scope, exceptions included.
struct JoinOnExit
{
    std::thread& thread;
    ~JoinOnExit()
    {
        if (thread.joinable())
            thread.join();
    }
};

MapFile readNow(const QString& path)
{
    MapFile file;
    try {
        file.bytes = platform::readDataFile(path, &file.error);
    } catch (const std::bad_alloc&) {
        file.bytes.reset();
        file.error = QStringLiteral("недостаточно памяти");
    }
    return file;
}

} // namespace

MapFiles::MapFiles(bool threads) : m_shared(std::make_shared<Shared>()), m_threads(threads) {}

MapFiles::~MapFiles()
{
    stop();
}

void MapFiles::stop()
{
    m_shared->stopping.store(true);
    if (m_thread.joinable())
        m_thread.join();
}

void MapFiles::cancel()
{
    m_shared->stopping.store(true);
}

MapFile MapFiles::read(const QString& path, const std::function<void()>& whileWaiting)
{
    {
        std::unique_lock lock(m_shared->mutex);
        while (!path.isEmpty() && m_shared->reading == path) {
            m_shared->changed.wait_for(lock, WaitStep);
            lock.unlock();
            whileWaiting();
            lock.lock();
        }
        const auto found = m_shared->files.find(path);
        if (found != m_shared->files.end() && found->second.bytes) {
            MapFile file = std::move(found->second);
            m_shared->files.erase(found);
            return file;
        }
    }
    // Not read ahead: the work ahead stops after its current file, so that it does not compete for the medium.
    m_shared->stopping.store(true);
    struct Job
    {
        std::atomic<bool> done{false};
        MapFile file;
    };
    if (!m_threads)
        return readNow(path);
    auto job = std::make_shared<Job>();
    std::thread reader;
    try {
        reader = std::thread([job, path] {
            job->file = readNow(path);
            job->done.store(true);
        });
    } catch (const std::system_error&) {
        return readNow(path); // no thread to be had: read here
    }
    JoinOnExit joinReader{reader};
    while (!job->done.load()) {
        whileWaiting();
        std::this_thread::sleep_for(WaitStep);
    }
    reader.join();
    return std::move(job->file);
}

QImage MapFiles::takeHead(const QString& path)
{
    std::lock_guard lock(m_shared->mutex);
    if (m_shared->headPath != path)
        return {};
    m_shared->headPath.clear();
    return std::exchange(m_shared->head, QImage());
}

void MapFiles::readAhead(const QStringList& paths, int headRows)
{
    stop();
    {
        std::lock_guard lock(m_shared->mutex);
        for (auto entry = m_shared->files.begin(); entry != m_shared->files.end();)
            entry = paths.contains(entry->first) ? std::next(entry) : m_shared->files.erase(entry);
        if (paths.isEmpty() || m_shared->headPath != paths.front()) {
            m_shared->headPath.clear();
            m_shared->head = QImage();
        }
        m_shared->stopping.store(false);
    }
    if (paths.isEmpty() || !m_threads)
        return;
    try {
        m_thread = std::thread([shared = m_shared, paths, headRows] {
            try {
                workAhead(shared, paths, headRows);
            } catch (const std::exception&) {
                // Work ahead is a courtesy: without it the file is read when it is opened.
                std::lock_guard lock(shared->mutex);
                shared->reading.clear();
            }
            shared->changed.notify_all();
        });
    } catch (const std::system_error&) {
        // No thread to be had: the next file is read when it is opened.
    }
}

} // namespace viewer
