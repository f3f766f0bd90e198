#include "loading/map_jobs.h"

#include <condition_variable>
#include <new>
#include <type_traits>

#include "files/data_files.h"
#include "loading/map_stream.h"
#include "loading/picture_load.h"
#include "work/work_pool.h"

namespace loading {

namespace {

using State = files::DataFileRead::State;

// Reads on, turning a shortage of memory for the file (the one allocation of a file's size) into a failure of the
// read: outOfMemory is set.
State readOn(files::DataFileRead& read, std::stop_token stop, bool& outOfMemory,
             const std::function<void(qint64, qint64)>& progress = {})
{
    try {
        return read.readOn(stop, progress);
    } catch (const std::bad_alloc&) {
        outOfMemory = true;
        return State::Failed;
    }
}

MapFile resultOf(files::DataFileRead& read, State state, bool outOfMemory)
{
    if (outOfMemory)
        return failure::Failure{failure::What::NoMemory, read.path().toStdString(), {}, {}};
    switch (state) {
    case State::Done:
        return MapData{read.takeBytes(), nullptr, read.size()};
    case State::Failed:
        return read.failure();
    case State::Reading:
        break;
    }
    return failure::Failure{failure::What::ReadStopped, read.path().toStdString(), {}, {}};
}

// A decoder's callback made on the GUI thread: each call is posted there with copies of its arguments. None for
// none. The delivery outlives the decode.
template <typename... Args>
std::function<void(Args...)> postedTo(const Delivery& delivery, const std::function<void(Args...)>& call)
{
    if (!call)
        return {};
    return [&delivery, call](Args... args) {
        delivery([call, ... values = std::decay_t<Args>(args)] { call(values...); });
    };
}

} // namespace

std::shared_ptr<files::DataFileRead> PartReads::take(const QString& path)
{
    const KeptReads::Stamp stamp = files::stampOf(path);
    std::lock_guard lock(m_mutex);
    const auto found = m_reads.find(path);
    if (found == m_reads.end())
        return nullptr;
    std::shared_ptr<files::DataFileRead> read = std::move(found->second.first);
    const bool same = found->second.second == stamp;
    m_reads.erase(found);
    return same ? read : nullptr;
}

void PartReads::park(std::shared_ptr<files::DataFileRead> read)
{
    const QString path = read->path();
    const KeptReads::Stamp stamp = read->stamp();
    std::lock_guard lock(m_mutex);
    m_reads[path] = {std::move(read), stamp};
}

void PartReads::keepOnly(const QStringList& paths)
{
    std::lock_guard lock(m_mutex);
    for (auto entry = m_reads.begin(); entry != m_reads.end();)
        entry = paths.contains(entry->first) ? std::next(entry) : m_reads.erase(entry);
}

MapRead::MapRead(MapJobPlace place, QString path, Delivery delivery, Progress progress, Done done)
    : m_place(std::move(place)), m_path(std::move(path)), m_delivery(std::move(delivery)),
      m_progress(std::move(progress)), m_done(std::move(done))
{
}

void MapRead::start(std::shared_ptr<MapRead> read)
{
    work::WorkPool* pool = read->m_place.pool;
    const std::stop_token wish = read->m_delivery.wish();
    pool->run(
        work::WorkPool::Lane::Compute, wish,
        [read = std::move(read)](std::stop_token stop) { read->lookInMemory(stop); }, work::WorkPool::Urgency::Urgent);
}

void MapRead::lookInMemory(std::stop_token stop)
{
    KeptReads::Stamp stamp;
    QByteArray whole = m_place.kept->wholeBytes(m_path, &stamp);
    if (stop.stop_requested())
        return;
    if (!whole.isEmpty()) {
        // The map opened last, or read ahead to its end, is there whole: nothing is read.
        reportProgress(whole.size(), whole.size());
        m_place.kept->keepOpened(m_path, whole, stamp);
        const qint64 size = whole.size();
        return deliver(MapData{std::move(whole), nullptr, size});
    }
    m_place.pool->run(
        work::WorkPool::Lane::Disc, m_delivery.wish(),
        [self = shared_from_this()](std::stop_token stop) { self->readDisc(stop); }, work::WorkPool::Urgency::Urgent);
}

void MapRead::readDisc(std::stop_token stop)
{
    if (const std::optional<qint64> size = files::dataFileSize(m_path); size && *size > KeptReads::largestHeldFile())
        return stream(stop);
    std::shared_ptr<files::DataFileRead> read = m_place.parts->take(m_path);
    // What was read ahead within the budget of the work ahead: a larger file is read again without it.
    if (!read || read->state() == State::Failed)
        read = std::make_shared<files::DataFileRead>(m_path);
    if (read->bytesRead() > 0)
        reportProgress(read->bytesRead(), read->size());
    bool outOfMemory = false;
    const State state =
        readOn(*read, stop, outOfMemory, [this](qint64 done, qint64 size) { reportProgress(done, size); });
    if (state == State::Reading)
        m_place.parts->park(read); // stopped: a later opening of it goes on from here
    MapFile file = resultOf(*read, state, outOfMemory);
    if (file)
        m_place.kept->keepOpened(m_path, file->bytes, read->stamp());
    if (!stop.stop_requested())
        deliver(std::move(file));
}

void MapRead::stream(std::stop_token stop)
{
    std::shared_ptr<MapStream> stream;
    const files::DataFileRead* reading = nullptr;
    files::DataFileRead read(m_path, [&](QByteArray piece) {
        if (!stream) {
            // The decode starts with the first piece, while the disc reads on.
            stream = std::make_shared<MapStream>(m_path, reading->stamp());
            deliver(MapData{{}, stream, reading->size()});
        }
        return stream->put(std::move(piece), stop);
    });
    reading = &read;
    const State state = read.readOn(stop, [this](qint64 done, qint64 size) { reportProgress(done, size); });
    if (!stream) {
        if (!stop.stop_requested())
            deliver(resultOf(read, state, false));
        return;
    }
    switch (state) {
    case State::Done:
        return stream->end(std::nullopt);
    case State::Failed:
        return stream->end(read.failure());
    case State::Reading:
        return stream->end(failure::Failure{failure::What::ReadStopped, m_path.toStdString(), {}, {}});
    }
}

void MapRead::reportProgress(qint64 done, qint64 size)
{
    const int percent = size > 0 ? int(done * 100 / size) : 100;
    if (percent == m_shownPercent)
        return;
    m_shownPercent = percent;
    m_delivery([progress = m_progress, done, size] { progress(done, size); });
}

void MapRead::deliver(MapFile file)
{
    m_delivery([done = m_done, file = std::move(file)] { done(file); });
}

ReadAhead::ReadAhead(MapJobPlace place, QStringList paths, int headRows, Delivery delivery, Head head)
    : m_place(std::move(place)), m_paths(std::move(paths)), m_headRows(headRows), m_delivery(std::move(delivery)),
      m_head(std::move(head))
{
}

void ReadAhead::start(std::shared_ptr<ReadAhead> ahead)
{
    work::WorkPool* pool = ahead->m_place.pool;
    const std::stop_token wish = ahead->m_delivery.wish();
    pool->run(work::WorkPool::Lane::Disc, wish,
              [ahead = std::move(ahead)](std::stop_token stop) { ahead->read(stop); });
}

void ReadAhead::read(std::stop_token stop)
{
    for (const QString& path : m_paths) {
        const bool headWanted = path == m_paths.front() && m_headRows > 0;
        QByteArray bytes = m_place.kept->wholeBytes(path); // read before: nothing to read
        if (bytes.isEmpty()) {
            std::shared_ptr<files::DataFileRead> read = m_place.parts->take(path);
            if (!read)
                read = std::make_shared<files::DataFileRead>(path, KeptReads::largestHeldFile());
            bool outOfMemory = false; // a file that finds no memory ahead is read again when it is opened
            if (readOn(*read, stop, outOfMemory) == State::Done && read->bytesRead() <= KeptReads::largestHeldFile()) {
                bytes = read->takeBytes();
                m_place.kept->keepRead(path, bytes, read->stamp());
            } else if (read->state() == State::Reading) {
                m_place.parts->park(read);
            }
            if (stop.stop_requested())
                return;
        }
        if (!headWanted || bytes.isEmpty())
            continue;
        // The top of the next map is decoded meanwhile, while the disc reads on. Its job gets the wish itself: the
        // disc job's own stop is never requested once that job has returned.
        m_place.pool->run(
            work::WorkPool::Lane::Compute, m_delivery.wish(),
            [self = shared_from_this(), path, bytes](std::stop_token stop) { self->decodeHead(path, bytes, stop); });
    }
}

void ReadAhead::decodeHead(const QString& path, const QByteArray& bytes, std::stop_token stop)
{
    picture::JpegDecodeOptions options;
    options.headRows = m_headRows;
    options.bands = picture::BandDecoding::Never;
    options.maxPixels = MaxHeadBytes / 4;
    options.stop = std::move(stop);
    const failure::Result<QImage> head = decodePicture(bytes, options);
    if (head && !options.stop.stop_requested())
        m_delivery([deliverHead = m_head, path, head = *head] { deliverHead(path, head); });
}

MapDecode::MapDecode(work::WorkPool& pool, MapData file, picture::JpegDecodeOptions options, std::stop_token ownerEnd,
                     Delivery delivery, Finished finished)
    : m_pool(pool), m_file(std::move(file)), m_guiOptions(std::move(options)), m_ownerEnd(std::move(ownerEnd)),
      m_delivery(std::move(delivery)), m_finished(std::move(finished))
{
}

void MapDecode::start(std::shared_ptr<MapDecode> decode)
{
    work::WorkPool& pool = decode->m_pool;
    const std::stop_token wish = decode->m_delivery.wish();
    pool.run(
        work::WorkPool::Lane::Compute, wish, [decode = std::move(decode)](std::stop_token stop) { decode->run(stop); },
        work::WorkPool::Urgency::Urgent);
}

void MapDecode::run(std::stop_token jobStop)
{
    std::stop_source stopSource;
    std::stop_callback byJob(jobStop, [&stopSource] { stopSource.request_stop(); });
    std::stop_callback byOwner(m_ownerEnd, [&stopSource] { stopSource.request_stop(); });
    const std::stop_token stop = stopSource.get_token();

    const picture::JpegDecodeOptions& gui = m_guiOptions;
    // The decoder hands work to the pool (its lower band, the picture's pages), which outlives every job of it.
    picture::JpegDecodeOptions options = gui;
    options.pool = &m_pool;
    options.stop = stop;
    options.progress = postedTo(m_delivery, gui.progress);
    if (gui.beforePicture)
        options.beforePicture = [this, &gui, &stop] {
            // The old picture's memory is let go on the GUI thread before the new picture takes its own.
            struct Handover
            {
                std::mutex mutex;
                std::condition_variable_any done;
                bool ran = false;
            };
            auto handover = std::make_shared<Handover>();
            m_delivery([handover, beforePicture = gui.beforePicture] {
                beforePicture();
                std::lock_guard lock(handover->mutex);
                handover->ran = true;
                handover->done.notify_all();
            });
            std::unique_lock lock(handover->mutex);
            handover->done.wait(lock, stop, [&handover] { return handover->ran; });
        };
    options.overviewStarted = postedTo(m_delivery, gui.overviewStarted);
    options.overviewScanned = postedTo(m_delivery, gui.overviewScanned);
    options.pictureStarted = postedTo(m_delivery, gui.pictureStarted);
    options.partReady = postedTo(m_delivery, gui.partReady);
    MapStream* stream = m_file.stream.get();
    failure::Result<QImage> result =
        stream ? decodePicture(
                     m_file.size, [stream](std::stop_token pieceStop) { return stream->next(pieceStop); }, options)
               : decodePicture(m_file.bytes, options);
    // Whatever the decode left untaken of a stream: its read ends and lets go of the file.
    if (stream)
        stream->close();
    // The bytes and the caller's options are let go before the result is posted: the GUI thread may drop the file's
    // last copy as soon as it has the result, and must find this thread done with it.
    options = {};
    m_guiOptions = {};
    m_file = MapData();
    m_delivery([finished = m_finished, result = std::move(result)] { finished(result); });
}

} // namespace loading
