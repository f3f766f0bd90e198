#include "controls/picture_control.h"

#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>
#include <QPointer>
#include <algorithm>
#include <exception>

#include "platform/error_report.h"
#include "platform/work_pool.h"

namespace controls {
namespace {

// From this size on, halving a picture takes long enough (tens of milliseconds) to be moved off the paint.
constexpr qint64 BackgroundReductionPixels = 8'000'000;

} // namespace

PictureControl::PictureControl(QWidget* parent) : QWidget(parent)
{
    // Moves without a button pressed matter too: the viewer hides its hover images on them.
    setMouseTracking(true);
    setFocusPolicy(Qt::NoFocus);
}

void PictureControl::setPicture(const QImage& picture)
{
    m_builder.reset();
    m_picture = picture;
    m_shownRows = picture.height();
    m_reduced.reset();
    applyAutoSize();
    update();
}

void PictureControl::setShownRows(int rows)
{
    m_shownRows = std::clamp(rows, 0, m_picture.height());
}

void PictureControl::clearPicture()
{
    setPicture(QImage());
}

void PictureControl::applyAutoSize()
{
    if (m_autoSize && hasPicture())
        resize(naturalSize());
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
    return controls::drawnRect(naturalSize(), size(), m_stretch, m_proportional, m_center);
}

void PictureControl::paintEvent(QPaintEvent* event)
{
    if (!hasPicture())
        return;
    const QRect target = drawnRect();
    const bool whole = m_shownRows >= m_picture.height();
    if (!whole && target.size() != naturalSize())
        return;
    const QRect shown = whole ? target : QRect(target.topLeft(), QSize(target.width(), m_shownRows));
    const QRect exposed = event->rect() & shown;
    if (exposed.isEmpty())
        return;
    QPainter painter(this);
    const qreal ratio = m_picture.devicePixelRatio();
    if (target.size() == naturalSize()) {
        const QRect part = exposed.translated(-target.topLeft());
        if (ratio == 1.0) {
            painter.drawImage(exposed.topLeft(), m_picture, part);
            return;
        }
        // Artwork drawn for a scaled screen: one pixel a device pixel at its own scale, filtered at any other (1.5),
        // where the part's edges fall inside device pixels as the neighbouring controls' edges do.
        painter.setRenderHint(QPainter::SmoothPixmapTransform);
        painter.drawImage(QRectF(exposed), m_picture,
                          QRectF(part.x() * ratio, part.y() * ratio, part.width() * ratio, part.height() * ratio));
        return;
    }
    const QSize natural = naturalSize();
    const bool reducing = target.width() < natural.width() || target.height() < natural.height();
    bool smooth = reducing;
    const QImage& source = reducing ? reducedSource(target.size(), &smooth) : m_picture;
    // The exposed part of the target, mapped back onto the source, so a small repaint reads only what it shows.
    const double sx = static_cast<double>(source.width()) / target.width();
    const double sy = static_cast<double>(source.height()) / target.height();
    const QRectF sourceRect((exposed.x() - target.x()) * sx, (exposed.y() - target.y()) * sy, exposed.width() * sx,
                            exposed.height() * sy);
    painter.setRenderHint(QPainter::SmoothPixmapTransform, smooth);
    painter.drawImage(QRectF(exposed), source, sourceRect);
}

const QImage& PictureControl::reducedSource(QSize drawnSize, bool* smooth)
{
    if (qint64(m_picture.width()) * m_picture.height() < BackgroundReductionPixels)
        return m_reduced.sourceFor(m_picture, drawnSize);
    if (!m_builder) {
        // The builder posts to the control; once the builder is destroyed (before the control is) it posts nothing
        // more, and Qt drops what is still posted to a deleted control.
        try {
            m_builder = std::make_unique<ReducedCopyBuilder>(
                m_picture, QSize(1, 1), [this] { platform::postTo(this, [this] { adoptReducedCopies(); }); },
                ReducedCopyBuilder::DefaultBudgetBytes, m_pool);
        } catch (const std::exception&) {
            return m_reduced.sourceFor(m_picture, drawnSize); // no thread to be had: built here, as for small pictures
        }
    }
    m_reduced.adopt(m_builder->takeReady());
    bool complete = false;
    const QImage& source = m_reduced.bestReady(m_picture, drawnSize, &complete);
    // Until the right copy is there, a source at least twice too large is sampled without filtering: cheap, and
    // replaced by the smooth drawing as soon as the copy arrives.
    *smooth = complete;
    return source;
}

void PictureControl::adoptReducedCopies()
{
    if (!m_builder)
        return;
    std::vector<QImage> ready = m_builder->takeReady();
    if (ready.empty())
        return;
    m_reduced.adopt(std::move(ready));
    update();
}

bool PictureControl::buildingReducedCopies() const
{
    return m_builder && !m_builder->finished();
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
