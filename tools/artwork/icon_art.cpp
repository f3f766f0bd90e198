#include "icon_art.h"

#include "artwork_kit.h"

#include <QPainterPath>
#include <cmath>

namespace artwork {

namespace {

// The icon is drawn in a 256-unit square whatever its pixel size.
constexpr double Units = 256.0;

void drawCompassRose(QPainter& painter, QPointF centre, double radius)
{
    for (int i = 0; i < 8; ++i) {
        const double angle = i * M_PI / 4;
        const double length = i % 2 ? radius * 0.55 : radius;
        const QPointF tip = centre + QPointF(std::sin(angle), -std::cos(angle)) * length;
        const QPointF side = QPointF(std::cos(angle), std::sin(angle)) * (radius * 0.16);
        QPainterPath half;
        half.moveTo(centre);
        half.lineTo(tip);
        half.lineTo(centre + side);
        half.closeSubpath();
        painter.fillPath(half, i == 0 ? starRed : darkOutline);
        QPainterPath other;
        other.moveTo(centre);
        other.lineTo(tip);
        other.lineTo(centre - side);
        other.closeSubpath();
        painter.fillPath(other, goldLine);
    }
    painter.setPen(QPen(darkOutline, 3));
    painter.setBrush(Qt::NoBrush);
    painter.drawEllipse(centre, radius * 0.62, radius * 0.62);
}

} // namespace

QImage drawAppIcon(int size)
{
    QImage icon(size, size, QImage::Format_ARGB32_Premultiplied);
    icon.fill(Qt::transparent);
    QPainter painter(&icon);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    painter.scale(size / Units, size / Units);

    const QRectF sheet(20, 28, 216, 200);
    QPainterPath outline;
    outline.addRoundedRect(sheet, 14, 14);
    // The map itself, drawn at the pixel size it is shown at.
    const int mapPixels = std::max(8, int(sheet.width() * size / Units));
    painter.save();
    painter.setClipPath(outline);
    painter.drawImage(sheet, fadedMap(mapPixels, int(mapPixels * sheet.height() / sheet.width()), 7, 0.35));
    // A band of the windows' red and gold stripes across the top of the sheet.
    for (int i = 0; i < 8; ++i)
        painter.fillRect(QRectF(sheet.left(), sheet.top() + i * 4, sheet.width(), 4), i % 2 ? stripeGold : stripeRed);
    painter.restore();

    painter.setPen(QPen(frameRed, 10));
    painter.setBrush(Qt::NoBrush);
    painter.drawPath(outline);
    drawCompassRose(painter, QPointF(176, 168), 44);
    return icon;
}

} // namespace artwork
