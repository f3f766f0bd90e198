#include "controls/picture_control.h"

#include <QMetaMethod>
#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>
#include <QPointer>
#include <QtMath>
#include <algorithm>
#include <exception>

#include "work/work_pool.h"

namespace controls {
namespace {

// From this size on, halving a picture takes long enough (tens of milliseconds) to be moved off the paint.
constexpr qint64 BackgroundReductionPixels = 8'000'000;

} // namespace

QSize deviceSize(QSize box, qreal deviceRatio)
{
    return QSize(qCeil(box.width() * deviceRatio), qCeil(box.height() * deviceRatio));
}

qreal fillingPixelRatio(QSize picture, QSize box, qreal deviceRatio)
{
    if (box.isEmpty() || picture.isEmpty() || deviceRatio <= 1.0)
        return 1.0;
    const qreal covers = std::min(qreal(picture.width()) / box.width(), qreal(picture.height()) / box.height());
    return std::clamp(covers, 1.0, deviceRatio);
}

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
    m_shownPart = picture.rect();
    m_reduced.reset();
    applyAutoSize();
    update();
}

void PictureControl::setPixelRatio(qreal ratio)
{
    m_pixelRatio = ratio;
    applyAutoSize();
    update();
}

QSize PictureControl::naturalSize() const
{
    const qreal ratio = pixelRatio();
    if (ratio <= 0 || ratio == 1.0)
        return m_picture.size();
    return (QSizeF(m_picture.size()) / ratio).toSize();
}

QRect PictureControl::pictureArea(QRect part) const
{
    const qreal ratio = pixelRatio() > 0 ? pixelRatio() : 1.0;
    const QRect target = drawnRect();
    const int left = qFloor(part.left() / ratio), top = qFloor(part.top() / ratio);
    const int right = qCeil((part.left() + part.width()) / ratio), bottom = qCeil((part.top() + part.height()) / ratio);
    return QRect(target.left() + left, target.top() + top, right - left, bottom - top) & target;
}

void PictureControl::setShownPart(QRect part)
{
    m_shownPart = part & m_picture.rect();
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
    const QSize natural = naturalSize();
    const bool whole = m_shownPart == m_picture.rect();
    if (!whole && target.size() != natural)
        return;
    const QRect shown = whole ? target : pictureArea(m_shownPart);
    const QRect exposed = event->rect() & shown;
    if (exposed.isEmpty())
        return;
    QPainter painter(this);
    const qreal ratio = pixelRatio();
    const qreal deviceRatio = painter.device()->devicePixelRatioF();
    if (target.size() == natural) {
        const QRect part = exposed.translated(-target.topLeft());
        if (ratio == 1.0 && m_picture.devicePixelRatio() == 1.0) {
            painter.drawImage(exposed.topLeft(), m_picture, part);
            return;
        }
        // At the screen's own ratio one pixel lies on one device pixel: copied as it is, unfiltered. At any other
        // (artwork drawn at 2x on a screen at 1.5) it is filtered, where the part's edges fall inside device pixels
        // as the neighbouring controls' edges do.
        painter.setRenderHint(QPainter::SmoothPixmapTransform, !qFuzzyCompare(ratio, deviceRatio));
        painter.drawImage(QRectF(exposed), m_picture,
                          QRectF(part.x() * ratio, part.y() * ratio, part.width() * ratio, part.height() * ratio));
        return;
    }
    const bool reducing = target.width() < natural.width() || target.height() < natural.height();
    bool smooth = reducing;
    // The copies are chosen by the device pixels drawn: on a scaled screen a box holds more pixels than its size.
    const QImage& source = reducing ? reducedSource(deviceSize(target.size(), deviceRatio), &smooth) : m_picture;
    // The exposed part of the target, mapped back onto the source, so a small repaint reads only what it shows.
    const double sx = static_cast<double>(source.width()) / target.width();
    const double sy = static_cast<double>(source.height()) / target.height();
    const QRectF sourceRect((exposed.x() - target.x()) * sx, (exposed.y() - target.y()) * sy, exposed.width() * sx,
                            exposed.height() * sy);
    painter.setRenderHint(QPainter::SmoothPixmapTransform, smooth);
    painter.drawImage(QRectF(exposed), source, sourceRect);
}

const QImage& PictureControl::reducedSource(QSize drawnPixels, bool* smooth)
{
    // Without a pool (a control that never shows a large picture) the copies are built here.
    if (qint64(m_picture.width()) * m_picture.height() < BackgroundReductionPixels || !m_pool)
        return m_reduced.sourceFor(m_picture, drawnPixels);
    if (!m_builder) {
        // The builder posts to the control; once the builder is destroyed (before the control is) it posts nothing
        // more, and Qt drops what is still posted to a deleted control.
        try {
            m_builder = std::make_unique<ReducedCopyBuilder>(
                m_picture, QSize(1, 1), [this] { work::postTo(this, [this] { adoptReducedCopies(); }); },
                ReducedCopyBuilder::DefaultBudgetBytes, m_pool);
        } catch (const std::exception&) {
            return m_reduced.sourceFor(m_picture,
                                       drawnPixels); // no thread to be had: built here, as for small pictures
        }
    }
    m_reduced.adopt(m_builder->takeReady());
    bool complete = false;
    const QImage& source = m_reduced.bestReady(m_picture, drawnPixels, &complete);
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

bool PictureControl::takesPresses() const
{
    return isSignalConnected(QMetaMethod::fromSignal(&PictureControl::mousePressed)) ||
           isSignalConnected(QMetaMethod::fromSignal(&PictureControl::clicked)) ||
           isSignalConnected(QMetaMethod::fromSignal(&PictureControl::doubleClicked));
}

void PictureControl::mousePressEvent(QMouseEvent* event)
{
    const Qt::MouseButton button = event->button();
    const QPoint pos = event->position().toPoint();
    if (!takesPresses()) {
        // A picture without handlers (a background) leaves the press to the window beneath.
        event->ignore();
        return;
    }
    if (button == Qt::LeftButton)
        m_pressedLeft = true;
    emit mousePressed(button, pos);
}

void PictureControl::mouseReleaseEvent(QMouseEvent* event)
{
    const Qt::MouseButton button = event->button();
    const QPoint pos = event->position().toPoint();
    const bool click = button == Qt::LeftButton && m_pressedLeft && rect().contains(pos);
    if (button == Qt::LeftButton)
        m_pressedLeft = false;
    QPointer<PictureControl> self(this);
    emit mouseReleased(button, pos);
    // The handlers may close the window the control lives in.
    if (click && self)
        emit clicked();
}

void PictureControl::mouseDoubleClickEvent(QMouseEvent* event)
{
    if (!takesPresses()) {
        event->ignore();
        return;
    }
    // Qt delivers the second press before this event, so mousePressed has been raised already; the release that ends a
    // double-click is no second click.
    m_pressedLeft = false;
    if (event->button() == Qt::LeftButton)
        emit doubleClicked();
}

void PictureControl::mouseMoveEvent(QMouseEvent* event)
{
    const Qt::MouseButtons buttons = event->buttons();
    const QPoint pos = event->position().toPoint();
    if (isSignalConnected(QMetaMethod::fromSignal(&PictureControl::mouseMoved)))
        emit mouseMoved(buttons, pos);
    else
        event->ignore();
}

} // namespace controls
