#include "viewer_art.h"

#include "artwork_kit.h"
#include "window_layout/viewer_controls.h"

#include <QPainterPath>

namespace artwork {

namespace {

using window_layout::viewerControl;

const int barPictureTop = viewerControl("niz").place.top(); // niz lies above the panel's top
const QColor paleGlyph(236, 206, 168);

void drawArrowHead(QPainter& p, QPointF tip, QPointF direction, double size)
{
    const QPointF normal(-direction.y(), direction.x());
    p.drawPolygon(
        QPolygonF({tip, tip - direction * size + normal * size * 0.7, tip - direction * size - normal * size * 0.7}));
}

void drawGlyph(QPainter& p, Glyph glyph, const QRectF& box, QColor colour)
{
    p.save();
    p.setRenderHint(QPainter::Antialiasing);
    const double pen = 2.2;
    p.setPen(QPen(colour, pen, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.setBrush(Qt::NoBrush);
    const QPointF c = box.center();
    switch (glyph) {
    case Glyph::Previous:
    case Glyph::Next: {
        const double r = std::min(box.width(), box.height()) / 2 - pen / 2;
        p.drawEllipse(c, r, r);
        const double sign = glyph == Glyph::Next ? 1 : -1;
        p.drawLine(c - QPointF(sign * r * 0.5, 0), c + QPointF(sign * r * 0.2, 0));
        p.setPen(Qt::NoPen);
        p.setBrush(colour);
        drawArrowHead(p, c + QPointF(sign * r * 0.62, 0), QPointF(sign, 0), r * 0.5);
        break;
    }
    case Glyph::ZoomIn:
    case Glyph::ZoomOut: {
        const double r = box.width() * 0.33;
        // The lens's stroke starts at the box's left and top edges.
        const QPointF lens = box.topLeft() + QPointF(r + pen / 2, r + pen / 2);
        p.drawEllipse(lens, r, r);
        p.setPen(QPen(colour, pen * 2.2, Qt::SolidLine, Qt::RoundCap));
        p.drawLine(lens + QPointF(r * 0.75, r * 0.75), box.bottomRight() - QPointF(pen * 1.2, pen * 1.2));
        p.setPen(QPen(colour, pen, Qt::SolidLine, Qt::RoundCap));
        p.drawLine(lens - QPointF(r * 0.5, 0), lens + QPointF(r * 0.5, 0));
        if (glyph == Glyph::ZoomIn)
            p.drawLine(lens - QPointF(0, r * 0.5), lens + QPointF(0, r * 0.5));
        break;
    }
    case Glyph::Fit: {
        const QRectF frame = box.adjusted(pen / 2, pen / 2 + 3, -pen / 2, -pen / 2 - 3);
        p.drawRect(frame);
        p.setPen(QPen(colour, 1.6, Qt::SolidLine, Qt::RoundCap));
        p.setBrush(colour);
        for (QPointF corner : {frame.topLeft(), frame.topRight(), frame.bottomLeft(), frame.bottomRight()}) {
            const QPointF inward = (c - corner) / std::hypot((c - corner).x(), (c - corner).y());
            const QPointF tip = corner + inward * 4.5;
            p.setPen(QPen(colour, 1.6, Qt::SolidLine, Qt::RoundCap));
            p.drawLine(c + (tip - c) * 0.35, tip);
            p.setPen(Qt::NoPen);
            drawArrowHead(p, tip, -inward, 4.2);
        }
        break;
    }
    case Glyph::ActualSize: {
        const QRectF frame = box.adjusted(pen / 2, pen / 2 + 3, -pen / 2, -pen / 2 - 3);
        p.drawRect(frame);
        const QFont font =
            fittedFont(QStringLiteral("DejaVu Sans"), QStringLiteral("100%"), 12, frame.width() - 5, true);
        drawOutlinedText(p, QStringLiteral("100%"), c, font, colour, Qt::black, 0);
        break;
    }
    }
    p.restore();
}

QImage barGroundPicture(int scale)
{
    const QSize size = viewerControl("niz").artworkSize();
    return blankPicture(size.width(), size.height(), barGround, scale);
}

/// A blank picture of the size of the named control's artwork.
QImage blankFor(const char* name, QColor fill, int scale)
{
    const QSize size = viewerControl(name).artworkSize();
    return blankPicture(size.width(), size.height(), fill, scale);
}

} // namespace

std::vector<BarButton> barButtons()
{
    return {
        {Glyph::Previous, QStringLiteral("prev2"), QRect(483, 10, 26, 26), viewerControl("prev2").place},
        {Glyph::Next, QStringLiteral("ff2"), QRect(525, 10, 26, 26), viewerControl("ff2").place},
        {Glyph::ZoomIn, QStringLiteral("Imageplus2"), QRect(569, 8, 31, 31), viewerControl("Imageplus2").place},
        {Glyph::ZoomOut, QStringLiteral("Imageminus2"), QRect(614, 8, 31, 31), viewerControl("Imageminus2").place},
        {Glyph::Fit, QStringLiteral("Imagenaekran2"), QRect(664, 8, 35, 31), viewerControl("Imagenaekran2").place},
        {Glyph::ActualSize, QStringLiteral("Imageistinnyy2"), QRect(719, 8, 36, 31),
         viewerControl("Imageistinnyy2").place},
    };
}

QImage drawControlBar(int scale)
{
    QImage image = barGroundPicture(scale);
    const int width = windowSize(image).width();
    QPainter p(&image);
    p.fillRect(0, 0, width, 1, Qt::white);
    p.fillRect(0, 2, width, 1, Qt::white);
    for (const BarButton& button : barButtons())
        drawGlyph(p, button.glyph, button.glyphArea, paleGlyph);
    return image;
}

QImage drawHoverPicture(const BarButton& button, int scale)
{
    QImage ground = barGroundPicture(scale);
    {
        QPainter p(&ground);
        drawGlyph(p, button.glyph, button.glyphArea, Qt::white);
    }
    return copyOf(ground, button.hoverPlace.translated(0, -barPictureTop));
}

QImage drawTitleStrip(int scale)
{
    QImage image = blankFor("Image2", barGround, scale);
    paintStripes(image, 0, 17);
    return image;
}

QImage drawMinimiseSign(int scale)
{
    QImage image = blankFor("Imagesvernut", Qt::black, scale);
    paintDarkTexture(image, QRect(QPoint(), windowSize(image)), 11);
    QPainter p(&image);
    p.fillRect(5, 13, 11, 3, Qt::white);
    return image;
}

QImage drawCloseSign(int scale)
{
    QImage image = blankFor("Imagezakryt", Qt::black, scale);
    paintDarkTexture(image, QRect(QPoint(), windowSize(image)), 12);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(Qt::white, 2.4, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(5, 5), QPointF(15, 15));
    p.drawLine(QPointF(15, 5), QPointF(5, 15));
    return image;
}

} // namespace artwork
