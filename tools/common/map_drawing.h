#pragma once

#include <QColor>
#include <QImage>
#include <QSize>
#include <QString>
#include <cstdint>

namespace toolcommon {

enum class MapKind { City, Region, Country, Metro };

/// What one map picture shows. The same spec and size always give the same pixels.
struct MapSpec
{
    MapKind kind = MapKind::City;
    QString title;
    QString year;
    std::uint64_t seed = 1;
    bool cartouche = true;
    bool border = true;
    /// 0 draws the map in full colour; towards 1 it fades into fadeTo, for backgrounds that text is read on.
    double fade = 0.0;
    QColor fadeTo{211, 206, 176};
};

/// Draws a map-like picture: parchment, water, roads, blocks or towns, lettering, compass rose, cartouche, border.
QImage drawMap(const MapSpec& spec, QSize size);

} // namespace toolcommon
