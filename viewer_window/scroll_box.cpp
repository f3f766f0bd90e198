#include "viewer_window/scroll_box.h"

#include <QEvent>
#include <QMouseEvent>
#include <QScrollBar>
#include <QWheelEvent>
#include <algorithm>

ScrollBox::ScrollBox(QWidget* parent) : QScrollArea(parent)
{
    setFrameStyle(QFrame::Panel | QFrame::Sunken);
    setLineWidth(2);
    setFocusPolicy(Qt::NoFocus);
    setWidgetResizable(false);
    auto* inner = new QWidget;
    setWidget(inner);
    // setWidget switches the background on; the view's own colour must show around the picture.
    inner->setAutoFillBackground(false);
    inner->resize(0, 0);
    viewport()->setAutoFillBackground(true);
    horizontalScrollBar()->installEventFilter(this);
    verticalScrollBar()->installEventFilter(this);
}

void ScrollBox::setScrolledChild(QWidget* child)
{
    m_child = child;
    child->installEventFilter(this);
    updateContentSize();
}

void ScrollBox::setTopBar(QWidget* bar, int height, int maxWidth)
{
    m_topBar = bar;
    m_topBarHeight = height;
    m_topBarMaxWidth = maxWidth;
    bar->setParent(viewport());
    bar->raise();
    placeTopBar();
}

int ScrollBox::horizontalPosition() const
{
    return horizontalScrollBar()->value();
}

int ScrollBox::verticalPosition() const
{
    return verticalScrollBar()->value();
}

void ScrollBox::setHorizontalPosition(int position)
{
    horizontalScrollBar()->setValue(position);
}

void ScrollBox::setVerticalPosition(int position)
{
    verticalScrollBar()->setValue(position);
}

bool ScrollBox::eventFilter(QObject* watched, QEvent* event)
{
    // The wheel over a scroll bar zooms as over the picture: left unhandled, it passes on to the window.
    if (event->type() == QEvent::Wheel && (watched == horizontalScrollBar() || watched == verticalScrollBar())) {
        event->ignore();
        return true;
    }
    if (watched == m_child && (event->type() == QEvent::Move || event->type() == QEvent::Resize))
        updateContentSize();
    return QScrollArea::eventFilter(watched, event);
}

void ScrollBox::resizeEvent(QResizeEvent* event)
{
    QScrollArea::resizeEvent(event);
    updateContentSize();
    placeTopBar();
}

void ScrollBox::mousePressEvent(QMouseEvent* event)
{
    event->accept();
    const QPoint pos = viewport()->mapTo(this, event->position().toPoint());
    emit mousePressed(event->button(), pos);
}

void ScrollBox::mouseReleaseEvent(QMouseEvent* event)
{
    event->accept();
    const QPoint pos = viewport()->mapTo(this, event->position().toPoint());
    emit mouseReleased(event->button(), pos);
}

void ScrollBox::wheelEvent(QWheelEvent* event)
{
    event->ignore();
}

void ScrollBox::updateContentSize()
{
    if (!m_child)
        return;
    // The range reaches to the child's far edges; the child keeps its place relative to the scrolled origin.
    const QRect placed = m_child->geometry();
    const QSize extent(std::max(0, placed.right() + 1), std::max(0, placed.bottom() + 1));
    updateScrollBarPolicies(extent);
    widget()->resize(extent);
}

void ScrollBox::updateScrollBarPolicies(QSize extent)
{
    // Decided against the whole client area, so that bars left from a larger picture do not keep each other shown
    // once the picture fits.
    const QSize full = size() - QSize(2 * frameWidth(), 2 * frameWidth());
    const int barWidth = verticalScrollBar()->sizeHint().width();
    const int barHeight = horizontalScrollBar()->sizeHint().height();
    bool needH = extent.width() > full.width();
    bool needV = extent.height() > full.height();
    if (needH && !needV)
        needV = extent.height() > full.height() - barHeight;
    if (needV && !needH)
        needH = extent.width() > full.width() - barWidth;
    setHorizontalScrollBarPolicy(needH ? Qt::ScrollBarAlwaysOn : Qt::ScrollBarAlwaysOff);
    setVerticalScrollBarPolicy(needV ? Qt::ScrollBarAlwaysOn : Qt::ScrollBarAlwaysOff);
}

void ScrollBox::placeTopBar()
{
    if (!m_topBar)
        return;
    const int width = m_topBarMaxWidth > 0 ? std::min(viewport()->width(), m_topBarMaxWidth) : viewport()->width();
    m_topBar->setGeometry(0, 0, width, m_topBarHeight);
    m_topBar->raise();
}
