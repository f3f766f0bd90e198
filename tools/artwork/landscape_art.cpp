#include "landscape_art.h"

#include "artwork_kit.h"

#include <QPainterPath>

namespace artwork {

namespace {

/// A rider on a walking horse, facing left, standing on ground at base; size is the horse's height at the back.
void drawHorseman(QPainter& p, QPointF base, double size, QColor colour, bool lance)
{
    const double s = size / 10.0;
    auto at = [&](double x, double y) { return base + QPointF(x * s, -y * s); };
    QPainterPath horse;
    horse.moveTo(at(-6, 7));                              // chest
    horse.cubicTo(at(-7, 9), at(-8, 11), at(-9.5, 12.5)); // neck up to the poll
    horse.lineTo(at(-11.5, 11));                          // nose
    horse.lineTo(at(-11, 10));
    horse.cubicTo(at(-9, 10), at(-7.5, 8.5), at(-6, 6)); // throat
    horse.lineTo(at(-5.5, 4.5));                         // belly, front
    horse.lineTo(at(3.5, 4.5));
    horse.cubicTo(at(5.5, 5), at(6, 7), at(5.5, 8));     // rump
    horse.cubicTo(at(6.5, 8), at(7.5, 6), at(7.5, 3.5)); // tail
    horse.lineTo(at(6.8, 3.5));
    horse.cubicTo(at(6.8, 5.5), at(6, 7), at(5, 7.5));
    horse.lineTo(at(-4, 8));
    horse.closeSubpath();
    p.setPen(Qt::NoPen);
    p.setBrush(colour);
    p.drawPath(horse);
    p.setPen(QPen(colour, 0.9 * s, Qt::SolidLine, Qt::RoundCap));
    // Legs in a walking stride.
    p.drawLine(at(-5, 4.8), at(-6.5, 0));
    p.drawLine(at(-4.2, 4.8), at(-3.5, 0));
    p.drawLine(at(3, 4.8), at(1.8, 0));
    p.drawLine(at(3.8, 4.8), at(5, 0));
    // The rider: body, head, and a lance or a raised arm.
    QPainterPath rider;
    rider.moveTo(at(-1.5, 7.5));
    rider.lineTo(at(1.5, 7.5));
    rider.lineTo(at(0.8, 12));
    rider.lineTo(at(-1.2, 12));
    rider.closeSubpath();
    p.setPen(Qt::NoPen);
    p.drawPath(rider);
    p.drawEllipse(at(-0.2, 13.2), 1.2 * s, 1.2 * s);
    p.setPen(QPen(colour, 0.6 * s, Qt::SolidLine, Qt::RoundCap));
    if (lance)
        p.drawLine(at(1.5, 4), at(-3, 19));
    else
        p.drawLine(at(0, 11), at(-3, 9));
}

} // namespace

void drawLandscape(QPainter& p, const QRect& area)
{
    p.save();
    p.setRenderHint(QPainter::Antialiasing);
    const QRectF r(area);
    QPainterPath arch;
    arch.moveTo(r.bottomLeft());
    arch.lineTo(r.left(), r.top() + r.width() / 2);
    arch.arcTo(QRectF(r.left(), r.top(), r.width(), r.width()), 180, -180);
    arch.lineTo(r.bottomRight());
    arch.closeSubpath();
    p.setClipPath(arch);

    QLinearGradient sky(r.topLeft(), r.bottomLeft());
    sky.setColorAt(0, QColor(206, 196, 170));
    sky.setColorAt(0.5, QColor(234, 206, 150));
    sky.setColorAt(0.62, QColor(226, 170, 110));
    p.fillRect(r, sky);
    // A low sun and banks of cloud.
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(250, 226, 160));
    p.drawEllipse(QPointF(r.left() + r.width() * 0.7, r.top() + r.height() * 0.56), 11, 11);
    p.setBrush(QColor(196, 170, 140, 170));
    for (int c = 0; c < 4; ++c)
        p.drawEllipse(QPointF(r.left() + 12 + c * 28, r.top() + 38 + (c % 2) * 8), 22, 5);

    // Far hills with a town and its churches, then the near slope with the road.
    QPainterPath far;
    far.moveTo(r.left(), r.top() + r.height() * 0.66);
    far.cubicTo(QPointF(r.left() + r.width() * 0.3, r.top() + r.height() * 0.52),
                QPointF(r.left() + r.width() * 0.6, r.top() + r.height() * 0.7),
                QPointF(r.right(), r.top() + r.height() * 0.6));
    far.lineTo(r.bottomRight());
    far.lineTo(r.bottomLeft());
    far.closeSubpath();
    p.setBrush(QColor(150, 130, 100));
    p.drawPath(far);
    const QColor townColour(110, 86, 70);
    p.setBrush(townColour);
    const double townBase = r.top() + r.height() * 0.6;
    for (int b = 0; b < 6; ++b)
        p.drawRect(QRectF(r.left() + 18 + b * 6, townBase - 4 - (b % 3) * 2, 5, 8 + (b % 3) * 2));
    for (double x : {r.left() + 26.0, r.left() + 44.0}) {
        p.drawRect(QRectF(x - 2, townBase - 14, 4, 14));
        p.drawEllipse(QPointF(x, townBase - 15), 3, 3.5);
        p.setPen(QPen(townColour, 0.8));
        p.drawLine(QPointF(x, townBase - 18.5), QPointF(x, townBase - 22));
        p.setPen(Qt::NoPen);
    }
    QPainterPath near;
    near.moveTo(r.left(), r.top() + r.height() * 0.78);
    near.cubicTo(QPointF(r.left() + r.width() * 0.4, r.top() + r.height() * 0.7),
                 QPointF(r.left() + r.width() * 0.7, r.top() + r.height() * 0.8),
                 QPointF(r.right(), r.top() + r.height() * 0.74));
    near.lineTo(r.bottomRight());
    near.lineTo(r.bottomLeft());
    near.closeSubpath();
    p.setBrush(QColor(104, 84, 50));
    p.drawPath(near);

    const QColor riders(46, 24, 14);
    const double ground = r.top() + r.height() * 0.9;
    drawHorseman(p, QPointF(r.left() + 34, ground), 15, riders, true);
    drawHorseman(p, QPointF(r.left() + 62, ground + 2), 16, riders, false);
    drawHorseman(p, QPointF(r.left() + 90, ground + 1), 15, riders, true);

    p.setClipping(false);
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(frameRed, 3));
    p.drawPath(arch);
    p.setPen(QPen(goldLine, 1));
    p.drawPath(arch);
    p.restore();
}

} // namespace artwork
