#include "map_canvas.h"
#include "tool_fonts.h"

#include <QFontMetricsF>
#include <cmath>

namespace toolcommon {

void drawCompassRose(MapCanvas& canvas, QPointF centre, double radius)
{
    QPainter& p = canvas.painter;
    p.save();
    p.setPen(QPen(canvas.ink, radius * 0.02));
    p.setBrush(Qt::NoBrush);
    p.drawEllipse(centre, radius * 0.78, radius * 0.78);
    p.drawEllipse(centre, radius * 0.70, radius * 0.70);
    for (int tick = 0; tick < 32; ++tick) {
        const double angle = tick * M_PI / 16;
        const QPointF direction(std::sin(angle), -std::cos(angle));
        p.drawLine(centre + direction * radius * 0.70, centre + direction * radius * (tick % 4 ? 0.74 : 0.78));
    }
    // Sixteen points: long cardinal ones, then shorter ones between; each half light and half dark.
    for (int ring = 2; ring >= 0; --ring) {
        const int points = 4 << ring;
        const double length = radius * (ring == 0 ? 1.0 : (ring == 1 ? 0.72 : 0.5));
        const double waist = radius * (ring == 0 ? 0.12 : 0.08);
        for (int i = 0; i < points; ++i) {
            if (ring > 0 && i % 2 == 0)
                continue;
            const double angle = i * 2 * M_PI / points;
            const QPointF tip = centre + QPointF(std::sin(angle), -std::cos(angle)) * length;
            const QPointF side = centre + QPointF(std::sin(angle + M_PI / 2), -std::cos(angle + M_PI / 2)) * waist;
            const QPointF other = centre + QPointF(std::sin(angle - M_PI / 2), -std::cos(angle - M_PI / 2)) * waist;
            p.setPen(QPen(canvas.ink, radius * 0.015));
            p.setBrush(ring == 0 ? canvas.red : canvas.ink);
            p.drawPolygon(QPolygonF({centre, tip, side}));
            p.setBrush(canvas.paper);
            p.drawPolygon(QPolygonF({centre, tip, other}));
        }
    }
    p.setBrush(canvas.ink);
    p.drawEllipse(centre, radius * 0.05, radius * 0.05);
    drawLabel(canvas, QStringLiteral("С"), centre + QPointF(0, -radius * 1.14),
              pixelFont(serifFamily, std::max(6, int(radius * 0.28)), true));
    p.restore();
}

void drawScaleBar(MapCanvas& canvas, QPointF origin, double length, const QString& unit)
{
    QPainter& p = canvas.painter;
    p.save();
    const int parts = 5;
    const double step = length / parts;
    p.setPen(QPen(canvas.ink, 1));
    for (int i = 0; i < parts; ++i) {
        p.setBrush(i % 2 ? canvas.paper : canvas.ink);
        p.drawRect(QRectF(origin + QPointF(i * step, 0), QSizeF(step, 5)));
    }
    const QFont font = pixelFont(serifFamily, 10);
    for (int i = 0; i <= parts; ++i)
        drawLabel(canvas, QString::number(i * 2), origin + QPointF(i * step, 13), font);
    drawLabel(canvas, QStringLiteral("Масштаб ") + unit, origin + QPointF(length / 2, -9),
              pixelFont(serifFamily, 11, false, true));
    p.restore();
}

void drawCartouche(MapCanvas& canvas, QRectF box, const QString& title, const QString& year)
{
    QPainter& p = canvas.painter;
    p.save();
    // Scrolled ends first, so that the panel lies over their inner halves.
    const double curl = box.height() * 0.12;
    p.setPen(QPen(canvas.ink, 1.2));
    p.setBrush(QColor(214, 190, 140));
    for (QPointF corner : {box.topLeft(), box.topRight(), box.bottomLeft(), box.bottomRight()}) {
        p.drawEllipse(corner, curl, curl);
        p.drawEllipse(corner, curl * 0.5, curl * 0.5);
    }
    p.setBrush(QColor(240, 226, 190));
    p.setPen(QPen(canvas.ink, 2.0));
    p.drawRect(box);
    p.setPen(QPen(canvas.ink, 0.8));
    p.drawRect(box.adjusted(4, 4, -4, -4));
    p.setPen(QPen(canvas.red, 0.8));
    p.drawRect(box.adjusted(7, 7, -7, -7));

    // The title is set as large as the panel allows.
    QPainterPath text, yearText;
    {
        std::lock_guard guard(fontLock());
        int size = int(box.height() * 0.34);
        QFont titleFont = pixelFont(serifFamily, size, true);
        while (size > 6 && QFontMetricsF(titleFont).horizontalAdvance(title) > box.width() - 30)
            titleFont = pixelFont(serifFamily, --size, true);
        const double titleWidth = QFontMetricsF(titleFont).horizontalAdvance(title);
        text.addText(QPointF(box.center().x() - titleWidth / 2, box.top() + box.height() * 0.52), titleFont, title);
        if (!year.isEmpty()) {
            const QFont yearFont = pixelFont(serifFamily, std::max(6, int(box.height() * 0.16)), false, true);
            const QString line = QStringLiteral("сочинён в %1 году").arg(year);
            yearText.addText(QPointF(box.center().x() - QFontMetricsF(yearFont).horizontalAdvance(line) / 2,
                                     box.top() + box.height() * 0.8),
                             yearFont, line);
        }
    }
    p.setPen(Qt::NoPen);
    p.setBrush(canvas.ink);
    p.drawPath(text);
    p.setBrush(canvas.red);
    p.drawPath(yearText);
    p.restore();
}

void drawGraduatedBorder(MapCanvas& canvas)
{
    QPainter& p = canvas.painter;
    p.save();
    const double margin = 14, band = 7;
    const QRectF outer(margin, margin, canvas.width - 2 * margin, canvas.height - 2 * margin);
    const QRectF inner = outer.adjusted(band, band, -band, -band);
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(canvas.ink, 2.4));
    p.drawRect(outer);
    p.setPen(QPen(canvas.ink, 0.9));
    p.drawRect(inner);
    // Alternate filled segments of the degree band.
    p.setPen(Qt::NoPen);
    p.setBrush(canvas.ink);
    const double segment = 25;
    for (double x = inner.left(), i = 0; x < inner.right(); x += segment, ++i) {
        if (int(i) % 2 == 0)
            continue;
        const double w = std::min(segment, inner.right() - x);
        p.drawRect(QRectF(x, outer.top() + 2, w, band - 3.5));
        p.drawRect(QRectF(x, inner.bottom() + 1.5, w, band - 3.5));
    }
    for (double y = inner.top(), i = 0; y < inner.bottom(); y += segment, ++i) {
        if (int(i) % 2 == 0)
            continue;
        const double h = std::min(segment, inner.bottom() - y);
        p.drawRect(QRectF(outer.left() + 2, y, band - 3.5, h));
        p.drawRect(QRectF(inner.right() + 1.5, y, band - 3.5, h));
    }
    p.restore();
}

} // namespace toolcommon
