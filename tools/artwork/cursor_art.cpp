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

/// Places a hand drawn upright so that it points to the top left and fills the 32 x 32 cell from its corner.
QTransform cursorPlacement(const QPainterPath& hand)
{
    const QTransform turn = QTransform().rotate(-52);
    const QRectF bounds = turn.map(hand).boundingRect();
    const double scale = std::min(30.5 / bounds.width(), 30.5 / bounds.height());
    return turn * QTransform().translate(-bounds.left(), -bounds.top()) * QTransform().scale(scale, scale) *
           QTransform().translate(0.3, 0.3);
}

/// Renders the shape as a two-colour cursor: pixels on its edge black, inside white, outside transparent; creases
/// are drawn in black over the inside.
QImage renderCursor(const QPainterPath& shape, const QList<QLineF>& creases)
{
    const QTransform place = cursorPlacement(shape);
    QImage mask(32, 32, QImage::Format_ARGB32);
    mask.fill(Qt::transparent);
    {
        QPainter p(&mask);
        p.setPen(Qt::NoPen);
        p.setBrush(Qt::white);
        p.drawPath(place.map(shape));
    }
    QImage cursor(32, 32, QImage::Format_ARGB32);
    cursor.fill(Qt::transparent);
    auto inside = [&](int x, int y) { return x >= 0 && y >= 0 && x < 32 && y < 32 && qAlpha(mask.pixel(x, y)) > 0; };
    for (int y = 0; y < 32; ++y) {
        for (int x = 0; x < 32; ++x) {
            if (!inside(x, y))
                continue;
            const bool edge = !inside(x - 1, y) || !inside(x + 1, y) || !inside(x, y - 1) || !inside(x, y + 1);
            cursor.setPixel(x, y, edge ? qRgba(0, 0, 0, 255) : qRgba(255, 255, 255, 255));
        }
    }
    QPainter p(&cursor);
    p.setPen(QPen(Qt::black, 1));
    for (const QLineF& crease : creases)
        p.drawLine(place.map(crease));
    return cursor;
}

} // namespace

QImage drawOpenHandCursor()
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
    return renderCursor(hand, {});
}

QImage drawFistCursor()
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
    return renderCursor(fist, creases);
}

} // namespace artwork
