#include "viewer_window/map_document.h"

#include <algorithm>

#include "catalogue/size_text.h"
#include "desktop/guarded.h"
#include "loading/map_loader.h"
#include "loading/map_stream.h"
#include "picture/jpeg_decoder.h"
#include "picture/jpeg_overview_decode.h"

namespace viewer {

namespace {

// The bar's share of the read in an opening; the decode takes the rest. On a disc the read is most of the wait.
constexpr int ReadShare = 50;

// A map at a stage with its names, nothing of it known yet.
MapDocument::Map namedMap(MapDocument::Stage stage, const QString& path, const QString& titleAndYear)
{
    MapDocument::Map map;
    map.stage = stage;
    map.path = path;
    map.titleAndYear = titleAndYear;
    return map;
}

} // namespace

MapDocument::MapDocument(loading::MapLoader& loader, QObject* parent) : QObject(parent), m_loader(loader)
{
    QObject::connect(&m_loader, &loading::MapLoader::readProgress, this, &MapDocument::showReadProgress);
    desktop::connectGuarded(&m_loader, &loading::MapLoader::mapRead, this,
                            [this](const QString& path, const loading::MapFile& file) { startDecode(path, file); });
}

MapDocument::~MapDocument()
{
    m_decodeStop.request_stop();
}

void MapDocument::open(const QString& path, const QString& titleAndYear, int previewRows)
{
    stop();
    m_opening = namedMap(Stage::Reading, path, titleAndYear);
    m_failure.reset();
    m_previewRows = previewRows;
    m_showsProgress = true;
    m_readFraction = 0;
    m_decodedPercent = 0;
    // Nothing on show yet: the empty view names the map it waits for.
    if (m_shown.stage == Stage::None)
        m_shown = namedMap(Stage::None, path, titleAndYear);
    emit changed();
    m_loader.open(path);
}

void MapDocument::stop()
{
    m_decodeStop.request_stop();
    ++m_serial;
    m_opening = Map();
    m_showsProgress = false;
}

int MapDocument::progressPercent() const
{
    return std::clamp(int(ReadShare * m_readFraction) + (100 - ReadShare) * m_decodedPercent / 100, 0, 100);
}

void MapDocument::showReadProgress(const QString& path, qint64 done, qint64 size)
{
    // A map that comes in pieces (no bytes held) is still being read while it is decoded.
    const bool reading =
        m_opening.stage == Stage::Reading || (m_opening.stage == Stage::Decoding && m_opening.source.bytes.isEmpty());
    if (!reading || path != m_opening.path)
        return;
    m_readFraction = size > 0 ? double(done) / double(size) : 1.0;
    // The size is the read's, so no file is looked at on this thread; an empty view waiting for this map shows it.
    // It is known from the first report on.
    if (m_opening.fileSizeText.isEmpty())
        setFileSize(size);
    emit changed();
}

void MapDocument::setFileSize(qint64 size)
{
    m_opening.fileSizeText = QString::fromStdString(catalogue::sizeText(size));
    if (m_shown.stage == Stage::None && m_shown.path == m_opening.path)
        m_shown.fileSizeText = m_opening.fileSizeText;
}

void MapDocument::startDecode(const QString& path, const loading::MapFile& file)
{
    if (m_opening.stage != Stage::Reading || path != m_opening.path)
        return;
    if (!file)
        return fail(file.error().onFile(path.toStdString()));
    m_opening.stage = Stage::Decoding;
    m_opening.source = {file->bytes, path, file->stream ? file->stream->stamp() : files::FileStamp()};
    setFileSize(file->size);
    // A map that comes in pieces is still being read: its read goes on filling the bar's first part.
    if (!file->stream)
        m_readFraction = 1;
    emit changed();

    m_decodeStop = std::stop_source();
    picture::JpegDecodeOptions options;
    options.stop = m_decodeStop.get_token();
    // Each callback comes as an event of its own; one of an opening given up is ignored.
    const auto current = [this, serial = m_serial] { return serial == m_serial && m_opening.stage == Stage::Decoding; };
    options.progress = [this, current](picture::ProgressStage stage, int percent) {
        if (current())
            decodeProgress(stage, percent);
    };
    options.beforePicture = [this, current] {
        if (current())
            letGoOfShownMap();
    };
    options.pictureStarted = [this, current](const QImage& picture) {
        if (current())
            decodeStarted(picture);
    };
    options.partReady = [this, current](const QRect& written, const QRect& ready) {
        if (current())
            decodePart(written, ready);
    };
    options.overviewStarted = [this, current](QSize map, int reduction) {
        if (current())
            overviewStarted(map, reduction);
    };
    options.overviewScanned = [this, current](std::shared_ptr<const picture::OverviewDetail> detail) {
        if (current())
            overviewScanned(std::move(detail));
    };
    options.previewRows = m_previewRows;
    options.maxPixels = s_fullDecodeLimit;
    options.overviewBytes = picture::DefaultOverviewBytes;
    options.knownHead = m_loader.takeHead(path);
    // What is still being done ahead would only compete with this decode for the disc and the cores.
    m_loader.stopAhead();
    m_loader.decode(*file, std::move(options), [this, current](const failure::Result<QImage>& result) {
        if (current())
            desktop::runGuarded([&] { decodeFinished(result); });
    });
}

void MapDocument::decodeProgress(picture::ProgressStage stage, int percent)
{
    switch (stage) {
    case picture::ProgressStage::Starting:
        m_decodedPercent = 0;
        break;
    case picture::ProgressStage::Running:
        m_decodedPercent = std::clamp(m_decodedPercent + percent, 0, 100);
        break;
    case picture::ProgressStage::Ending:
        m_showsProgress = false;
        break;
    }
    emit changed();
}

void MapDocument::letGoOfShownMap()
{
    // The header is accepted: the map on show gives its memory (and stops its reduced copies) to the new one, which
    // is on show from now on with all its texts, its picture still to come.
    replaceShown(m_opening);
}

void MapDocument::overviewStarted(QSize map, int reduction)
{
    m_opening.mapSize = map;
    m_opening.reduction = reduction;
}

void MapDocument::overviewScanned(std::shared_ptr<const picture::OverviewDetail> detail)
{
    m_opening.detail = std::move(detail);
}

void MapDocument::decodeStarted(const QImage& picture)
{
    // The new picture is on show from the start, its rows appearing as they are decoded; rows not yet decoded are not
    // drawn.
    Map map = m_opening;
    map.picture = picture;
    if (map.reduction == 1)
        map.mapSize = picture.size();
    replaceShown(std::move(map));
}

void MapDocument::decodePart(const QRect& written, const QRect& ready)
{
    // The part decoded grows from one edge: the top, or the bottom or a side of a turned map.
    m_shownPart = m_shownPart.united(ready) & m_shown.picture.rect();
    emit partDecoded(written);
}

void MapDocument::decodeFinished(const failure::Result<QImage>& result)
{
    if (!result)
        return fail(result.error().onFile(m_opening.path.toStdString()));
    const QImage& picture = *result;
    Map shown = std::exchange(m_opening, Map());
    shown.stage = Stage::Shown;
    shown.picture = picture;
    if (shown.reduction == 1)
        shown.mapSize = picture.size();
    m_shown = std::move(shown);
    m_shownPart = picture.rect();
    m_showsProgress = false;
    emit changed();
    emit opened();
}

void MapDocument::fail(const failure::Failure& failure)
{
    // A whole map of which nothing was let go stays on show, with its own texts. A map being decoded (this one,
    // which took the memory of the map before, or one given up for this opening) never becomes whole: the view is
    // emptied and names the map that failed.
    Map failedMap = std::exchange(m_opening, Map());
    m_failure = failure;
    m_showsProgress = false;
    if (m_shown.stage != Stage::Shown) {
        failedMap.stage = Stage::Failed;
        failedMap.source = {};
        failedMap.picture = QImage();
        failedMap.mapSize = QSize();
        failedMap.reduction = 1;
        failedMap.detail.reset();
        replaceShown(std::move(failedMap));
    }
    emit changed();
    emit failed();
}

void MapDocument::replaceShown(Map map)
{
    m_shown = std::move(map);
    m_shownPart = QRect();
    emit pictureReplaced();
    emit changed();
}

} // namespace viewer
