// The navigator: the whole map in small in the view's corner, with the part in view framed; a click moves the view.
#include "viewer_window/navigator.h"

#include <QEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QScrollBar>
#include <algorithm>
#include <cmath>

#include "controls/picture_control.h"
#include "desktop/guarded.h"
#include "viewer_window/scroll_box.h"

namespace viewer {

namespace {

// Between the navigator and the view's corner (the scroll bars where they show).
constexpr int Margin = 4;
constexpr int Border = 1;

// The map reduced to fit target: sampled at twice the size first, so that a huge map costs no more than a small
// one, then filtered down.
QImage reduced(const QImage& map, QSize target)
{
    const QSize sampled = target * 2;
    const QImage source = map.width() > sampled.width() && map.height() > sampled.height()
                              ? map.scaled(sampled, Qt::IgnoreAspectRatio, Qt::FastTransformation)
                              : map;
    return source.scaled(target, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
}

} // namespace

QSize navigatorSize(QSize map, int viewWidth)
{
    if (map.isEmpty() || viewWidth <= 0)
        return {};
    const double scale =
        std::min(double(NavigatorLongestSide) / std::max(map.width(), map.height()), viewWidth / 5.0 / map.width());
    return {std::max(1, int(map.width() * scale)), std::max(1, int(map.height() * scale))};
}

Navigator::Navigator(ScrollBox& view, controls::PictureControl& picture, QColor colour)
    : QWidget(view.viewport()), m_view(view), m_viewport(view.viewport()), m_picture(picture), m_colour(colour)
{
    hide();
    view.viewport()->installEventFilter(this);
    picture.installEventFilter(this);
    for (QScrollBar* bar : {view.horizontalScrollBar(), view.verticalScrollBar()})
        desktop::connectGuarded(bar, &QScrollBar::valueChanged, this, &Navigator::follow);
}

void Navigator::setMap(const QImage& map)
{
    m_mapSize = map.size();
    m_small = QImage();
    if (!map.isNull()) {
        const QSize largest = navigatorSize(m_mapSize, 5 * NavigatorLongestSide) - QSize(2 * Border, 2 * Border);
        const qreal ratio = devicePixelRatioF();
        m_small = reduced(map, (QSizeF(largest.expandedTo({1, 1})) * ratio).toSize().expandedTo({1, 1}));
        m_small.setDevicePixelRatio(ratio);
    }
    follow();
}

QRectF Navigator::inView() const
{
    const QRectF drawn = m_picture.drawnRect();
    if (drawn.isEmpty())
        return {};
    const QRectF visible =
        QRectF(m_picture.mapFrom(m_view.viewport(), QPoint(0, 0)), QSizeF(m_view.viewport()->size())) & drawn;
    return {(visible.left() - drawn.left()) / drawn.width(), (visible.top() - drawn.top()) / drawn.height(),
            visible.width() / drawn.width(), visible.height() / drawn.height()};
}

void Navigator::follow()
{
    QWidget* viewport = m_view.viewport();
    const QRect drawnInView = m_picture.drawnRect().translated(m_picture.mapTo(viewport, QPoint(0, 0)));
    if (m_small.isNull() || !m_picture.hasPicture() || viewport->rect().contains(drawnInView)) {
        hide();
        return;
    }
    const QSize size = navigatorSize(m_mapSize, viewport->width());
    setGeometry(
        QRect(QPoint(viewport->width() - size.width() - Margin, viewport->height() - size.height() - Margin), size));
    const QRectF part = inView();
    const QString description = QStringLiteral("Видна область: %1 % ширины, %2 % высоты")
                                    .arg(qRound(part.width() * 100))
                                    .arg(qRound(part.height() * 100));
    if (accessibleDescription() != description)
        setAccessibleDescription(description);
    raise();
    show();
    update();
}

bool Navigator::eventFilter(QObject* watched, QEvent* event)
{
    // Only pointers are compared: the filter also sees the events of a view being destroyed.
    const bool viewResized = watched == m_viewport && event->type() == QEvent::Resize;
    const bool pictureChanged =
        watched == &m_picture && (event->type() == QEvent::Move || event->type() == QEvent::Resize);
    if (viewResized || pictureChanged)
        desktop::runGuarded([this] { follow(); });
    return QWidget::eventFilter(watched, event);
}

void Navigator::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    const QRectF inner = QRectF(rect()).adjusted(Border, Border, -Border, -Border);
    painter.drawImage(inner, m_small);
    painter.setPen(QPen(m_colour, Border));
    painter.drawRect(QRectF(rect()).adjusted(0.5, 0.5, -0.5, -0.5));
    // The part in view, never thinner than the pen that frames it.
    const QRectF part = inView();
    QRectF framed(inner.left() + part.left() * inner.width(), inner.top() + part.top() * inner.height(),
                  std::max(2.0, part.width() * inner.width()), std::max(2.0, part.height() * inner.height()));
    painter.setClipRect(inner);
    painter.setPen(QPen(m_colour, 2));
    painter.drawRect(framed.adjusted(1, 1, -1, -1));
}

void Navigator::mousePressEvent(QMouseEvent* event)
{
    event->accept();
    if (event->button() == Qt::LeftButton)
        desktop::runGuarded([&] { centreOn(event->position().toPoint()); });
}

void Navigator::mouseMoveEvent(QMouseEvent* event)
{
    event->accept();
    if (event->buttons() & Qt::LeftButton)
        desktop::runGuarded([&] { centreOn(event->position().toPoint()); });
}

void Navigator::centreOn(QPoint pos)
{
    const QRectF inner = QRectF(rect()).adjusted(Border, Border, -Border, -Border);
    if (inner.isEmpty())
        return;
    const QPointF share(std::clamp((pos.x() + 0.5 - inner.left()) / inner.width(), 0.0, 1.0),
                        std::clamp((pos.y() + 0.5 - inner.top()) / inner.height(), 0.0, 1.0));
    const QRectF drawn = m_picture.drawnRect();
    // The picture's place is relative to the scrolled origin.
    const QPointF onContent =
        QPointF(m_picture.pos()) + drawn.topLeft() + QPointF(share.x() * drawn.width(), share.y() * drawn.height());
    const QPointF centre = QRectF(m_view.viewport()->rect()).center();
    m_view.setHorizontalPosition(qRound(onContent.x() - centre.x()));
    m_view.setVerticalPosition(qRound(onContent.y() - centre.y()));
}

} // namespace viewer
