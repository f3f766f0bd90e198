#include "controls/skin_scroll_bar.h"

#include <QMouseEvent>
#include <QPainter>
#include <QPolygon>
#include <algorithm>
#include <cstdlib>

#include "controls/string_grid.h"

namespace controls {
namespace {

constexpr int MinThumbLength = 12;

// Rounds a / b to the nearest whole number, halves away from zero; a >= 0, b > 0.
int roundedQuotient(long long a, long long b)
{
    return static_cast<int>((2 * a + b) / (2 * b));
}

void drawArrow(QPainter& painter, const QRect& box, bool up, const QColor& colour)
{
    const QPoint c = box.center();
    const int half = std::max(2, box.width() / 4);
    const int dy = up ? -half / 2 : half / 2;
    QPolygon triangle;
    triangle << QPoint(c.x() - half, c.y() - dy) << QPoint(c.x() + half, c.y() - dy) << QPoint(c.x(), c.y() + dy);
    painter.setPen(Qt::NoPen);
    painter.setBrush(colour);
    painter.drawPolygon(triangle);
}

} // namespace

int scrollPositionForTopRow(int topRow, int lastTopRow)
{
    if (lastTopRow <= 0)
        return 0;
    return roundedQuotient(std::clamp(topRow, 0, lastTopRow) * static_cast<long long>(SkinScrollBar::Max), lastTopRow);
}

int topRowForScrollPosition(int position, int lastTopRow)
{
    if (lastTopRow <= 0)
        return 0;
    return roundedQuotient(std::clamp(position, 0, SkinScrollBar::Max) * static_cast<long long>(lastTopRow),
                           SkinScrollBar::Max);
}

SkinScrollBar::SkinScrollBar(QWidget* parent) : QWidget(parent), m_colours(programSkin().vscrollbar)
{
    setFocusPolicy(Qt::NoFocus);
    setCursor(Qt::PointingHandCursor);
    m_repeat = new QTimer(this);
    connect(m_repeat, &QTimer::timeout, this, &SkinScrollBar::repeatStep);
}

StringGrid* SkinScrollBar::grid() const
{
    return m_grid;
}

void SkinScrollBar::setGrid(StringGrid* grid)
{
    if (m_grid == grid)
        return;
    m_grid = grid;
    if (grid && grid->scrollBar() != this)
        grid->setScrollBar(this);
    syncFromGrid();
}

void SkinScrollBar::syncFromGrid()
{
    if (!m_grid) {
        m_position = 0;
        setVisible(false);
        return;
    }
    m_position = scrollPositionForTopRow(m_grid->topRow(), m_grid->lastTopRow());
    setVisible(m_grid->rowCount() > StringGrid::PageRows);
    update();
}

void SkinScrollBar::setColours(const ScrollBarColours& colours)
{
    m_colours = colours;
    update();
}

QRect SkinScrollBar::upArrowRect() const
{
    return QRect(0, 0, width(), std::min(width(), height() / 2));
}

QRect SkinScrollBar::downArrowRect() const
{
    const int side = std::min(width(), height() / 2);
    return QRect(0, height() - side, width(), side);
}

QRect SkinScrollBar::trackRect() const
{
    const int top = upArrowRect().bottom() + 1;
    return QRect(0, top, width(), std::max(0, downArrowRect().top() - top));
}

int SkinScrollBar::thumbLength() const
{
    const int track = trackRect().height();
    const int rows = m_grid ? m_grid->rowCount() : 1;
    const int proportional =
        rows > 0 ? static_cast<int>(static_cast<long long>(track) * StringGrid::PageRows / rows) : track;
    return std::clamp(proportional, std::min(MinThumbLength, track), track);
}

QRect SkinScrollBar::thumbRect() const
{
    const QRect track = trackRect();
    const int length = thumbLength();
    const int travel = track.height() - length;
    return QRect(0, track.top() + roundedQuotient(static_cast<long long>(travel) * m_position, Max), width(), length);
}

void SkinScrollBar::dragTo(int y)
{
    const QRect track = trackRect();
    const int travel = track.height() - thumbLength();
    if (travel <= 0 || !m_grid)
        return;
    const int offset = std::clamp(y - m_dragOffset - track.top(), 0, travel);
    const int position = roundedQuotient(static_cast<long long>(offset) * Max, travel);
    m_grid->setTopRow(topRowForScrollPosition(position, m_grid->lastTopRow()));
}

void SkinScrollBar::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.fillRect(rect(), m_colours.track);
    painter.fillRect(thumbRect().adjusted(1, 0, -1, 0), m_colours.thumb);
    painter.setRenderHint(QPainter::Antialiasing);
    drawArrow(painter, upArrowRect(), true, m_colours.arrows);
    drawArrow(painter, downArrowRect(), false, m_colours.arrows);
    painter.setRenderHint(QPainter::Antialiasing, false);
    painter.setPen(m_colours.border);
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(rect().adjusted(0, 0, -1, -1));
}

bool SkinScrollBar::scrollStep()
{
    if (!m_grid || m_step == 0)
        return false;
    const QRect thumb = thumbRect();
    const bool onTrack = std::abs(m_step) > 1;
    // The track pages towards the pointer and stops once the thumb has reached it.
    if (onTrack && (m_step < 0 ? m_pressY >= thumb.top() : m_pressY <= thumb.bottom()))
        return false;
    const int before = m_grid->topRow();
    m_grid->setTopRow(before + m_step);
    return m_grid && m_grid->topRow() != before;
}

void SkinScrollBar::repeatStep()
{
    m_repeat->setInterval(RepeatInterval);
    if (!scrollStep())
        m_repeat->stop();
}

void SkinScrollBar::mousePressEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton || !m_grid) {
        event->ignore();
        return;
    }
    const int y = event->position().toPoint().y();
    m_pressY = y;
    m_step = 0;
    const QRect thumb = thumbRect();
    if (upArrowRect().contains(0, y))
        m_step = -1;
    else if (downArrowRect().contains(0, y))
        m_step = 1;
    else if (y < thumb.top())
        m_step = -StringGrid::PageRows;
    else if (y > thumb.bottom())
        m_step = StringGrid::PageRows;
    if (m_step == 0) {
        m_dragging = true;
        m_dragOffset = y - thumb.top();
        return;
    }
    if (scrollStep())
        m_repeat->start(RepeatDelay);
}

void SkinScrollBar::mouseMoveEvent(QMouseEvent* event)
{
    if (!m_dragging)
        return;
    const int y = event->position().toPoint().y();
    dragTo(y);
}

void SkinScrollBar::mouseReleaseEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton)
        return;
    m_dragging = false;
    m_step = 0;
    m_repeat->stop();
}

} // namespace controls
