#include "collection_pictures.h"

#include "collection_content.h"
#include "map_drawing.h"
#include "rng.h"

#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <cmath>

namespace democollection {

QImage drawAboutPicture(QSize size)
{
    toolcommon::MapSpec spec;
    spec.kind = toolcommon::MapKind::Country;
    spec.title = collectionTitle;
    spec.year = QStringLiteral("1787");
    spec.seed = 9001;
    return toolcommon::drawMap(spec, size);
}

QImage drawLeftPicture(QSize size)
{
    toolcommon::MapSpec spec;
    spec.kind = toolcommon::MapKind::Region;
    spec.title = QStringLiteral("Карта уезда");
    spec.year = QStringLiteral("1803");
    spec.seed = 9002;
    return toolcommon::drawMap(spec, size);
}

QImage drawDeskPicture(QSize size)
{
    QImage image(size, QImage::Format_RGB32);
    toolcommon::Rng rng(9003);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.setRenderHint(QPainter::SmoothPixmapTransform);
    // Walnut boards with their grain.
    QLinearGradient wood(0, 0, size.width(), size.height());
    wood.setColorAt(0, QColor(96, 58, 34));
    wood.setColorAt(1, QColor(62, 36, 22));
    p.fillRect(image.rect(), wood);
    for (int line = 0; line < 90; ++line) {
        const double y = rng.range(0, size.height());
        QPainterPath grain(QPointF(0, y));
        for (double x = 0; x < size.width(); x += 40)
            grain.quadTo(QPointF(x + 20, y + rng.range(-3, 3)), QPointF(x + 40, y + rng.range(-2, 2)));
        p.setPen(QPen(QColor(40, 22, 12, int(rng.range(30, 90))), rng.range(0.5, 1.5)));
        p.drawPath(grain);
    }

    toolcommon::MapSpec spec;
    spec.kind = toolcommon::MapKind::City;
    spec.title = QStringLiteral("План города");
    spec.year = QStringLiteral("1781");
    spec.seed = 9004;
    const QImage sheet = toolcommon::drawMap(spec, QSize(size.width() * 3 / 4, size.height() * 3 / 4));
    p.save();
    p.translate(size.width() * 0.5, size.height() * 0.48);
    p.rotate(-7);
    const QRectF place(-sheet.width() / 2.0, -sheet.height() / 2.0, sheet.width(), sheet.height());
    p.fillRect(place.translated(6, 7), QColor(0, 0, 0, 90));
    p.drawImage(place, sheet);
    p.restore();

    // Dividers lying across the corner of the sheet.
    const QPointF hinge(size.width() * 0.8, size.height() * 0.18);
    p.setPen(QPen(QColor(60, 60, 62), 3, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(hinge, hinge + QPointF(-70, 95));
    p.drawLine(hinge, hinge + QPointF(-25, 110));
    p.setPen(QPen(QColor(200, 200, 205), 1.2, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(hinge, hinge + QPointF(-70, 95));
    p.drawLine(hinge, hinge + QPointF(-25, 110));
    p.setBrush(QColor(180, 150, 80));
    p.setPen(QPen(QColor(90, 70, 30), 1));
    p.drawEllipse(hinge, 6, 6);

    // A magnifier over the town's centre.
    const QPointF lens(size.width() * 0.36, size.height() * 0.58);
    const double radius = size.height() * 0.16;
    p.setPen(QPen(QColor(50, 30, 18), radius * 0.22, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(lens + QPointF(radius * 0.75, radius * 0.75), lens + QPointF(radius * 1.9, radius * 1.9));
    p.setPen(QPen(QColor(170, 140, 70), radius * 0.14));
    p.setBrush(QColor(255, 255, 240, 40));
    p.drawEllipse(lens, radius, radius);
    p.setPen(QPen(QColor(255, 255, 255, 120), 2));
    p.drawArc(QRectF(lens - QPointF(radius * 0.7, radius * 0.7), QSizeF(radius * 1.4, radius * 1.4)), 100 * 16,
              60 * 16);
    return image;
}

} // namespace democollection
