#include "map_canvas.h"
#include "tool_fonts.h"

#include <algorithm>
#include <cmath>

namespace toolcommon {

namespace {

QPointF rotated(QPointF v, double angle)
{
    return QPointF(v.x() * std::cos(angle) - v.y() * std::sin(angle),
                   v.x() * std::sin(angle) + v.y() * std::cos(angle));
}

void drawFields(MapCanvas& canvas, QPointF centre, double cityRadius)
{
    QPainter& p = canvas.painter;
    QColor line = canvas.ink;
    line.setAlpha(90);
    p.setPen(QPen(line, 0.6));
    QColor strip = canvas.ink;
    strip.setAlpha(12);
    for (int field = 0; field < 18; ++field) {
        const double angle = canvas.rng.range(0, 2 * M_PI);
        const double distance = cityRadius * canvas.rng.range(1.35, 2.4);
        const QPointF at = centre + QPointF(std::cos(angle) * distance, std::sin(angle) * distance);
        const double turn = canvas.rng.range(0, M_PI);
        const int strips = canvas.rng.between(4, 9);
        const double length = canvas.rng.range(40, 90), breadth = canvas.rng.range(6, 11);
        for (int s = 0; s < strips; ++s) {
            QPolygonF parcel;
            for (QPointF corner : {QPointF(0, 0), QPointF(length, 0), QPointF(length, breadth), QPointF(0, breadth)})
                parcel << at + rotated(corner + QPointF(0, s * breadth), turn);
            p.setBrush(s % 2 ? strip : Qt::transparent);
            p.drawPolygon(parcel);
        }
    }
}

void drawFortress(MapCanvas& canvas, QPointF centre, double radius)
{
    QPolygonF wall;
    const int bastions = canvas.rng.between(5, 7);
    for (int i = 0; i < bastions * 2; ++i) {
        const double angle = M_PI * i / bastions;
        const double r = i % 2 ? radius * 0.72 : radius;
        wall << centre + QPointF(std::cos(angle) * r, std::sin(angle) * r);
    }
    QPainter& p = canvas.painter;
    p.setPen(QPen(canvas.ink, 2.2, Qt::SolidLine, Qt::SquareCap, Qt::MiterJoin));
    p.setBrush(QColor(196, 150, 120));
    p.drawPolygon(wall);
    p.setPen(QPen(canvas.ink, 0.8));
    p.setBrush(QBrush(canvas.ink, Qt::BDiagPattern));
    p.drawPolygon(wall);
    // The cathedral inside the walls.
    p.setBrush(QColor(170, 60, 45));
    p.drawRect(QRectF(centre - QPointF(6, 9), QSizeF(12, 18)));
    p.drawRect(QRectF(centre - QPointF(9, 3), QSizeF(18, 6)));
}

void drawChurch(MapCanvas& canvas, QPointF at)
{
    QPainter& p = canvas.painter;
    p.setPen(QPen(canvas.ink, 0.9));
    p.setBrush(canvas.red);
    p.drawEllipse(at, 3.2, 3.2);
    p.drawLine(at + QPointF(0, -3.2), at + QPointF(0, -9));
    p.drawLine(at + QPointF(-2.5, -7), at + QPointF(2.5, -7));
}

} // namespace

void drawCityPlan(MapCanvas& canvas)
{
    QPainter& p = canvas.painter;
    Rng& rng = canvas.rng;
    const QPointF centre(canvas.width * rng.range(0.42, 0.58), canvas.height * rng.range(0.42, 0.58));
    const double cityRadius = std::min(canvas.width, canvas.height) * rng.range(0.30, 0.38);

    drawFields(canvas, centre, cityRadius);

    // The river crosses the whole sheet and passes close by the old centre, where towns were founded.
    const double riverY = centre.y() + rng.range(-0.15, 0.15) * canvas.height + cityRadius * 0.35;
    const QPolygonF riverLine = meander(rng, QPointF(-30, riverY), rng.range(-0.15, 0.15), 18, 70, 0.12);
    const double riverWidth = rng.range(18, 30);

    // Roads leave the town in all directions before the blocks are drawn over their inner ends.
    p.setBrush(Qt::NoBrush);
    for (int road = 0; road < 6; ++road) {
        const double angle = road * M_PI / 3 + rng.range(-0.3, 0.3);
        const QPolygonF line = meander(rng, centre, angle, 20, 40, 0.05);
        p.setPen(QPen(canvas.ink, 1.6, Qt::SolidLine, Qt::RoundCap));
        p.drawPath(smoothPath(line));
        p.setPen(QPen(canvas.paper, 0.8, Qt::SolidLine, Qt::RoundCap));
        p.drawPath(smoothPath(line));
    }

    const double gridAngle = rng.range(-0.4, 0.4);
    const double cell = rng.range(30, 40), street = 6.5;
    const QColor stone(201, 118, 98), wood(214, 178, 118), garden(176, 182, 132);
    std::vector<QPointF> churchSpots;
    const int reach = int(cityRadius / cell) + 2;
    for (int i = -reach; i <= reach; ++i) {
        for (int j = -reach; j <= reach; ++j) {
            const QPointF cellCentre = centre + rotated(QPointF(i * cell, j * cell), gridAngle);
            const QPointF offset = cellCentre - centre;
            const double distance = std::hypot(offset.x(), offset.y());
            const double edge = cityRadius * (0.85 + 0.25 * std::sin(std::atan2(offset.y(), offset.x()) * 3 + i));
            if (distance > edge || distance < cityRadius * 0.16)
                continue;
            if (distanceToPolyline(cellCentre, riverLine) < riverWidth / 2 + cell * 0.6)
                continue;
            // Blocks may be split in two by a lane, and the outer ones are often left as gardens.
            const int parts = rng.chance(0.35) ? 2 : 1;
            for (int part = 0; part < parts; ++part) {
                const double half = cell / 2 - street / 2;
                const double x0 = parts == 1 ? -half : (part == 0 ? -half : 1.5);
                const double x1 = parts == 1 ? half : (part == 0 ? -1.5 : half);
                QPolygonF block;
                for (QPointF corner : {QPointF(x0, -half), QPointF(x1, -half), QPointF(x1, half), QPointF(x0, half)})
                    block << cellCentre +
                                 rotated(corner + QPointF(rng.range(-1.5, 1.5), rng.range(-1.5, 1.5)), gridAngle);
                const double outer = distance / edge;
                QColor fill = outer < 0.45 ? stone : (rng.chance(outer * 0.6) ? garden : wood);
                p.setPen(QPen(canvas.ink, 0.9));
                p.setBrush(fill);
                p.drawPolygon(block);
                if (fill == garden) {
                    p.setPen(Qt::NoPen);
                    p.setBrush(QColor(90, 110, 70, 150));
                    for (int t = 0; t < 6; ++t)
                        p.drawEllipse(
                            cellCentre +
                                rotated(QPointF(rng.range(x0 + 2, x1 - 2), rng.range(-half + 2, half - 2)), gridAngle),
                            1.3, 1.3);
                } else if (fill == stone) {
                    p.setBrush(QBrush(QColor(90, 40, 30, 120), Qt::BDiagPattern));
                    p.drawPolygon(block);
                }
            }
            if (rng.chance(0.06))
                churchSpots.push_back(cellCentre);
        }
    }

    drawRiver(canvas, smoothPath(riverLine), riverWidth);
    // Bridges where the main streets cross the water.
    for (int b = 0; b < 2; ++b) {
        const QPointF at =
            riverLine[std::clamp(int(riverLine.size() / 2) + (b ? 5 : -4), 0, int(riverLine.size() - 1))];
        p.setPen(QPen(canvas.ink, 1.4));
        p.setBrush(canvas.paper);
        p.drawRect(QRectF(at - QPointF(4, riverWidth / 2 + 4), QSizeF(8, riverWidth + 8)));
    }

    drawFortress(canvas, centre, cityRadius * 0.15);
    for (QPointF spot : churchSpots)
        drawChurch(canvas, spot);

    static const char* const quarters[] = {"Заречная часть", "Ямская слобода",     "Купеческая часть",
                                           "Посад",          "Пушкарская слобода", "Торговая площадь",
                                           "Гостиный двор",  "Кузнецкая слобода"};
    const QFont quarterFont = pixelFont(serifFamily, 13, false, true);
    for (int q = 0; q < 5; ++q) {
        const double angle = rng.range(0, 2 * M_PI);
        const QPointF at = centre + QPointF(std::cos(angle), std::sin(angle)) * cityRadius * rng.range(0.45, 0.8);
        drawLabel(canvas, QString::fromUtf8(quarters[rng.next() % 8]), at, quarterFont, rng.range(-12, 12));
    }
    const QPointF riverLabel = riverLine[int(riverLine.size() * 0.1)] + QPointF(0, -riverWidth);
    drawLabel(canvas, riverName(rng), riverLabel, pixelFont(serifFamily, 14, false, true), 0, canvas.waterInk);
    const QFont villageFont = pixelFont(serifFamily, 11, false, true);
    for (int v = 0; v < 6; ++v) {
        const double angle = rng.range(0, 2 * M_PI);
        const QPointF at = centre + QPointF(std::cos(angle), std::sin(angle)) * cityRadius * rng.range(1.3, 1.9);
        drawChurch(canvas, at);
        drawLabel(canvas, placeName(rng), at + QPointF(0, 12), villageFont);
    }
}

} // namespace toolcommon
