#include "viewer_window/map_loader.h"

#include <QMetaObject>
#include <QPointer>
#include <condition_variable>
#include <map>
#include <mutex>
#include <new>

#include "files/data_files.h"
#include "loading/loader.h"
#include "picture/jpeg_decoder.h"
#include "work/work_pool.h"

namespace viewer {

// What the loader and its jobs share, under its lock.
struct MapLoader::Shared
{
    std::mutex mutex;
    // The loader, while it lives: jobs post to it under the lock, and its destruction clears it under the lock.
    MapLoader* receiver = nullptr;
    // Reads not going on now, whole, half done or failed, by path: the program's, kept beyond this loader.
    std::shared_ptr<loading::KeptReads> reads;
    QString headPath;
    QImage head;
    // Requested when the loader goes: the program's pool stays.
    std::stop_source end;

    template <typename Call> void post(Call&& call)
    {
        std::lock_guard lock(mutex);
        if (receiver)
            work::postTo(receiver, std::forward<Call>(call));
    }

    std::shared_ptr<files::DataFileRead> take(const QString& path) { return reads->take(path); }
    void park(std::shared_ptr<files::DataFileRead> read) { reads->park(std::move(read)); }
};

namespace {

// Reads on, turning a shortage of memory for the file (the one allocation of a file's size) into a failure of the
// read: outOfMemory is set.
files::DataFileRead::State readOn(files::DataFileRead& read, std::stop_token stop, bool& outOfMemory,
                                  const std::function<void(qint64, qint64)>& progress = {})
{
    try {
        return read.readOn(stop, progress);
    } catch (const std::bad_alloc&) {
        outOfMemory = true;
        return files::DataFileRead::State::Failed;
    }
}

MapFile resultOf(files::DataFileRead& read, files::DataFileRead::State state, bool outOfMemory)
{
    if (outOfMemory)
        return failure::Failure{failure::What::NoMemory, read.path().toStdString(), {}, {}};
    switch (state) {
    case files::DataFileRead::State::Done:
        return read.takeBytes();
    case files::DataFileRead::State::Failed:
        return read.failure();
    case files::DataFileRead::State::Reading:
        break;
    }
    return failure::Failure{failure::What::ReadStopped, read.path().toStdString(), {}, {}};
}

QImage decodeHead(const QByteArray& bytes, int headRows, std::stop_token stop)
{
    picture::JpegDecodeOptions options;
    options.headRows = headRows;
    options.bands = picture::BandDecoding::Never;
    options.maxPixels = MapLoader::MaxHeadBytes / 4;
    options.stop = std::move(stop);
    failure::Result<QImage> head = picture::decodeJpeg(bytes, options);
    return head ? std::move(*head) : QImage();
}

} // namespace

MapLoader::MapLoader(loading::Loader& loader, QObject* parent)
    : QObject(parent), m_shared(std::make_shared<Shared>()), m_loader(loader)
{
    m_shared->receiver = this;
    m_shared->reads = loader.keptReads();
}

MapLoader::~MapLoader()
{
    m_shared->end.request_stop();
    m_openStop.request_stop();
    m_aheadStop.request_stop();
    std::lock_guard lock(m_shared->mutex);
    m_shared->receiver = nullptr;
    // The program's pool stays; the jobs of this loader end within a piece, and none waits for the GUI thread.
}

work::WorkPool& MapLoader::pool()
{
    return m_loader.pool();
}

std::shared_future<MapFile> MapLoader::open(const QString& path)
{
    m_openStop.request_stop();
    m_openStop = std::stop_source();
    // The reading ahead parks what it read and gives the disc to this read.
    m_aheadStop.request_stop();
    m_pendingAhead.reset();
    m_opening = true;
    const quint64 serial = ++m_openSerial;
    auto promise = std::make_shared<std::promise<MapFile>>();
    std::shared_future<MapFile> result = promise->get_future().share();
    auto job = [shared = m_shared, path, serial, promise](std::stop_token stop) {
        int shownPercent = -1;
        const auto progress = [&shared, &path, &shownPercent](qint64 done, qint64 size) {
            const int percent = size > 0 ? int(done * 100 / size) : 100;
            if (percent == shownPercent)
                return;
            shownPercent = percent;
            shared->post([shared, path, done, size] {
                if (shared->receiver)
                    emit shared->receiver->readProgress(path, done, size);
            });
        };
        files::FileStamp stamp;
        MapFile file = [&]() -> MapFile {
            if (QByteArray whole = shared->reads->wholeBytes(path, &stamp); !whole.isEmpty()) {
                // The map opened last, or read ahead to its end, is there whole: nothing is read.
                progress(whole.size(), whole.size());
                return whole;
            }
            std::shared_ptr<files::DataFileRead> read = shared->take(path);
            // What was read ahead within the budget of the work ahead: a larger file is read again without it.
            if (!read || read->state() == files::DataFileRead::State::Failed)
                read = std::make_shared<files::DataFileRead>(path);
            if (read->bytesRead() > 0)
                progress(read->bytesRead(), read->size());
            bool outOfMemory = false;
            const files::DataFileRead::State state = readOn(*read, stop, outOfMemory, progress);
            stamp = read->stamp();
            if (state == files::DataFileRead::State::Reading)
                shared->park(read); // stopped: a later open() of it goes on from here
            return resultOf(*read, state, outOfMemory);
        }();
        if (file)
            shared->reads->keepOpened(path, *file, stamp);
        promise->set_value(file);
        shared->post([shared, serial, path, file = std::move(file)] {
            if (shared->receiver)
                shared->receiver->opened(serial, path, file);
        });
    };
    m_loader.pool().run(work::WorkPool::Lane::Disc, m_openStop.get_token(), std::move(job),
                        work::WorkPool::Urgency::Urgent);
    return result;
}

void MapLoader::opened(quint64 serial, const QString& path, const MapFile& file)
{
    if (serial != m_openSerial)
        return; // a read given up for a later one
    m_opening = false;
    emit mapRead(path, file);
    if (m_pendingAhead)
        startAhead();
}

void MapLoader::readAhead(const QStringList& paths, int headRows)
{
    m_aheadStop.request_stop();
    m_shared->reads->keepOnly(paths);
    {
        std::lock_guard lock(m_shared->mutex);
        if (paths.isEmpty() || m_shared->headPath != paths.front()) {
            m_shared->headPath.clear();
            m_shared->head = QImage();
        }
    }
    m_pendingAhead = std::make_pair(paths, headRows);
    if (!m_opening)
        startAhead();
}

void MapLoader::startAhead()
{
    const auto [paths, headRows] = *m_pendingAhead;
    m_pendingAhead.reset();
    m_aheadStop = std::stop_source();
    if (paths.isEmpty())
        return;
    // The program's pool outlives every job of it. The head decode gets the stop of the reading ahead itself: the disc
    // job's own stop is never requested once that job has returned.
    auto job = [shared = m_shared, paths, headRows, pool = &m_loader.pool(),
                aheadStop = m_aheadStop.get_token()](std::stop_token stop) {
        for (const QString& path : paths) {
            const bool headWanted = path == paths.front() && headRows > 0;
            QByteArray bytes = shared->reads->wholeBytes(path); // read before: nothing to read
            if (bytes.isEmpty()) {
                std::shared_ptr<files::DataFileRead> read = shared->take(path);
                if (!read)
                    read = std::make_shared<files::DataFileRead>(path, MaxAheadFileBytes);
                bool outOfMemory = false; // a file that finds no memory ahead is read again when it is opened
                readOn(*read, stop, outOfMemory);
                if (headWanted && read->state() == files::DataFileRead::State::Done)
                    bytes = read->bytesSoFar();
                shared->park(read);
                if (stop.stop_requested())
                    return;
            }
            if (!headWanted || bytes.isEmpty())
                continue;
            // The top of the next map is decoded meanwhile, while the disc reads on.
            {
                std::lock_guard lock(shared->mutex);
                if (shared->headPath == path)
                    continue;
            }
            pool->run(work::WorkPool::Lane::Compute, aheadStop,
                      [shared, path, headBytes = bytes, headRows, aheadStop](std::stop_token stop) mutable {
                          QImage head = decodeHead(headBytes, headRows, stop);
                          headBytes = QByteArray(); // let go before the lock, which the GUI thread takes too
                          // Looked at under the lock: readAhead() stops the reading ahead before it clears the head.
                          std::lock_guard lock(shared->mutex);
                          if (head.isNull() || aheadStop.stop_requested())
                              return;
                          shared->headPath = path;
                          shared->head = std::move(head);
                      });
        }
    };
    m_loader.pool().run(work::WorkPool::Lane::Disc, m_aheadStop.get_token(), std::move(job));
}

void MapLoader::decode(QByteArray bytes, picture::JpegDecodeOptions options,
                       std::function<void(const failure::Result<QImage>&)> finished)
{
    const std::stop_token callerStop = options.stop;
    auto job = [shared = m_shared, pool = &m_loader.pool(), bytes = std::move(bytes), guiOptions = std::move(options),
                finished = std::move(finished)](std::stop_token jobStop) mutable {
        // The decoder hands work to the pool (its lower band, the picture's pages), which outlives every job of it.
        std::stop_source stopSource;
        std::stop_callback byJob(jobStop, [&stopSource] { stopSource.request_stop(); });
        std::stop_callback byLoader(shared->end.get_token(), [&stopSource] { stopSource.request_stop(); });
        const std::stop_token stop = stopSource.get_token();

        picture::JpegDecodeOptions options = guiOptions;
        options.pool = pool;
        options.stop = stop;
        if (guiOptions.progress)
            options.progress = [&shared, &guiOptions](picture::ProgressStage stage, int percent) {
                shared->post([progress = guiOptions.progress, stage, percent] { progress(stage, percent); });
            };
        if (guiOptions.beforePicture)
            options.beforePicture = [&shared, &guiOptions, &stop] {
                // The old picture's memory is let go on the GUI thread before the new picture takes its own.
                struct Handover
                {
                    std::mutex mutex;
                    std::condition_variable_any done;
                    bool ran = false;
                };
                auto handover = std::make_shared<Handover>();
                shared->post([handover, beforePicture = guiOptions.beforePicture] {
                    beforePicture();
                    std::lock_guard lock(handover->mutex);
                    handover->ran = true;
                    handover->done.notify_all();
                });
                std::unique_lock lock(handover->mutex);
                handover->done.wait(lock, stop, [&handover] { return handover->ran; });
            };
        if (guiOptions.pictureStarted)
            options.pictureStarted = [&shared, &guiOptions](const QImage& picture) {
                shared->post([pictureStarted = guiOptions.pictureStarted, picture] { pictureStarted(picture); });
            };
        if (guiOptions.partReady)
            options.partReady = [&shared, &guiOptions](const QRect& written, const QRect& ready) {
                shared->post([partReady = guiOptions.partReady, written, ready] { partReady(written, ready); });
            };
        failure::Result<QImage> result = picture::decodeJpeg(bytes, options);
        // The bytes and the caller's options are let go before the result is posted: the GUI thread may drop the
        // file's last copy as soon as it has the result, and must find this thread done with it.
        options = {};
        guiOptions = {};
        bytes = QByteArray();
        shared->post([finished, result = std::move(result)] { finished(result); });
    };
    m_loader.pool().run(work::WorkPool::Lane::Compute, callerStop, std::move(job), work::WorkPool::Urgency::Urgent);
}

void MapLoader::stopAhead()
{
    m_aheadStop.request_stop();
    m_pendingAhead.reset();
}

void MapLoader::stopAll()
{
    m_openStop.request_stop();
    stopAhead();
    m_opening = false;
}

QImage MapLoader::takeHead(const QString& path)
{
    std::lock_guard lock(m_shared->mutex);
    if (m_shared->headPath != path)
        return {};
    m_shared->headPath.clear();
    return std::exchange(m_shared->head, QImage());
}

bool MapLoader::hasHead(const QString& path) const
{
    std::lock_guard lock(m_shared->mutex);
    return m_shared->headPath == path && !m_shared->head.isNull();
}

} // namespace viewer
