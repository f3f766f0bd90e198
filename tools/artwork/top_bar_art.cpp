#include "top_bar_art.h"

#include "artwork_kit.h"
#include "map_drawing.h"
#include "window_layout/catalogue_controls.h"

#include <QFontMetricsF>
#include <QPainterPath>
#include <algorithm>

namespace artwork {

namespace {

using window_layout::catalogueControl;

constexpr int captionY = 29;
constexpr double captionOutline = 2.6;

QFont captionFontAt(int pixelSize)
{
    QFont font(QStringLiteral("Liberation Serif"));
    font.setPixelSize(pixelSize);
    font.setBold(true);
    font.setLetterSpacing(QFont::AbsoluteSpacing, 0.3);
    return font;
}

/// Whether the caption, outline included, lies inside its highlight with a pixel to spare on each side.
bool fitsHighlight(const TabPlace& tab, const QFont& font)
{
    const QFontMetricsF metrics(font);
    const double origin = tab.captionCentreX - metrics.horizontalAdvance(tab.caption) / 2.0;
    const QRectF ink = metrics.boundingRect(tab.caption);
    return origin + ink.left() - captionOutline / 2 >= tab.highlight.left() + 1 &&
           origin + ink.right() + captionOutline / 2 <= tab.highlight.left() + tab.highlight.width() - 1;
}

/// One font for the five captions: the largest size up to 11 pixels at which every caption fits its highlight, so
/// that a lit tab covers its whole caption and no letter is cut at its edges.
QFont captionFont()
{
    const std::vector<TabPlace> tabs = tabPlaces();
    for (int size = 11; size > 6; --size) {
        const QFont font = captionFontAt(size);
        if (std::all_of(tabs.begin(), tabs.end(), [&](const TabPlace& tab) { return fitsHighlight(tab, font); }))
            return font;
    }
    return captionFontAt(6);
}

/// The ground the captions lie on: stripes with a dark edge at the foot, as the bar meets the window below.
QImage stripedGround(int width, int height, int scale)
{
    QImage image = blankPicture(width, height, Qt::black, scale);
    paintStripes(image, 0, height - 3);
    QPainter p(&image);
    p.fillRect(0, height - 2, width, 2, barGround);
    return image;
}

void drawSeparator(QPainter& p, int x)
{
    p.fillRect(x, captionY - 8, 2, 17, QColor(90, 20, 0));
    p.fillRect(x, captionY - 8, 1, 17, QColor(246, 214, 150));
}

} // namespace

std::vector<TabPlace> tabPlaces()
{
    // Each caption is centred in its highlight.
    const auto tab = [](const char* name, const char* caption) {
        const QRect place = catalogueControl(name).place;
        return TabPlace{QString::fromLatin1(name), QString::fromUtf8(caption), place,
                        place.left() + place.width() / 2.0};
    };
    return {tab("ImageGor", "ГОРОДА"), tab("ImageObl", "РЕГИОНЫ"), tab("Imagerus", "РОССИЯ"),
            tab("ImageMet", "СХЕМЫ МЕТРО"), tab("ImageArt", "СТАТЬИ")};
}

QImage drawTopBar(int scale)
{
    const QSize bar = catalogueControl("Image9").artworkSize();
    QImage image = stripedGround(bar.width(), bar.height(), scale);
    QPainter p(&image);
    for (const TabPlace& tab : tabPlaces())
        drawOutlinedText(p, tab.caption, QPointF(tab.captionCentreX, captionY), captionFont(), lightLetters,
                         darkOutline, 2.6);
    for (int x : {91, 185, 268, 391})
        drawSeparator(p, x);

    // The window signs sit on a dark plaque with a gold rim at the right end.
    const QRect plaque(526, 4, 42, 24);
    paintDarkTexture(image, plaque, 7);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(goldLine, 1));
    p.setBrush(Qt::NoBrush);
    p.drawRect(QRectF(plaque).adjusted(0.5, 0.5, -0.5, -0.5));
    p.setRenderHint(QPainter::Antialiasing, false);
    p.fillRect(536, 19, 10, 2, lightLetters);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(lightLetters, 1.8, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(554, 11), QPointF(562.5, 20));
    p.drawLine(QPointF(562.5, 11), QPointF(554, 20));
    return image;
}

