#include "loading/map_loader.h"

#include "loading/loader.h"
#include "work/work_pool.h"

namespace loading {

MapLoader::MapLoader(Loader& loader, QObject* parent) : QObject(parent), m_loader(loader) {}

MapLoader::~MapLoader()
{
    m_end.request_stop();
    m_openStop.request_stop();
    m_aheadStop.request_stop();
    setReading(false);
    // The program's pool stays; the jobs of this loader end within a piece, and none waits for the GUI thread.
}

work::WorkPool& MapLoader::pool()
{
    return m_loader.pool();
}

MapJobPlace MapLoader::place() const
{
    return {&m_loader.pool(), m_loader.keptReads(), m_parts};
}

void MapLoader::setReading(bool reading)
{
    if (reading == m_opening)
        return;
    m_opening = reading;
    if (reading)
        m_loader.mapReadStarted();
    else
        m_loader.mapReadEnded();
}

void MapLoader::open(const QString& path)
{
    m_openStop.request_stop();
    m_openStop = std::stop_source();
    // The reading ahead parks what it read and gives the disc to this read.
    m_aheadStop.request_stop();
    m_pendingAhead.reset();
    setReading(true);
    const quint64 serial = ++m_openSerial;
    MapRead::start(std::make_shared<MapRead>(
        place(), path, Delivery(m_loader, this, m_openStop.get_token()),
        [this, path](qint64 done, qint64 size) { emit readProgress(path, done, size); },
        [this, serial, path](const MapFile& file) { opened(serial, path, file); }));
}

void MapLoader::opened(quint64 serial, const QString& path, const MapFile& file)
{
    if (serial != m_openSerial)
        return; // a read given up for a later one
    setReading(false);
    emit mapRead(path, file);
    if (m_pendingAhead)
        startAhead();
}

void MapLoader::readAhead(const QStringList& paths, int headRows)
{
    m_aheadStop.request_stop();
    m_loader.keptReads()->keepOnly(paths);
    m_parts->keepOnly(paths);
    if (paths.isEmpty() || m_headPath != paths.front()) {
        m_headPath.clear();
        m_head = QImage();
    }
    m_pendingAhead = std::make_pair(paths, headRows);
    if (!m_opening)
        startAhead();
}

void MapLoader::startAhead()
{
    auto [paths, headRows] = *m_pendingAhead;
    m_pendingAhead.reset();
    m_aheadStop = std::stop_source();
    if (paths.isEmpty())
        return;
    if (paths.front() == m_headPath)
        headRows = 0; // decoded before
    ReadAhead::start(std::make_shared<ReadAhead>(place(), paths, headRows,
                                                 Delivery(m_loader, this, m_aheadStop.get_token()),
                                                 [this](const QString& path, const QImage& head) {
                                                     m_headPath = path;
                                                     m_head = head;
                                                     emit headDecoded(path);
                                                 }));
}

void MapLoader::decodePart(std::shared_ptr<const picture::OverviewDetail> detail, MapSource source, QRect region,
                           int scale, std::stop_token stop, PartDecode::Done done)
{
    PartDecode::start(pool(), std::move(detail), std::move(source), region, scale, Delivery(m_loader, this, stop),
                      std::move(done));
}

void MapLoader::decode(MapData file, picture::JpegDecodeOptions options, MapDecode::Finished finished)
{
    const std::stop_token callerStop = options.stop;
    MapDecode::start(std::make_shared<MapDecode>(m_loader.pool(), std::move(file), std::move(options),
                                                 m_end.get_token(), Delivery(m_loader, this, callerStop),
                                                 std::move(finished)));
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
    setReading(false);
}

QImage MapLoader::takeHead(const QString& path)
{
    if (m_headPath != path)
        return {};
    m_headPath.clear();
    return std::exchange(m_head, QImage());
}

} // namespace loading
