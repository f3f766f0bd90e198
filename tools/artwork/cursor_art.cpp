#include "cursor_art.h"

#include <QPainter>
#include <QPainterPath>
#include <QTransform>

namespace artwork {

namespace {

QPainterPath finger(double x, double top, double bottom, double width, double tilt)
{
    QPainterPath path;
    path.addRoundedRect(QRectF(x, top, width, bottom - top), width / 2, width / 2);
    // Spread fingers turn about their base.
    const QPointF base(x + width / 2, bottom);
    return QTransform().translate(base.x(), base.y()).rotate(tilt).translate(-base.x(), -base.y()).map(path);
}

/// Places a hand drawn upright so that it points to the top left and fills the 32 x 32 cell from its corner, in
/// device pixels at the given scale.
QTransform cursorPlacement(const QPainterPath& hand, int scale)
{
    const QTransform turn = QTransform().rotate(-52);
    const QRectF bounds = turn.map(hand).boundingRect();
    const double fit = std::min(30.5 / bounds.width(), 30.5 / bounds.height());
    return turn * QTransform().translate(-bounds.left(), -bounds.top()) * QTransform().scale(fit, fit) *
           QTransform().translate(0.3, 0.3) * QTransform().scale(scale, scale);
}

/// Renders the shape as a two-colour cursor of 32 x 32 window pixels at the scale: pixels on its edge (one window
/// pixel thick) black, inside white, outside transparent; creases are drawn in black over the inside.
QImage renderCursor(const QPainterPath& shape, const QList<QLineF>& creases, int scale)
{
    const QTransform place = cursorPlacement(shape, scale);
    const int side = 32 * scale;
    QImage mask(side, side, QImage::Format_ARGB32);
    mask.fill(Qt::transparent);
    {
        QPainter p(&mask);
        p.setPen(Qt::NoPen);
        p.setBrush(Qt::white);
        p.drawPath(place.map(shape));
    }
    QImage cursor(side, side, QImage::Format_ARGB32);
    cursor.fill(Qt::transparent);
    auto inside = [&](int x, int y) {
        return x >= 0 && y >= 0 && x < side && y < side && qAlpha(mask.pixel(x, y)) > 0;
    };
    for (int y = 0; y < side; ++y) {
        for (int x = 0; x < side; ++x) {
            if (!inside(x, y))
                continue;
            bool edge = false;
            for (int d = 1; d <= scale && !edge; ++d)
                edge = !inside(x - d, y) || !inside(x + d, y) || !inside(x, y - d) || !inside(x, y + d);
            cursor.setPixel(x, y, edge ? qRgba(0, 0, 0, 255) : qRgba(255, 255, 255, 255));
        }
    }
    QPainter p(&cursor);
    p.setPen(QPen(Qt::black, scale));
    for (const QLineF& crease : creases)
        p.drawLine(place.map(crease));
    return cursor;
}

} // namespace

QImage drawOpenHandCursor(int scale)
{
    QPainterPath hand;
    hand.addRoundedRect(QRectF(4, 14, 17, 15), 5, 5);
    hand = hand.united(finger(4.0, 3.5, 18, 4.2, -14));
    hand = hand.united(finger(8.6, 0.5, 17, 4.2, -4));
    hand = hand.united(finger(13.2, 2.0, 17, 4.2, 6));
    hand = hand.united(finger(17.6, 6.0, 18, 3.8, 17));
    QPainterPath thumb;
    thumb.addRoundedRect(QRectF(-6, 19, 12, 4.6), 2.3, 2.3);
    hand = hand.united(QTransform().translate(5, 22).rotate(35).translate(-5, -22).map(thumb));
    return renderCursor(hand, {}, scale);
}

QImage drawFistCursor(int scale)
{
    QPainterPath fist;
    fist.addRoundedRect(QRectF(4, 9, 18, 18), 6, 6);
    for (double x : {6.8, 11.0, 15.2, 19.3}) {
        QPainterPath knuckle;
        knuckle.addEllipse(QPointF(x, 10), 2.6, 2.8);
        fist = fist.united(knuckle);
    }
    QPainterPath thumb;
    thumb.addRoundedRect(QRectF(1, 15, 12, 5), 2.5, 2.5);
    fist = fist.united(thumb);
    // Lines between the curled fingers, and the thumb's edge lying across them.
    const QList<QLineF> creases = {QLineF(9, 9.5, 9, 14), QLineF(13.1, 9.5, 13.1, 14), QLineF(17.2, 9.5, 17.2, 14),
                                   QLineF(13, 15.5, 13, 19.5)};
    return renderCursor(fist, creases, scale);
}

} // namespace artwork
