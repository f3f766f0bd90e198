#include "viewer_window/detail_tiles.h"

#include <QEvent>
#include <QPaintEvent>
#include <QPainter>
#include <algorithm>
#include <cmath>

#include "controls/picture_control.h"
#include "loading/map_loader.h"
#include "picture/jpeg_overview_decode.h"

namespace viewer {

DetailTiles::DetailTiles(loading::MapLoader& loader, controls::PictureControl& picture)
    : QWidget(&picture), m_loader(loader), m_picture(picture)
{
    setAttribute(Qt::WA_TransparentForMouseEvents);
    picture.installEventFilter(this);
    resize(picture.size());
    hide();
}

DetailTiles::~DetailTiles()
{
    m_wanted.request_stop();
}

void DetailTiles::setMap(std::shared_ptr<const picture::OverviewDetail> detail, loading::MapSource source,
                         QSize mapSize, int reduction)
{
    m_wanted.request_stop();
    m_wanted = std::stop_source();
    ++m_serial;
    m_tiles.clear();
    m_pending.clear();
    m_keptBytes = 0;
    m_scale = 0;
    const bool any = detail && !mapSize.isEmpty();
    m_detail = any ? std::move(detail) : nullptr;
    m_source = any ? std::move(source) : loading::MapSource();
    m_mapSize = mapSize;
    m_reduction = reduction;
    setVisible(m_detail != nullptr);
    update();
}

bool DetailTiles::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == &m_picture && event->type() == QEvent::Resize)
        resize(m_picture.size());
    return QWidget::eventFilter(watched, event);
}

// The coarsest scale whose pixels are at least as many as the device pixels the map is drawn on.
int DetailTiles::scaleForDrawnSize() const
{
    const QRect drawn = m_picture.drawnRect();
    if (!m_detail || drawn.isEmpty())
        return 0;
    const double devicePerMapPixel = drawn.width() * devicePixelRatioF() / m_mapSize.width();
    constexpr double Slack = 1.001;
    if (m_reduction * devicePerMapPixel <= Slack)
        return 0;
    for (int scale : {8, 4, 2}) {
        if (scale < m_reduction && scale * devicePerMapPixel <= Slack)
            return scale;
    }
    return 1;
}

QSize DetailTiles::tileGrid(int scale) const
{
    const int tile = scale * TilePixels; // map pixels a tile covers each way
    return {(m_mapSize.width() + tile - 1) / tile, (m_mapSize.height() + tile - 1) / tile};
}

QRectF DetailTiles::placeOf(const Key& key, QSize tile) const
{
    const QRectF drawn = m_picture.drawnRect();
    const double across = drawn.width() * key.scale / m_mapSize.width();
    const double down = drawn.height() * key.scale / m_mapSize.height();
    return {drawn.left() + key.column * TilePixels * across, drawn.top() + key.row * TilePixels * down,
            tile.width() * across, tile.height() * down};
}

QRect DetailTiles::tilesUnder(QRectF part) const
{
    const QRectF drawn = m_picture.drawnRect();
    const QRectF inside = part & drawn;
    if (inside.isEmpty())
        return {};
    const double across = drawn.width() * m_scale / m_mapSize.width() * TilePixels;
    const double down = drawn.height() * m_scale / m_mapSize.height() * TilePixels;
    const QSize grid = tileGrid(m_scale);
    const auto first = [](double at, double tile) { return std::max(0, int(std::floor(at / tile))); };
    const int left = first(inside.left() - drawn.left(), across), top = first(inside.top() - drawn.top(), down);
    const int right = std::min(grid.width() - 1, int(std::ceil((inside.right() - drawn.left()) / across)) - 1);
    const int bottom = std::min(grid.height() - 1, int(std::ceil((inside.bottom() - drawn.top()) / down)) - 1);
    return QRect(QPoint(left, top), QPoint(right, bottom));
}

void DetailTiles::paintEvent(QPaintEvent* event)
{
    const int scale = scaleForDrawnSize();
    if (scale != m_scale) {
        // What was asked for at another scale is no longer wanted; what came of it stays kept.
        m_wanted.request_stop();
        m_wanted = std::stop_source();
        m_pending.clear();
        m_scale = scale;
    }
    if (scale == 0)
        return;
    QPainter painter(this);
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    const QRect exposed = tilesUnder(event->rect());
    for (int row = exposed.top(); row <= exposed.bottom(); ++row) {
        for (int column = exposed.left(); column <= exposed.right(); ++column) {
            const auto found = m_tiles.find({scale, column, row});
            if (found == m_tiles.end() || found->second.image.isNull())
                continue;
            painter.drawImage(placeOf(found->first, found->second.image.size()), found->second.image);
            found->second.lastDrawn = ++m_clock;
        }
    }
    // The part in view first, then a ring of one tile around it.
    const QRect inView = tilesUnder(visibleRegion().boundingRect());
    if (inView.isEmpty())
        return;
    for (const QRect& tiles : {inView, inView.adjusted(-1, -1, 1, 1)}) {
        for (int row = tiles.top(); row <= tiles.bottom(); ++row)
            for (int column = tiles.left(); column <= tiles.right(); ++column)
                ask({scale, column, row});
    }
}

void DetailTiles::ask(const Key& key)
{
    if (!QRect(QPoint(0, 0), tileGrid(key.scale)).contains(key.column, key.row) || m_tiles.count(key) ||
        m_pending.count(key))
        return;
    m_pending.insert(key);
    const QRect region(key.column * TilePixels, key.row * TilePixels, TilePixels, TilePixels);
    m_loader.decodePart(
        m_detail, m_source, region, key.scale, m_wanted.get_token(),
        [this, serial = m_serial, key](const failure::Result<QImage>& part) { keep(serial, key, part); });
}

void DetailTiles::keep(quint64 serial, Key key, const failure::Result<QImage>& part)
{
    if (serial != m_serial)
        return;
    m_pending.erase(key);
    // A part that cannot be decoded (damaged data) is not asked for again: the overview stays there.
    Tile& tile = m_tiles[key];
    tile.image = part ? *part : QImage();
    tile.lastDrawn = ++m_clock;
    m_keptBytes += tile.image.sizeInBytes();
    while (m_keptBytes > BudgetBytes && m_tiles.size() > 1) {
        auto oldest = std::min_element(m_tiles.begin(), m_tiles.end(), [](const auto& a, const auto& b) {
            return a.second.lastDrawn < b.second.lastDrawn;
        });
        m_keptBytes -= oldest->second.image.sizeInBytes();
        m_tiles.erase(oldest);
    }
    if (key.scale == m_scale && !tile.image.isNull())
        update(placeOf(key, tile.image.size()).toAlignedRect());
}

} // namespace viewer
