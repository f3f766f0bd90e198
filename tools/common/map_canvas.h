#pragma once

#include "rng.h"

#include <QColor>
#include <QPainter>
#include <QPainterPath>
#include <QPolygonF>
#include <QString>
#include <vector>

namespace toolcommon {

/// The drawing state shared by the map features: logical size (1000 wide), inks and the generator.
struct MapCanvas
{
    QPainter& painter;
    Rng& rng;
    double width = 1000.0;
    double height = 750.0;

    QColor paper{226, 210, 170};
    QColor ink{62, 42, 28};
    QColor water{150, 170, 160};
    QColor waterInk{70, 95, 100};
    QColor red{160, 52, 40};
};

/// A wandering line from start in the given direction (radians), bending a little at each step.
QPolygonF meander(Rng& rng, QPointF start, double direction, double step, int steps, double wiggle);
/// A smooth path through the points (quadratic curves through the midpoints).
QPainterPath smoothPath(const QPolygonF& points);
/// A closed irregular blob around centre with the given radii.
QPainterPath blob(Rng& rng, QPointF centre, double radiusX, double radiusY, double roughness);
double distanceToPolyline(QPointF point, const QPolygonF& line);

/// A river band with inked banks and ripple lines; returns its centre line.
void drawRiver(MapCanvas& canvas, const QPainterPath& path, double width);
/// Text centred on a point, optionally turned (degrees), with a pale halo so it reads over line work.
void drawLabel(MapCanvas& canvas, const QString& text, QPointF centre, const QFont& font, double angle = 0.0,
               QColor colour = QColor());
/// A name from the stock of invented village and town names.
QString placeName(Rng& rng);
QString riverName(Rng& rng);

void drawCityPlan(MapCanvas& canvas);
void drawRegionMap(MapCanvas& canvas, bool wholeCountry);
void drawMetroScheme(MapCanvas& canvas);

void drawCompassRose(MapCanvas& canvas, QPointF centre, double radius);
void drawScaleBar(MapCanvas& canvas, QPointF origin, double length, const QString& unit);
void drawCartouche(MapCanvas& canvas, QRectF box, const QString& title, const QString& year);
void drawGraduatedBorder(MapCanvas& canvas);

} // namespace toolcommon
