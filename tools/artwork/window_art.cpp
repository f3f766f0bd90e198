#include "window_art.h"

#include "artwork_kit.h"
#include "landscape_art.h"

#include <QPainterPath>
#include <cmath>

namespace artwork {

namespace {

constexpr int backgroundTop = 61; // Image5's place in the window
const QRect listArea(36, 76, 312, 491);
const QRect previewArea(362, 77, 398, 298);
const QRect frameInside(26, 9, 748, 510); // in Image5's coordinates

QRect inBackground(QRect windowRect)
{
    return windowRect.translated(0, -backgroundTop);
}

/// The ordering bar: a dark red strip with the light ordering words under their click areas.
void drawOrderingBar(QPainter& p, QPoint origin)
{
    p.save();
    p.translate(origin);
    QLinearGradient strip(0, 0, 0, 20);
    strip.setColorAt(0, QColor(160, 48, 10));
    strip.setColorAt(0.5, frameRed);
    strip.setColorAt(1, QColor(100, 24, 0));
    p.fillRect(0, 0, 312, 20, strip);
    p.fillRect(0, 0, 312, 1, goldLine);
    p.fillRect(0, 19, 312, 1, QColor(70, 15, 0));
    const QFont font =
        fittedFont(QStringLiteral("DejaVu Sans"), QStringLiteral("качество изображения"), 11, 122, false);
    // Centres lie over the click areas below: А-Я left of them, then name 58..119, year 124..156, quality 163..287.
    drawOutlinedText(p, QStringLiteral("А-Я↓"), QPointF(29, 10), font, lightLetters, Qt::black, 0);
    drawOutlinedText(p, QStringLiteral("название"), QPointF(88.5, 10), font, lightLetters, Qt::black, 0);
    drawOutlinedText(p, QStringLiteral("год"), QPointF(140, 10), font, lightLetters, Qt::black, 0);
    drawOutlinedText(p, QStringLiteral("качество изображения"), QPointF(225, 10), font, lightLetters, Qt::black, 0);
    for (int x : {53, 121, 158})
        p.fillRect(x, 5, 1, 11, goldLine);
    p.restore();
}

/// The carved frame: dark red with bevelled edges, a running bead ornament and a gold line inside.
void drawCarvedFrame(QImage& image)
{
    QPainter p(&image);
    QPainterPath band;
    band.addRect(QRectF(image.rect()));
    band.addRect(QRectF(frameInside));
    p.fillPath(band, frameRed);
    p.setRenderHint(QPainter::Antialiasing);
    // Beads along the middle of each side.
    auto beads = [&](QPointF from, QPointF to, double spacing) {
        const QPointF d = to - from;
        const double length = std::hypot(d.x(), d.y());
        for (double t = spacing / 2; t < length; t += spacing) {
            const QPointF at = from + d * (t / length);
            QRadialGradient bead(at - QPointF(1, 1), 3.2);
            bead.setColorAt(0, QColor(205, 110, 55));
            bead.setColorAt(1, QColor(110, 28, 0));
            p.setPen(QPen(QColor(70, 15, 0), 0.6));
            p.setBrush(bead);
            p.drawEllipse(at, 2.6, 3.2);
        }
    };
    beads(QPointF(30, 4.5), QPointF(770, 4.5), 11);
    beads(QPointF(13, 20), QPointF(13, 515), 11);
    beads(QPointF(787, 20), QPointF(787, 515), 11);
    // The foot of the frame is wide enough for the about button; beads run only where the button and logo are not.
    beads(QPointF(100, 530), QPointF(640, 530), 11);
    p.setRenderHint(QPainter::Antialiasing, false);
    // Bevels: light on the edges that face the light, dark on the others.
    p.setPen(QColor(196, 96, 40));
    p.drawLine(0, 0, 799, 0);
    p.drawLine(0, 0, 0, 539);
    p.drawLine(frameInside.left() - 1, frameInside.bottom() + 1, frameInside.right() + 1, frameInside.bottom() + 1);
    p.drawLine(frameInside.right() + 1, frameInside.top() - 1, frameInside.right() + 1, frameInside.bottom() + 1);
    p.setPen(QColor(64, 12, 0));
    p.drawLine(0, 539, 799, 539);
    p.drawLine(799, 0, 799, 539);
    p.drawLine(frameInside.left() - 1, frameInside.top() - 1, frameInside.right() + 1, frameInside.top() - 1);
    p.drawLine(frameInside.left() - 1, frameInside.top() - 1, frameInside.left() - 1, frameInside.bottom() + 1);
    p.setPen(goldLine);
    p.setBrush(Qt::NoBrush);
    p.drawRect(frameInside.adjusted(-3, -3, 2, 2));
}

} // namespace

QImage drawLogo(const QString& publisher)
{
    QImage image = blankPicture(115, 32, frameRed);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    QLinearGradient plaque(0, 0, 0, 32);
    plaque.setColorAt(0, QColor(158, 46, 6));
    plaque.setColorAt(1, QColor(110, 28, 0));
    p.fillRect(image.rect(), plaque);
    p.setPen(QPen(goldLine, 1));
    p.drawRect(QRectF(1.5, 1.5, 112, 29));
    // The emblem: a small compass star in a ring.
    const QPointF centre(16, 16);
    p.setPen(QPen(lightLetters, 1));
    p.setBrush(Qt::NoBrush);
    p.drawEllipse(centre, 10, 10);
    p.setPen(Qt::NoPen);
    p.setBrush(lightLetters);
    for (int i = 0; i < 4; ++i) {
        const double a = i * M_PI / 2;
        const QPointF tip = centre + QPointF(std::sin(a), -std::cos(a)) * 9;
        const QPointF left = centre + QPointF(std::sin(a - M_PI / 4), -std::cos(a - M_PI / 4)) * 2.5;
        const QPointF right = centre + QPointF(std::sin(a + M_PI / 4), -std::cos(a + M_PI / 4)) * 2.5;
        p.drawPolygon(QPolygonF({left, tip, right, centre}));
    }
    const QString upper = publisher.toUpper();
    const int split = upper.indexOf(QLatin1Char(' '));
    const QString first = split > 0 ? upper.left(split) : upper;
    const QString second = split > 0 ? upper.mid(split + 1) : QString();
    const QFont font = fittedFont(QStringLiteral("DejaVu Sans"), first, 9, 84, true);
    drawOutlinedText(p, first, QPointF(71, 11), font, lightLetters, Qt::black, 0);
    drawOutlinedText(p, second, QPointF(71, 22), font, lightLetters, Qt::black, 0);
    return image;
}

QImage drawAboutButton()
{
    QImage image = blankPicture(39, 12, frameRed);
    QPainter p(&image);
    const QFont font = fittedFont(QStringLiteral("DejaVu Sans"), QStringLiteral("о диске"), 10, 38, false);
    drawOutlinedText(p, QStringLiteral("о диске"), QPointF(19.5, 6), font, lightLetters, Qt::black, 0);
    return image;
}

QImage drawWindowBackground(const QString& publisher)
{
    QImage image = fadedMap(800, 540, 31, 0.68);
    {
        QPainter p(&image);
        // Where the detail texts are read, the map fades further.
        QColor veil = parchment;
        veil.setAlpha(215);
        p.fillRect(QRect(352, 316, 304, 202), veil);
        p.fillRect(QRect(656, 316, 118, 50), veil);
        drawOrderingBar(p, QPoint(listArea.left(), listArea.top() - backgroundTop + 471));
        // Thin dark frames around the list and the preview.
        p.setPen(QColor(70, 30, 10));
        p.drawRect(inBackground(listArea).adjusted(-1, -1, 0, 0));
        p.drawRect(inBackground(previewArea).adjusted(-1, -1, 0, 0));
        p.setPen(QColor(150, 110, 70));
        p.drawRect(inBackground(listArea).adjusted(-3, -3, 2, 2));
        p.drawRect(inBackground(previewArea).adjusted(-3, -3, 2, 2));
    }
    drawCarvedFrame(image);
    QPainter p(&image);
    drawLandscape(p, QRect(652, 367, 118, 115));
    p.drawImage(QPoint(661, 546 - backgroundTop), drawLogo(publisher));
    p.drawImage(QPoint(42, 584 - backgroundTop), drawAboutButton());
    return image;
}

QImage drawListBackground()
{
    QImage image = fadedMap(312, 491, 42, 0.74);
    QPainter p(&image);
    QColor veil = parchment;
    veil.setAlpha(60);
    p.fillRect(QRect(0, 0, 312, 471), veil);
    drawOrderingBar(p, QPoint(0, 471));
    return image;
}

QImage drawPlainMap()
{
    return fadedMap(397, 297, 53, 0.6);
}

std::vector<QRect> starPlaces()
{
    return {QRect(657, 383, 19, 20), QRect(675, 383, 20, 20), QRect(694, 383, 20, 20), QRect(711, 383, 20, 20),
            QRect(730, 384, 19, 17)};
}

QImage drawStar(const QImage& background, const QRect& windowPlace)
{
    QImage star = background.copy(inBackground(windowPlace));
    QPainter p(&star);
    p.setRenderHint(QPainter::Antialiasing);
    const QPointF centre(star.width() / 2.0, star.height() / 2.0 + 0.8);
    const double outer = std::min(star.width(), star.height()) / 2.0 - 0.8, inner = outer * 0.42;
    QPolygonF points;
    for (int i = 0; i < 10; ++i) {
        const double a = i * M_PI / 5;
        const double r = i % 2 ? inner : outer;
        points << centre + QPointF(std::sin(a) * r, -std::cos(a) * r);
    }
    p.setPen(QPen(QColor(90, 0, 12), 0.9));
    p.setBrush(starRed);
    p.drawPolygon(points);
    return star;
}

} // namespace artwork
