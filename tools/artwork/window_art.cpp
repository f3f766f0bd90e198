#include "window_art.h"

#include "artwork_kit.h"
#include "landscape_art.h"
#include "window_layout/catalogue_controls.h"

#include <QPainterPath>
#include <cmath>

namespace artwork {

namespace {

using window_layout::catalogueControl;

const int backgroundTop = catalogueControl("Image5").place.top();
const QRect listArea = catalogueControl("Panel2").place;
const QRect previewArea = catalogueControl("Panel3").place;
const QRect frameInside(26, 9, 748, 510); // in Image5's coordinates
constexpr int orderingBarHeight = 20;     // across the foot of the list

/// The horizontal centre of a control, where the ordering word over it is drawn.
double centreX(const char* name)
{
    const QRect place = catalogueControl(name).place;
    return place.left() + place.width() / 2.0;
}

/// Where the ordering bar begins in the list's background.
int orderingBarTop()
{
    return catalogueControl("Image8").place.height() - orderingBarHeight;
}

QImage blankFor(const char* name, QColor fill, int scale)
{
    const QSize size = catalogueControl(name).artworkSize();
    return blankPicture(size.width(), size.height(), fill, scale);
}

QImage fadedMapFor(const char* name, std::uint64_t seed, double fade, int scale)
{
    const QSize size = catalogueControl(name).artworkSize();
    return fadedMap(size.width(), size.height(), seed, fade, scale);
}

QRect inBackground(QRect windowRect)
{
    return windowRect.translated(0, -backgroundTop);
}

/// The ordering bar: a dark red strip with the light ordering words under their click areas.
void drawOrderingBar(QPainter& p, QPoint origin)
{
    p.save();
    p.translate(origin);
    const int width = listArea.width();
    QLinearGradient strip(0, 0, 0, orderingBarHeight);
    strip.setColorAt(0, QColor(160, 48, 10));
    strip.setColorAt(0.5, frameRed);
    strip.setColorAt(1, QColor(100, 24, 0));
    p.fillRect(0, 0, width, orderingBarHeight, strip);
    p.fillRect(0, 0, width, 1, goldLine);
    p.fillRect(0, orderingBarHeight - 1, width, 1, QColor(70, 15, 0));
    const QFont font =
        fittedFont(QStringLiteral("DejaVu Sans"), QStringLiteral("качество изображения"), 11, 122, false);
    // The words lie over the click areas of the orderings; А-Я left of them.
    drawOutlinedText(p, QStringLiteral("А-Я↓"), QPointF(29, 10), font, lightLetters, Qt::black, 0);
    drawOutlinedText(p, QStringLiteral("название"), QPointF(centreX("ImagePoNazvaniyu"), 10), font, lightLetters,
                     Qt::black, 0);
    drawOutlinedText(p, QStringLiteral("год"), QPointF(centreX("ImagePoGodu"), 10), font, lightLetters, Qt::black, 0);
    drawOutlinedText(p, QStringLiteral("качество изображения"), QPointF(centreX("ImagePoKa4estvy"), 10), font,
                     lightLetters, Qt::black, 0);
    for (int x : {53, 121, 158})
        p.fillRect(x, 5, 1, 11, goldLine);
    p.restore();
}

/// The carved frame: dark red with bevelled edges, a running bead ornament and a gold line inside.
void drawCarvedFrame(QImage& image)
{
    QPainter p(&image);
    QPainterPath band;
    band.addRect(QRectF(QPointF(), windowSize(image)));
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

QImage drawLogo(const QString& publisher, int scale)
{
    QImage image = blankFor("Image4", frameRed, scale);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    QLinearGradient plaque(0, 0, 0, 32);
    plaque.setColorAt(0, QColor(158, 46, 6));
    plaque.setColorAt(1, QColor(110, 28, 0));
    p.fillRect(QRect(QPoint(), windowSize(image)), plaque);
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

QImage drawAboutButton(int scale)
{
    QImage image = blankFor("Image6", frameRed, scale);
    const QSize size = windowSize(image);
    QPainter p(&image);
    const QFont font =
        fittedFont(QStringLiteral("DejaVu Sans"), QStringLiteral("о диске"), 10, size.width() - 1, false);
    drawOutlinedText(p, QStringLiteral("о диске"), QPointF(size.width() / 2.0, size.height() / 2.0), font, lightLetters,
                     Qt::black, 0);
    return image;
}

QImage drawWindowBackground(const QString& publisher, int scale)
{
    QImage image = fadedMapFor("Image5", 31, 0.68, scale);
    {
        QPainter p(&image);
        // Where the detail texts are read, the map fades further.
        QColor veil = parchment;
        veil.setAlpha(215);
        p.fillRect(QRect(352, 316, 304, 202), veil);
        p.fillRect(QRect(656, 316, 118, 50), veil);
        drawOrderingBar(p, QPoint(listArea.left(), listArea.top() - backgroundTop + orderingBarTop()));
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
    p.drawImage(inBackground(catalogueControl("Panel4").place).topLeft(), drawLogo(publisher, scale));
    p.drawImage(inBackground(catalogueControl("Panel5").place).topLeft(), drawAboutButton(scale));
    return image;
}

QImage drawListBackground(int scale)
{
    QImage image = fadedMapFor("Image8", 42, 0.74, scale);
    QPainter p(&image);
    QColor veil = parchment;
    veil.setAlpha(60);
    p.fillRect(QRect(0, 0, windowSize(image).width(), orderingBarTop()), veil);
    drawOrderingBar(p, QPoint(0, orderingBarTop()));
    return image;
}

QImage drawPlainMap(int scale)
{
    return fadedMapFor("Image7", 53, 0.6, scale);
}

std::vector<QRect> starPlaces()
{
    std::vector<QRect> places;
    for (int n = 1; n <= 5; ++n)
        places.push_back(catalogueControl("ImageZvezda" + std::to_string(n)).place);
    return places;
}

QImage drawStar(const QImage& background, const QRect& windowPlace)
{
    QImage star = copyOf(background, inBackground(windowPlace));
    const QSize size = windowSize(star);
    QPainter p(&star);
    p.setRenderHint(QPainter::Antialiasing);
    const QPointF centre(size.width() / 2.0, size.height() / 2.0 + 0.8);
    const double outer = std::min(size.width(), size.height()) / 2.0 - 0.8, inner = outer * 0.42;
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
