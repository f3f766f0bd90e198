#include "artwork_kit.h"

#include "map_drawing.h"
#include "rng.h"

#include <QDir>
#include <QFileInfo>
#include <QFontMetricsF>
#include <QPainterPath>
#include <algorithm>

namespace artwork {

QImage blankPicture(int width, int height, QColor fill, int scale)
{
    QImage image(width * scale, height * scale, QImage::Format_RGB32);
    image.setDevicePixelRatio(scale);
    image.fill(fill);
    return image;
}

QSize windowSize(const QImage& image)
{
    return image.deviceIndependentSize().toSize();
}

QImage copyOf(const QImage& image, const QRect& place)
{
    const int scale = qRound(image.devicePixelRatio());
    return image.copy(QRect(place.topLeft() * scale, place.size() * scale));
}

void paintStripes(QImage& image, int firstRow, int lastRow)
{
    const int scale = qRound(image.devicePixelRatio());
    for (int y = std::max(0, firstRow * scale); y <= std::min(lastRow * scale + scale - 1, image.height() - 1); ++y) {
        auto* line = reinterpret_cast<QRgb*>(image.scanLine(y));
        std::fill(line, line + image.width(), (y / scale % 2 == 0 ? stripeRed : stripeGold).rgb());
    }
}

void paintDarkTexture(QImage& image, const QRect& area, std::uint32_t seed)
{
    const int scale = qRound(image.devicePixelRatio());
    const QRect clipped = QRect(area.topLeft() * scale, area.size() * scale).intersected(image.rect());
    for (int y = clipped.top(); y <= clipped.bottom(); ++y) {
        auto* line = reinterpret_cast<QRgb*>(image.scanLine(y));
        for (int x = clipped.left(); x <= clipped.right(); ++x) {
            const std::uint32_t h = toolcommon::pixelHash(std::uint32_t(x), std::uint32_t(y), seed);
            // Two scales of grain: single pixels and a coarser mottle from the hash of a 3x3 cell of window pixels.
            const int fine = int(h & 15) - 8;
            const int coarse =
                int(toolcommon::pixelHash(std::uint32_t(x / (3 * scale)), std::uint32_t(y / (3 * scale)), seed + 1) &
                    15) -
                8;
            const int v = fine + coarse;
            line[x] = qRgb(std::clamp(78 + v * 2, 0, 255), std::clamp(22 + v, 0, 255), std::clamp(8 + v / 2, 0, 255));
        }
    }
}

QImage fadedMap(int width, int height, std::uint64_t seed, double fade, int scale)
{
    toolcommon::MapSpec spec;
    spec.kind = seed % 2 ? toolcommon::MapKind::Region : toolcommon::MapKind::City;
    spec.seed = seed;
    spec.cartouche = false;
    spec.border = false;
    spec.fade = fade;
    spec.fadeTo = parchment;
    // Drawn at twice the size and reduced, so the line work stays fine at the screen's scale.
    const QImage large = toolcommon::drawMap(spec, QSize(width * 2 * scale, height * 2 * scale));
    QImage map = large.scaled(width * scale, height * scale, Qt::IgnoreAspectRatio, Qt::SmoothTransformation)
                     .convertToFormat(QImage::Format_RGB32);
    map.setDevicePixelRatio(scale);
    return map;
}

QFont fittedFont(const QString& family, const QString& text, int maxPixels, double maxWidth, bool bold)
{
    for (int size = maxPixels; size > 5; --size) {
        QFont font(family);
        font.setPixelSize(size);
        font.setBold(bold);
        if (QFontMetricsF(font).horizontalAdvance(text) <= maxWidth)
            return font;
    }
    QFont font(family);
    font.setPixelSize(6);
    font.setBold(bold);
    return font;
}

void drawOutlinedText(QPainter& painter, const QString& text, QPointF centre, const QFont& font, QColor fill,
                      QColor outline, double outlineWidth)
{
    const QFontMetricsF metrics(font);
    const QPointF origin(centre.x() - metrics.horizontalAdvance(text) / 2.0,
                         centre.y() + (metrics.ascent() - metrics.descent()) / 2.0);
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    if (outlineWidth > 0) {
        QPainterPath path;
        path.addText(origin, font, text);
        painter.setPen(QPen(outline, outlineWidth, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        painter.setBrush(Qt::NoBrush);
        painter.drawPath(path);
    }
    // Glyphs drawn as text, not as a path, keep the font's hinting and stay crisp at small sizes.
    painter.setFont(font);
    painter.setPen(fill);
    painter.drawText(origin, text);
    painter.restore();
}

QString savePng(const QImage& image, const QString& path)
{
    QDir().mkpath(QFileInfo(path).absolutePath());
    const QImage out = image.hasAlphaChannel() ? image.convertToFormat(QImage::Format_ARGB32)
                                               : image.convertToFormat(QImage::Format_RGB888);
    if (!out.save(path, "PNG", 9))
        return QStringLiteral("Cannot write %1").arg(path);
    return {};
}

} // namespace artwork
