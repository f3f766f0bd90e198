#include "map_canvas.h"
#include "tool_fonts.h"

#include <algorithm>
#include <cmath>

namespace toolcommon {

namespace {

struct Town
{
    QPointF at;
    int rank; // 0 village, 1 town, 2 chief town
};

void drawGraticule(MapCanvas& canvas)
{
    // A conic projection: parallels are arcs about a pole far below the sheet, meridians run to that pole.
    QPainter& p = canvas.painter;
    const QPointF pole(canvas.width / 2, canvas.height * 3.2);
    QColor line = canvas.ink;
    line.setAlpha(70);
    p.setPen(QPen(line, 0.7));
    p.setBrush(Qt::NoBrush);
    for (double r = canvas.height * 2.3; r < canvas.height * 3.4; r += canvas.height * 0.16)
        p.drawEllipse(pole, r, r);
    for (double angle = -0.5; angle <= 0.5; angle += 0.1)
        p.drawLine(pole, pole + QPointF(std::sin(angle), -std::cos(angle)) * canvas.height * 3.5);
}

void drawSea(MapCanvas& canvas)
{
    QPainter& p = canvas.painter;
    QPolygonF coast = meander(canvas.rng, QPointF(-30, canvas.height * 0.16), 0.0, 16, 70, 0.25);
    QPolygonF sea = coast;
    sea << QPointF(canvas.width + 40, -40) << QPointF(-40, -40);
    QPainterPath seaPath = smoothPath(coast);
    seaPath.lineTo(canvas.width + 40, -40);
    seaPath.lineTo(-40, -40);
    seaPath.closeSubpath();
    QColor tint = canvas.water;
    tint.setAlpha(120);
    p.setPen(Qt::NoPen);
    p.setBrush(tint);
    p.drawPath(seaPath);
    // Coastal shading: lines parallel to the shore, thinning out to sea.
    const QPainterPath shore = smoothPath(coast);
    for (int k = 1; k <= 6; ++k) {
        QColor ripple = canvas.waterInk;
        ripple.setAlpha(150 - k * 20);
        p.setPen(QPen(ripple, 0.7));
        p.setBrush(Qt::NoBrush);
        p.drawPath(shore.translated(0, -k * 4.5));
    }
    p.setPen(QPen(canvas.waterInk, 1.6));
    p.drawPath(shore);
    drawLabel(canvas, QStringLiteral("М О Р Е"), QPointF(canvas.width * 0.45, canvas.height * 0.07),
              pixelFont(serifFamily, 22, false, true), 0, canvas.waterInk);
}

void drawProvinces(MapCanvas& canvas, int count)
{
    QPainter& p = canvas.painter;
    static const QColor washes[] = {QColor(200, 120, 110), QColor(150, 170, 110), QColor(210, 180, 100),
                                    QColor(150, 140, 180), QColor(200, 150, 90)};
    for (int i = 0; i < count; ++i) {
        const QPointF centre(canvas.rng.range(0.15, 0.85) * canvas.width, canvas.rng.range(0.3, 0.8) * canvas.height);
        const QPainterPath outline =
            blob(canvas.rng, centre, canvas.rng.range(110, 220), canvas.rng.range(90, 170), 0.08);
        QColor wash = washes[i % 5];
        wash.setAlpha(55);
        p.setPen(Qt::NoPen);
        p.setBrush(wash);
        p.drawPath(outline);
        // Hand colouring was laid on thickest along the boundary.
        wash.setAlpha(90);
        p.setBrush(Qt::NoBrush);
        p.setPen(QPen(wash, 9, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        p.drawPath(outline);
        QPen dots(canvas.ink, 1.1, Qt::CustomDashLine, Qt::RoundCap);
        dots.setDashPattern({4, 3, 0.5, 3});
        p.setPen(dots);
        p.drawPath(outline);
    }
}

void drawForests(MapCanvas& canvas, int groves)
{
    QPainter& p = canvas.painter;
    for (int g = 0; g < groves; ++g) {
        const QPointF centre(canvas.rng.range(0.05, 0.95) * canvas.width, canvas.rng.range(0.25, 0.95) * canvas.height);
        const int trees = canvas.rng.between(10, 28);
        for (int t = 0; t < trees; ++t) {
            const QPointF at = centre + QPointF(canvas.rng.range(-45, 45), canvas.rng.range(-25, 25));
            p.setPen(QPen(QColor(70, 80, 50), 0.7));
            p.setBrush(QColor(120, 140, 90, 170));
            p.drawEllipse(at, 3.0, 3.6);
            p.drawLine(at + QPointF(0, 3.6), at + QPointF(0, 6.5));
        }
    }
}

void drawHills(MapCanvas& canvas, int ranges)
{
    QPainter& p = canvas.painter;
    p.setBrush(Qt::NoBrush);
    for (int r = 0; r < ranges; ++r) {
        const QPolygonF ridge = meander(
            canvas.rng, QPointF(canvas.rng.range(0.1, 0.8) * canvas.width, canvas.rng.range(0.3, 0.9) * canvas.height),
            canvas.rng.range(-1.5, 1.5), 14, 12, 0.2);
        // Hachures: short strokes falling away from the ridge on both sides.
        for (int i = 0; i + 1 < ridge.size(); ++i) {
            const QPointF along = ridge[i + 1] - ridge[i];
            const QPointF normal(-along.y() / 14, along.x() / 14);
            for (int h = 0; h < 5; ++h) {
                const QPointF base = ridge[i] + along * (h / 5.0);
                p.setPen(QPen(QColor(100, 70, 45, 160), 0.7));
                p.drawLine(base + normal * 2, base + normal * 9);
                p.drawLine(base - normal * 2, base - normal * 7);
            }
        }
    }
}

} // namespace

void drawRegionMap(MapCanvas& canvas, bool wholeCountry)
{
    QPainter& p = canvas.painter;
    Rng& rng = canvas.rng;
    if (wholeCountry) {
        drawGraticule(canvas);
        drawProvinces(canvas, 7);
        drawSea(canvas);
    } else {
        drawProvinces(canvas, 1);
    }
    drawForests(canvas, wholeCountry ? 16 : 24);
    drawHills(canvas, wholeCountry ? 5 : 3);

    // A main river across the sheet with tributaries running into it.
    const QPolygonF main = meander(rng, QPointF(canvas.width * rng.range(0.1, 0.3), -20), rng.range(1.1, 1.4), 16,
                                   int(canvas.height / 13), 0.18);
    for (int t = 0; t < 5; ++t) {
        const QPointF mouth = main[rng.between(3, int(main.size()) - 4)];
        const double away = rng.chance(0.5) ? rng.range(-0.4, 0.4) : M_PI + rng.range(-0.4, 0.4);
        QPolygonF branch = meander(rng, mouth, away, 12, rng.between(12, 26), 0.22);
        drawRiver(canvas, smoothPath(branch), 3.5);
    }
    drawRiver(canvas, smoothPath(main), 9);
    for (int lake = 0; lake < 3; ++lake) {
        const QPainterPath water =
            blob(rng, QPointF(rng.range(0.1, 0.9) * canvas.width, rng.range(0.35, 0.9) * canvas.height),
                 rng.range(10, 26), rng.range(7, 16), 0.1);
        p.setPen(QPen(canvas.waterInk, 1.2));
        p.setBrush(canvas.water);
        p.drawPath(water);
    }

    std::vector<Town> towns;
    const int count = wholeCountry ? 26 : 22;
    for (int i = 0; i < count; ++i) {
        const QPointF at(rng.range(0.06, 0.94) * canvas.width,
                         rng.range(wholeCountry ? 0.28 : 0.1, 0.92) * canvas.height);
        towns.push_back({at, i == 0 ? 2 : (i < count / 3 ? 1 : 0)});
    }
    // Post roads join each town to its nearest neighbour that is larger or earlier.
    QPen road(canvas.ink, 1.3, Qt::CustomDashLine, Qt::FlatCap);
    road.setDashPattern({6, 2});
    for (std::size_t i = 1; i < towns.size(); ++i) {
        std::size_t nearest = 0;
        double best = 1e9;
        for (std::size_t j = 0; j < i; ++j) {
            const QPointF d = towns[i].at - towns[j].at;
            const double distance = std::hypot(d.x(), d.y());
            if (distance < best) {
                best = distance;
                nearest = j;
            }
        }
        QPainterPath path(towns[i].at);
        const QPointF middle = (towns[i].at + towns[nearest].at) / 2 + QPointF(rng.range(-20, 20), rng.range(-20, 20));
        path.quadTo(middle, towns[nearest].at);
        p.setPen(road);
        p.setBrush(Qt::NoBrush);
        p.drawPath(path);
    }
    const QFont villageFont = pixelFont(serifFamily, wholeCountry ? 11 : 12, false, true);
    const QFont townFont = pixelFont(serifFamily, wholeCountry ? 14 : 16);
    const QFont capitalFont = pixelFont(serifFamily, wholeCountry ? 19 : 22, true);
    for (const Town& town : towns) {
        p.setPen(QPen(canvas.ink, 1.0));
        if (town.rank == 0) {
            p.setBrush(canvas.paper);
            p.drawEllipse(town.at, 2.8, 2.8);
            p.drawLine(town.at + QPointF(0, -2.8), town.at + QPointF(0, -8));
            p.drawLine(town.at + QPointF(-2, -6), town.at + QPointF(2, -6));
        } else {
            p.setBrush(canvas.red);
            const double r = town.rank == 2 ? 7 : 4.5;
            p.drawEllipse(town.at, r, r);
            p.setBrush(Qt::NoBrush);
            p.drawEllipse(town.at, r + 2.5, r + 2.5);
        }
        const QFont& font = town.rank == 2 ? capitalFont : (town.rank == 1 ? townFont : villageFont);
        QString name = placeName(rng);
        if (town.rank == 2)
            name = name.toUpper();
        drawLabel(canvas, name, town.at + QPointF(0, town.rank == 2 ? 22 : 14), font);
    }
    drawLabel(canvas, riverName(rng), main[int(main.size() / 3)] + QPointF(18, 0),
              pixelFont(serifFamily, 13, false, true), 70, canvas.waterInk);
}

} // namespace toolcommon
