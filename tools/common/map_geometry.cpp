#include "map_canvas.h"
#include "tool_fonts.h"

#include <QFontMetricsF>
#include <QPainterPathStroker>
#include <algorithm>
#include <cmath>

namespace toolcommon {

QPolygonF meander(Rng& rng, QPointF start, double direction, double step, int steps, double wiggle)
{
    QPolygonF points;
    points << start;
    double heading = direction;
    double drift = 0.0;
    for (int i = 0; i < steps; ++i) {
        // Bends come in runs, which looks like water finding its way rather than noise.
        drift = drift * 0.7 + rng.range(-wiggle, wiggle);
        heading += drift;
        heading = direction + std::clamp(heading - direction, -1.1, 1.1);
        start += QPointF(std::cos(heading) * step, std::sin(heading) * step);
        points << start;
    }
    return points;
}

QPainterPath smoothPath(const QPolygonF& points)
{
    QPainterPath path;
    if (points.isEmpty())
        return path;
    path.moveTo(points.first());
    for (int i = 1; i + 1 < points.size(); ++i)
        path.quadTo(points[i], (points[i] + points[i + 1]) / 2.0);
    path.lineTo(points.last());
    return path;
}

QPainterPath blob(Rng& rng, QPointF centre, double radiusX, double radiusY, double roughness)
{
    const int corners = 24;
    QPolygonF outline;
    double wobble = 1.0;
    for (int i = 0; i < corners; ++i) {
        wobble = std::clamp(wobble + rng.range(-roughness, roughness), 1.0 - 2 * roughness, 1.0 + 2 * roughness);
        const double angle = 2 * M_PI * i / corners;
        outline << centre + QPointF(std::cos(angle) * radiusX * wobble, std::sin(angle) * radiusY * wobble);
    }
    QPainterPath path;
    path.moveTo((outline[corners - 1] + outline[0]) / 2.0);
    for (int i = 0; i < corners; ++i)
        path.quadTo(outline[i], (outline[i] + outline[(i + 1) % corners]) / 2.0);
    path.closeSubpath();
    return path;
}

double distanceToPolyline(QPointF point, const QPolygonF& line)
{
    double best = 1e18;
    for (int i = 0; i + 1 < line.size(); ++i) {
        const QPointF a = line[i], b = line[i + 1];
        const QPointF ab = b - a;
        const double length2 = QPointF::dotProduct(ab, ab);
        const double t = length2 > 0 ? std::clamp(QPointF::dotProduct(point - a, ab) / length2, 0.0, 1.0) : 0.0;
        const QPointF d = point - (a + ab * t);
        best = std::min(best, std::hypot(d.x(), d.y()));
    }
    return best;
}

void drawRiver(MapCanvas& canvas, const QPainterPath& path, double width)
{
    QPainter& p = canvas.painter;
    p.save();
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(canvas.waterInk, width + 2.2, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.drawPath(path);
    p.setPen(QPen(canvas.water, width, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.drawPath(path);
    // Engravers shaded water with lines that follow the bank, closer together near it.
    if (width > 6) {
        QColor ripple = canvas.waterInk;
        ripple.setAlpha(110);
        for (double inset : {0.62, 0.34}) {
            QPen pen(ripple, std::max(0.5, width * 0.05), Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
            p.setPen(pen);
            QPainterPathStroker stroker;
            stroker.setWidth(width * inset);
            stroker.setCapStyle(Qt::FlatCap);
            p.drawPath(stroker.createStroke(path));
        }
    }
    p.restore();
}

void drawLabel(MapCanvas& canvas, const QString& text, QPointF centre, const QFont& font, double angle, QColor colour)
{
    QPainter& p = canvas.painter;
    p.save();
    p.translate(centre);
    p.rotate(angle);
    p.setFont(font);
    QPainterPath glyphs;
    {
        std::lock_guard guard(fontLock());
        const QFontMetricsF metrics(font);
        const QPointF origin(-metrics.horizontalAdvance(text) / 2.0, metrics.ascent() / 2.0 - metrics.descent() / 2.0);
        glyphs.addText(origin, font, text);
    }
    QColor halo = canvas.paper;
    halo.setAlpha(200);
    p.setPen(QPen(halo, font.pixelSize() * 0.22, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.setBrush(Qt::NoBrush);
    p.drawPath(glyphs);
    p.setPen(Qt::NoPen);
    p.setBrush(colour.isValid() ? colour : canvas.ink);
    p.drawPath(glyphs);
    p.restore();
}

QString placeName(Rng& rng)
{
    static const char* const names[] = {
        "Берёзовка",  "Ольховка", "Сосновка",    "Каменка",       "Заречье",  "Покровское", "Никольское",
        "Спасское",   "Троицкое", "Рождествено", "Горки",         "Ключи",    "Выселки",    "Луговое",
        "Дубровка",   "Липки",    "Бор",         "Высокое",       "Ивановка", "Малиновка",  "Озерки",
        "Петровское", "Слобода",  "Лесное",      "Борки",         "Мостки",   "Ямская",     "Полянка",
        "Чернава",    "Ракитино", "Сокольники",  "Вязовка",       "Городище", "Красное",    "Медведково",
        "Погост",     "Осиновка", "Знаменское",  "Воскресенское", "Холмы",    "Пески",      "Ручьи",
        "Кресты",     "Дворики",  "Боброво",     "Журавлёво",     "Глинки",   "Ельники",    "Сельцо",
    };
    return QString::fromUtf8(names[rng.next() % (sizeof(names) / sizeof(names[0]))]);
}

QString riverName(Rng& rng)
{
    static const char* const names[] = {"р. Быстрица", "р. Каменка", "р. Тихая",   "р. Серебрянка",
                                        "р. Ольшанка", "р. Вороня",  "р. Светлая", "р. Песочня"};
    return QString::fromUtf8(names[rng.next() % (sizeof(names) / sizeof(names[0]))]);
}

} // namespace toolcommon
