#pragma once

#include <QPointer>
#include <QRect>
#include <QWidget>

#include "controls/skin.h"

namespace controls {

class StringGrid;

/// The list's vertical scroll bar: shown only when the grid has more rows than a page; its position 0..127 stands
/// for the grid's top row (position = TopRow * 127 / last top row, rounded). Arrows scroll by one row, dragging the
/// thumb sets the top row in proportion, a click on the track scrolls by a page. Never takes the focus.
class SkinScrollBar : public QWidget
{
    Q_OBJECT
public:
    static constexpr int Max = 127;

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

    QPointer<StringGrid> m_grid;
    int m_position = 0;
    bool m_dragging = false;
    int m_dragOffset = 0;
    ScrollBarColours m_colours;
};

/// Position of the scroll bar for a top row: round(topRow * 127 / lastTopRow), 0 when lastTopRow is 0.
int scrollPositionForTopRow(int topRow, int lastTopRow);
/// Top row for a scroll bar position: round(position * lastTopRow / 127).
int topRowForScrollPosition(int position, int lastTopRow);

} // namespace controls
