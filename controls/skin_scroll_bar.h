#pragma once

#include <QPointer>
#include <QRect>
#include <QTimer>
#include <QWidget>

#include "controls/skin.h"

namespace controls {

class StringGrid;

/// The list's vertical scroll bar: shown only when the grid has more rows than a page; its position 0..127 stands
/// for the grid's top row (position = TopRow * 127 / last top row, rounded). Arrows scroll by one row, dragging the
/// thumb sets the top row in proportion, a click on the track scrolls by a page. Holding an arrow or the track
/// repeats its step, on the track until the thumb reaches the pointer. Never takes the focus.
class SkinScrollBar : public QWidget
{
    Q_OBJECT
public:
    static constexpr int Max = 127;
    /// Wait before a held arrow or track starts repeating, and between repeats, in milliseconds.
    static constexpr int RepeatDelay = 500;
    static constexpr int RepeatInterval = 50;

    explicit SkinScrollBar(QWidget* parent = nullptr);

    /// Binds the bar to its grid (and the grid to the bar).
    void setGrid(StringGrid* grid);
    StringGrid* grid() const;
    int position() const { return m_position; }
    /// Called by the grid after its row count or top row changed.
    void syncFromGrid();

    /// Colours from the skin's "vscrollbar" element.
    void setColours(const ScrollBarColours& colours);

    /// The arrow boxes at both ends, the track between them and the thumb on it, in the bar's coordinates.
    QRect upArrowRect() const;
    QRect downArrowRect() const;
    QRect trackRect() const;
    QRect thumbRect() const;

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    int thumbLength() const;
    void dragTo(int y);
    /// One step of a held arrow or track; false when the step is over (at an end, or the thumb under the pointer).
    bool scrollStep();
    void repeatStep();

    QPointer<StringGrid> m_grid;
    int m_position = 0;
    bool m_dragging = false;
    int m_dragOffset = 0;
    QTimer* m_repeat = nullptr;
    int m_step = 0;   // rows per step of the held arrow or track; 0 when none is held
    int m_pressY = 0; // where the track was pressed
    ScrollBarColours m_colours;
};

/// Position of the scroll bar for a top row: round(topRow * 127 / lastTopRow), 0 when lastTopRow is 0.
int scrollPositionForTopRow(int topRow, int lastTopRow);
/// Top row for a scroll bar position: round(position * lastTopRow / 127).
int topRowForScrollPosition(int position, int lastTopRow);

} // namespace controls
