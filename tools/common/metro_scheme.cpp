#include "map_canvas.h"
#include "tool_fonts.h"

#include <cmath>

namespace toolcommon {

namespace {

/// A line drawn the way schemes are: straight runs at multiples of 45 degrees.
QPolygonF schemeLine(Rng& rng, QPointF start, int direction, int runs, double runLength)
{
    QPolygonF points;
    points << start;
    for (int r = 0; r < runs; ++r) {
        direction = (direction + (rng.chance(0.5) ? 0 : (rng.chance(0.5) ? 1 : 7))) % 8;
        const double angle = direction * M_PI / 4;
        start += QPointF(std::cos(angle), std::sin(angle)) * runLength * rng.range(0.6, 1.2);
        points << start;
    }
    return points;
}

} // namespace

void drawMetroScheme(MapCanvas& canvas)
{
    QPainter& p = canvas.painter;
    Rng& rng = canvas.rng;
    const QPointF centre(canvas.width / 2, canvas.height / 2);

    const QPolygonF river = meander(rng, QPointF(-30, canvas.height * 0.6), -0.1, 18, 70, 0.12);
    drawRiver(canvas, smoothPath(river), 14);

    static const QColor colours[] = {QColor(190, 40, 40),  QColor(40, 120, 60),  QColor(40, 70, 160),
                                     QColor(200, 120, 30), QColor(120, 60, 140), QColor(110, 110, 110)};
    const QFont stationFont = pixelFont(sansFamily, 10);
    const double ringRadius = std::min(canvas.width, canvas.height) * 0.16;
    const int lines = rng.between(4, 6);
    std::vector<QPolygonF> routes;
    for (int l = 0; l < lines; ++l) {
        const int direction = (l * 8 / lines + rng.between(0, 1)) % 8;
        const QPointF start = centre + QPointF(rng.range(-30, 30), rng.range(-30, 30));
        QPolygonF forward = schemeLine(rng, start, direction, 4, 75);
        QPolygonF backward = schemeLine(rng, start, (direction + 4) % 8, 4, 75);
        QPolygonF route;
        for (int i = int(backward.size()) - 1; i > 0; --i)
            route << backward[i];
        route << forward;
        routes.push_back(route);
    }
    // The ring line under the radial ones, as on the schemes of the larger systems.
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(QColor(130, 80, 40), 6));
    p.drawEllipse(centre, ringRadius, ringRadius);
    for (int l = 0; l < lines; ++l) {
        p.setPen(QPen(colours[l % 6], 6, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        p.drawPolyline(routes[l]);
    }
    for (int l = 0; l < lines; ++l) {
        const QPolygonF& route = routes[l];
        for (int i = 0; i + 1 < route.size(); ++i) {
            for (double t : {0.0, 0.5}) {
                const QPointF at = route[i] + (route[i + 1] - route[i]) * t;
                p.setPen(QPen(colours[l % 6], 2));
                p.setBrush(Qt::white);
                p.drawEllipse(at, 5, 5);
                drawLabel(canvas, placeName(rng), at + QPointF(0, (i + l) % 2 ? 13 : -13), stationFont, 0,
                          QColor(40, 40, 40));
            }
        }
        p.setPen(QPen(colours[l % 6], 2));
        p.setBrush(Qt::white);
        p.drawEllipse(route.last(), 5, 5);
    }
    // The legend lists the lines with their colours.
    const QRectF legend(canvas.width * 0.06, canvas.height * 0.62, 170, 22 + 18 * lines);
    p.setPen(QPen(canvas.ink, 1));
    p.setBrush(QColor(240, 232, 210));
    p.drawRect(legend);
    const QFont legendFont = pixelFont(sansFamily, 12);
    QPainterPath legendText;
    {
        std::lock_guard guard(fontLock());
        legendText.addText(legend.topLeft() + QPointF(10, 16), legendFont, QStringLiteral("Условные обозначения"));
        for (int l = 0; l < lines; ++l)
            legendText.addText(legend.topLeft() + QPointF(50, 38 + 18 * l), legendFont,
                               QStringLiteral("Линия %1").arg(l + 1));
    }
    for (int l = 0; l < lines; ++l) {
        const QPointF row = legend.topLeft() + QPointF(10, 34 + 18 * l);
        p.setPen(QPen(colours[l % 6], 6));
        p.drawLine(row, row + QPointF(30, 0));
    }
    p.setPen(Qt::NoPen);
    p.setBrush(canvas.ink);
    p.drawPath(legendText);
}

} // namespace toolcommon
