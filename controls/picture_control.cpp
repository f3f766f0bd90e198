#include "controls/picture_control.h"

#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>
#include <QPointer>

#include "platform/error_report.h"

namespace controls {

PictureControl::PictureControl(QWidget* parent) : QWidget(parent)
{
    // Moves without a button pressed matter too: the viewer hides its hover images on them.
    setMouseTracking(true);
    setFocusPolicy(Qt::NoFocus);
}

void PictureControl::setPicture(const QImage& picture)
{
    m_picture = picture;
    m_reduced.reset();
    applyAutoSize();
    update();
}

void PictureControl::clearPicture()
{
    setPicture(QImage());
}

void PictureControl::applyAutoSize()
{
    if (m_autoSize && hasPicture())
        resize(m_picture.size());
}

void PictureControl::setAutoSize(bool on)
{
    m_autoSize = on;
    applyAutoSize();
}

void PictureControl::setStretch(bool on)
{
    m_stretch = on;
    update();
}

void PictureControl::setProportional(bool on)
{
    m_proportional = on;
    update();
}

void PictureControl::setCenter(bool on)
{
    m_center = on;
    update();
}

QRect PictureControl::drawnRect() const
{
    return controls::drawnRect(m_picture.size(), size(), m_stretch, m_proportional, m_center);
}

void PictureControl::paintEvent(QPaintEvent* event)
{
    if (!hasPicture())
        return;
    const QRect target = drawnRect();
    const QRect exposed = event->rect() & target;
    if (exposed.isEmpty())
        return;
    QPainter painter(this);
    if (target.size() == m_picture.size()) {
        painter.drawImage(exposed.topLeft(), m_picture, exposed.translated(-target.topLeft()));
        return;
    }
    const bool reducing = target.width() < m_picture.width() || target.height() < m_picture.height();
    const QImage& source = reducing ? m_reduced.sourceFor(m_picture, target.size()) : m_picture;
    // The exposed part of the target, mapped back onto the source, so a small repaint reads only what it shows.
    const double sx = static_cast<double>(source.width()) / target.width();
    const double sy = static_cast<double>(source.height()) / target.height();
    const QRectF sourceRect((exposed.x() - target.x()) * sx, (exposed.y() - target.y()) * sy, exposed.width() * sx,
                            exposed.height() * sy);
    painter.setRenderHint(QPainter::SmoothPixmapTransform, reducing);
    painter.drawImage(QRectF(exposed), source, sourceRect);
}

void PictureControl::mousePressEvent(QMouseEvent* event)
{
    const Qt::MouseButton button = event->button();
    const QPoint pos = event->position().toPoint();
    if (!OnMouseDown && !OnClick && !OnDblClick) {
        // A picture without handlers (a background) leaves the press to the window beneath.
        event->ignore();
        return;
    }
    if (button == Qt::LeftButton)
        m_pressedLeft = true;
    if (OnMouseDown)
        platform::runGuarded([&] { OnMouseDown(button, pos); });
}

void PictureControl::mouseReleaseEvent(QMouseEvent* event)
{
    const Qt::MouseButton button = event->button();
    const QPoint pos = event->position().toPoint();
    const bool click = button == Qt::LeftButton && m_pressedLeft && rect().contains(pos);
    if (button == Qt::LeftButton)
        m_pressedLeft = false;
    QPointer<PictureControl> self(this);
    if (OnMouseUp)
        platform::runGuarded([&] { OnMouseUp(button, pos); });
    // The handlers may close the window the control lives in.
    if (click && self && OnClick)
        platform::runGuarded([&] { OnClick(); });
}

void PictureControl::mouseDoubleClickEvent(QMouseEvent* event)
{
    if (!OnMouseDown && !OnClick && !OnDblClick) {
        event->ignore();
        return;
    }
    // Qt delivers the second press before this event, so OnMouseDown has run already; the release that ends a
    // double-click is no second click.
    m_pressedLeft = false;
    if (event->button() == Qt::LeftButton && OnDblClick)
        platform::runGuarded([&] { OnDblClick(); });
}

void PictureControl::mouseMoveEvent(QMouseEvent* event)
{
    const Qt::MouseButtons buttons = event->buttons();
    const QPoint pos = event->position().toPoint();
    if (OnMouseMove)
        platform::runGuarded([&] { OnMouseMove(buttons, pos); });
    else
        event->ignore();
}

} // namespace controls
