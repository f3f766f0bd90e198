#pragma once

#include <QColor>
#include <QWidget>

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

    void setGrid(StringGrid* grid);
    int position() const { return m_position; }
    /// Called by the grid after its row count or top row changed.
    void syncFromGrid();

    /// Colours from the skin's "vscrollbar" element.
    void setColours(QColor track, QColor thumb, QColor arrows);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    StringGrid* m_grid = nullptr;
    int m_position = 0;
    bool m_dragging = false;
    int m_dragOffset = 0;
    QColor m_track{120, 40, 20}, m_thumb{200, 170, 120}, m_arrows{240, 225, 190};
};

/// Position of the scroll bar for a top row.
int scrollPositionForTopRow(int topRow, int lastTopRow);
/// Top row for a scroll bar position.
int topRowForScrollPosition(int position, int lastTopRow);

} // namespace controls
