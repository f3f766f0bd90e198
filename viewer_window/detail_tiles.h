#pragma once

#include <QByteArray>
#include <QImage>
#include <QSize>
#include <QWidget>
#include <map>
#include <memory>
#include <set>
#include <stop_token>

#include "failure/result.h"
#include "loading/part_decode.h"

namespace controls {
class PictureControl;
}
namespace loading {
class MapLoader;
}
namespace picture {
struct OverviewDetail;
}

namespace viewer {

/// The part in view of a map shown as its overview, at the detail its drawn size needs: a transparent layer over the
/// map's picture control that, as it is painted, asks for the tiles of the part in view (then of a ring around it)
/// decoded at the DCT scale the drawn size needs (1/1, 1/2, 1/4 or 1/8, where the overview is coarser) and draws
/// those that have come; where one has not come yet the overview beneath shows. Tiles are kept within a memory
/// budget, those drawn longest ago let go first. Invisible to the mouse and to screen readers.
class DetailTiles : public QWidget
{
    Q_OBJECT
public:
    /// Tiles are this many pixels of the map at their scale each way.
    static constexpr int TilePixels = 256;
    /// The tiles kept take at most this much memory.
    static constexpr qint64 BudgetBytes = qint64(192) << 20;

    DetailTiles(loading::MapLoader& loader, controls::PictureControl& picture);
    ~DetailTiles() override;

    /// The map on show as its overview: its detail, what its parts are read from, its size as displayed and the map
    /// pixels an overview pixel stands for; a null detail (a map decoded whole, or none) leaves the layer empty. Tiles
    /// of the map before are let go and its parts still to come stopped.
    void setMap(std::shared_ptr<const picture::OverviewDetail> detail, loading::MapSource source, QSize mapSize,
                int reduction);
    /// The DCT scale the tiles are drawn at now (0: none, the overview is enough).
    int scale() const { return m_scale; }
    /// Tiles being decoded.
    int tilesPending() const { return static_cast<int>(m_pending.size()); }

protected:
    void paintEvent(QPaintEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    struct Key
    {
        int scale;
        int column;
        int row;
        auto operator<=>(const Key&) const = default;
    };
    struct Tile
    {
        QImage image; // null: its part could not be decoded
        quint64 lastDrawn = 0;
    };

    int scaleForDrawnSize() const;
    /// Columns and rows of tiles the map has at a scale.
    QSize tileGrid(int scale) const;
    QRectF placeOf(const Key& key, QSize tile) const;
    /// The tiles of a part of this layer at the current scale: columns and rows, first to last.
    QRect tilesUnder(QRectF part) const;
    void ask(const Key& key);
    void keep(quint64 serial, Key key, const failure::Result<QImage>& part);

    loading::MapLoader& m_loader;
    controls::PictureControl& m_picture;
    std::shared_ptr<const picture::OverviewDetail> m_detail;
    loading::MapSource m_source;
    QSize m_mapSize;
    int m_reduction = 1;
    std::map<Key, Tile> m_tiles;
    std::set<Key> m_pending;
    qint64 m_keptBytes = 0;
    quint64 m_clock = 0;
    quint64 m_serial = 0;
    int m_scale = 0;
    // Stopped with each new map and each change of scale: the parts asked for before are no longer wanted.
    std::stop_source m_wanted;
};

} // namespace viewer