QImage drawTabHighlight(const TabPlace& tab, int scale)
{
    const QSize bar = catalogueControl("Image9").artworkSize();
    QImage image = copyOf(stripedGround(bar.width(), bar.height(), scale), tab.highlight);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.translate(-tab.highlight.topLeft());
    const double diameter = tab.highlight.height() - 4;
    const double width = std::max(diameter, tab.highlight.width() - 4.0);
    const QRectF circle(tab.captionCentreX - width / 2, captionY - diameter / 2, width, diameter);
    QRadialGradient shade(circle.center(), width / 2);
    shade.setColorAt(0, QColor(120, 0, 18));
    shade.setColorAt(0.8, QColor(104, 0, 14));
    shade.setColorAt(1, QColor(80, 0, 10));
    p.setPen(QPen(goldLine, 1));
    p.setBrush(shade);
    p.drawEllipse(circle);
    drawOutlinedText(p, tab.caption, QPointF(tab.captionCentreX, captionY), captionFont(), Qt::white, darkOutline, 0);
    return image;
}

QImage drawTitle(const QString& title, int scale)
{
    const QSize size = catalogueControl("Image3").artworkSize();
    QImage image = stripedGround(size.width(), size.height(), scale);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.setRenderHint(QPainter::SmoothPixmapTransform);

    // A small sheet of an old map, turned a little, with a magnifying glass over it.
    toolcommon::MapSpec spec;
    spec.kind = toolcommon::MapKind::Region;
    spec.seed = 77;
    spec.cartouche = false;
    spec.border = true;
    QImage sheet = toolcommon::drawMap(spec, QSize(300, 220))
                       .scaled(62 * scale, 45 * scale, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    sheet.setDevicePixelRatio(scale);
    p.save();
    p.translate(38, 30);
    p.rotate(-8);
    p.fillRect(QRectF(-29, -20, 62, 45), QColor(40, 0, 0, 120));
    p.drawImage(QPointF(-31, -23), sheet);
    p.setPen(QPen(QColor(90, 50, 20), 1));
    p.setBrush(Qt::NoBrush);
    p.drawRect(QRectF(-31, -23, 62, 45));
    p.restore();
    const QPointF lens(52, 27);
    p.setPen(QPen(QColor(50, 25, 10), 4.5, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(lens + QPointF(8, 8), lens + QPointF(19, 20));
    p.setPen(QPen(QColor(222, 186, 100), 2.4));
    p.setBrush(QColor(255, 255, 235, 60));
    p.drawEllipse(lens, 11, 11);
    p.setPen(QPen(QColor(255, 255, 255, 150), 1.2));
    p.drawArc(QRectF(lens - QPointF(7.5, 7.5), QSizeF(15, 15)), 100 * 16, 70 * 16);

    // The title in two lines of light capitals.
    const QString upper = title.toUpper();
    const int split = upper.lastIndexOf(QLatin1Char(' '));
    const QString first = split > 0 ? upper.left(split) : upper;
    const QString second = split > 0 ? upper.mid(split + 1) : QString();
    const QFont font = fittedFont(QStringLiteral("DejaVu Serif"), first, 15, 140, true);
    drawOutlinedText(p, first, QPointF(157, 21), font, lightLetters, darkOutline, 2.8);
    drawOutlinedText(p, second, QPointF(157, 41), fittedFont(QStringLiteral("DejaVu Serif"), second, 17, 140, true),
                     lightLetters, darkOutline, 2.8);
    return image;
}

} // namespace artwork
