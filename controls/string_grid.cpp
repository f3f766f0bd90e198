#include "controls/string_grid.h"

#include <QAccessible>
#include <QKeyEvent>
#include <QPainter>
#include <QWheelEvent>
#include <algorithm>

#include "controls/accessible_control.h"
#include "controls/skin_scroll_bar.h"

namespace controls {
namespace {

constexpr int ColumnWidths[2] = {21, 19};
constexpr int WheelNotch = 120;

/// A row or cell outside the grid is a fault of the caller (the row labels and the viewer only ask for rows of the
/// list): an assertion where assertions are on, a refused call that changes nothing where they are off.
bool outOfRange(bool refused, const char* what)
{
    Q_ASSERT_X(!refused, "StringGrid", what);
    Q_UNUSED(what);
    return refused;
}

} // namespace

StringGrid::StringGrid(QWidget* parent) : QWidget(parent), m_colours(programSkin().grid)
{
    // The grid is normally 0 pixels wide and must still take the keys of the whole list.
    setFocusPolicy(Qt::StrongFocus);
    setAttribute(Qt::WA_InputMethodEnabled, false);
}

void StringGrid::setCellSource(CellSource source)
{
    m_cellSource = std::move(source);
    update();
}

QString StringGrid::cell(int column, int row) const
{
    if (column < 0 || column > 1 || row < 0 || row >= MaxRows || !m_cellSource)
        return {};
    return m_cellSource(column, row);
}

void StringGrid::bindRow(std::function<int()> read, std::function<void(int)> write)
{
    m_readRow = std::move(read);
    m_writeRow = std::move(write);
    update();
}

void StringGrid::setRowCount(int count)
{
    m_rowCount = std::clamp(count, 1, MaxRows);
    m_itemCount = std::clamp(count, 0, MaxRows);
    // Shrinking moves the current row silently, as no row was chosen by the user.
    if (!m_readRow)
        m_row = std::min(m_row, m_rowCount - 1);
    update();
    syncScrollBar();
    setTopRow(m_topRow);
}

int StringGrid::lastTopRow() const
{
    return std::max(0, m_rowCount - PageRows);
}

void StringGrid::setTopRow(int row)
{
    const int clamped = std::clamp(row, 0, lastTopRow());
    if (clamped == m_topRow)
        return;
    m_topRow = clamped;
    update();
    syncScrollBar();
    emit topLeftChanged();
}

void StringGrid::setRow(int row)
{
    if (row == this->row())
        return;
    if (outOfRange(row < 0 || row >= m_rowCount, "row outside the list"))
        return;
    if (m_writeRow) {
        m_writeRow(row);
        return;
    }
    m_row = row;
    scrollToCurrentRow();
    emit clicked();
}

void StringGrid::scrollToCurrentRow()
{
    update();
    scrollIntoView();
    announceCurrentRow();
}

void StringGrid::announceCurrentRow()
{
    const int current = row();
    if (current < 0 || current >= m_itemCount)
        return;
    QAccessibleEvent selection(this, QAccessible::Selection);
    selection.setChild(current);
    announce(selection);
    if (hasFocus()) {
        QAccessibleEvent focus(this, QAccessible::Focus);
        focus.setChild(current);
        announce(focus);
    }
}

void StringGrid::scrollIntoView()
{
    const int current = row();
    if (current < m_topRow)
        setTopRow(current);
    else if (current >= m_topRow + PageRows)
        setTopRow(current - PageRows + 1);
}

void StringGrid::moveTo(int target)
{
    setRow(std::clamp(target, 0, m_rowCount - 1));
}

void StringGrid::moveByPage(int delta)
{
    // The page keys scroll first; the current row follows by the same distance.
    const int target = std::clamp(row() + delta, 0, m_rowCount - 1);
    setTopRow(m_topRow + delta);
    setRow(target);
}

void StringGrid::navigateKey(int key)
{
    switch (key) {
    case Qt::Key_Up:
        moveTo(row() - 1);
        break;
    case Qt::Key_Down:
        moveTo(row() + 1);
        break;
    case Qt::Key_PageUp:
        moveByPage(-PageRows);
        break;
    case Qt::Key_PageDown:
        moveByPage(PageRows);
        break;
    case Qt::Key_Home:
        moveTo(0);
        break;
    case Qt::Key_End:
        moveTo(m_rowCount - 1);
        break;
    default:
        break;
    }
}

void StringGrid::wheelSteps(int steps)
{
    // One full move per notch, so every row passed raises its own events, as repeated key presses would.
    const int direction = steps > 0 ? -1 : 1;
    for (int i = 0, n = std::abs(steps); i < n; ++i) {
        const int target = row() + direction;
        if (target < 0 || target >= m_rowCount)
            break;
        setRow(target);
    }
}

SkinScrollBar* StringGrid::scrollBar() const
{
    return m_scrollBar;
}

void StringGrid::setScrollBar(SkinScrollBar* bar)
{
    if (m_scrollBar == bar)
        return;
    m_scrollBar = bar;
    if (bar && bar->grid() != this)
        bar->setGrid(this);
    syncScrollBar();
}

void StringGrid::setColours(const GridColours& colours)
{
    m_colours = colours;
    update();
}

void StringGrid::syncScrollBar()
{
    if (m_scrollBar)
        m_scrollBar->syncFromGrid();
}

void StringGrid::keyPressEvent(QKeyEvent* event)
{
    const int key = event->key();
    event->accept();
    QPointer<StringGrid> self(this);
    emit keyPressed(key);
    // The key handler may have closed and deleted the window the grid lives in.
    if (!self)
        return;
    navigateKey(key);
    const QString text = event->text();
    if (!text.isEmpty() && text.at(0).isPrint() && !(event->modifiers() & (Qt::ControlModifier | Qt::AltModifier)))
        typeAhead(text);
}

void StringGrid::typeAhead(const QString& text)
{
    if (!m_sinceTyped.isValid() || m_sinceTyped.elapsed() > TypeAheadMilliseconds)
        m_typed.clear();
    m_sinceTyped.start();
    m_typed += text;
    emit textTyped(m_typed);
}

void StringGrid::wheelEvent(QWheelEvent* event)
{
    event->accept();
    m_wheelRemainder += event->angleDelta().y();
    const int steps = m_wheelRemainder / WheelNotch;
    m_wheelRemainder -= steps * WheelNotch;
    if (steps != 0)
        wheelSteps(steps);
}

void StringGrid::paintEvent(QPaintEvent*)
{
    if (width() <= 0 || height() <= 0)
        return;
    QPainter painter(this);
    painter.fillRect(rect(), m_colours.background);
    const int pitch = RowHeight + LineWidth;
    const int current = row();
    for (int k = 0; k * pitch < height() && m_topRow + k < m_rowCount; ++k) {
        const int r = m_topRow + k;
        const int y = k * pitch;
        int x = 0;
        for (int column = 0; column < 2; ++column) {
            const QRect box(x, y, ColumnWidths[column], RowHeight);
            if (r == current)
                painter.fillRect(box, m_colours.text);
            painter.setPen(r == current ? m_colours.background : m_colours.text);
            painter.drawText(box.adjusted(2, 0, -1, 0), Qt::AlignVCenter | Qt::AlignLeft | Qt::TextSingleLine,
                             cell(column, r));
            x += ColumnWidths[column];
            painter.fillRect(x, y, LineWidth, pitch, m_colours.lines);
            x += LineWidth;
        }
        painter.fillRect(0, y + RowHeight, x, LineWidth, m_colours.lines);
    }
}

} // namespace controls
