#pragma once

#include <QElapsedTimer>
#include <QPointer>
#include <QString>
#include <QWidget>
#include <functional>

#include "controls/skin.h"
#include "controls/skin_scroll_bar.h"

namespace controls {

class SkinScrollBar;

/// The hidden list grid: two text columns, a current row, a top row and a page of exactly 29 rows (rows 15 pixels
/// high plus a 1-pixel line at height 468). It holds the keyboard focus even at width 0.
///
/// Events are signals, whose direct connections run at once, in the order they were made:
/// - clicked after every change of the current row (last of all events of one change);
/// - keyPressed before the grid's own key handling;
/// - topLeftChanged after every change of the top row.
/// Assigning the current row to itself raises nothing.
///
/// The grid keeps no texts: it reads its cells from the source it is given. Its current row is its own unless it is
/// bound to a holder (the window's chosen entry): then the grid is a view of the holder's row. It reads the row from
/// there and asks there to move it, and raises no click: the holder's observer calls scrollToCurrentRow() and
/// handles the change itself.
class StringGrid : public QWidget
{
    Q_OBJECT
public:
    static constexpr int PageRows = 29;
    static constexpr int MaxRows = 1001;
    static constexpr int RowHeight = 15;
    static constexpr int LineWidth = 1;

    explicit StringGrid(QWidget* parent = nullptr);

    using CellSource = std::function<QString(int column, int row)>;
    /// Where the cells' texts come from (column 0..1, row 0..MaxRows-1); without a source every cell is empty.
    void setCellSource(CellSource source);
    /// The text of a cell; empty for positions outside the grid.
    QString cell(int column, int row) const;

    int rowCount() const { return m_rowCount; }
    /// Sets the row count (1..MaxRows); keeps Row and TopRow inside the new range. count is the number of rows that
    /// hold something (0 for an empty list, which still has its one blank row).
    void setRowCount(int count);
    /// The rows that hold something, as a screen reader counts the list's items.
    int itemCount() const { return m_itemCount; }

    int row() const { return m_readRow ? m_readRow() : m_row; }
    /// Makes row current: nothing when it already is; a row outside 0..RowCount-1 is a fault of the caller;
    /// otherwise scrolls it into view (topLeftChanged) and raises clicked. A bound grid hands the row to its
    /// holder instead, whose observer then calls scrollToCurrentRow().
    void setRow(int row);
    /// Binds the current row to a holder: read gives it, write moves it. The holder's row and row count are kept in
    /// step by its owner (the grid does not clamp a held row).
    void bindRow(std::function<int()> read, std::function<void(int)> write);
    /// The current row has changed (in the holder, or here): repaints and scrolls it into view (topLeftChanged when
    /// the top row moves).
    void scrollToCurrentRow();

    int topRow() const { return m_topRow; }
    /// Scrolls so that row is the first visible one (clamped to 0..lastTopRow()); topLeftChanged when it moved.
    void setTopRow(int row);
    /// The largest top row: max(0, RowCount - PageRows).
    int lastTopRow() const;

    /// The grid's own navigation for a Qt key code (Up, Down, PageUp, PageDown, Home, End); other keys do nothing.
    void navigateKey(int key);
    /// Moves the current row by one per step, never past the ends; positive steps go towards the top.
    void wheelSteps(int steps);

    void setScrollBar(SkinScrollBar* bar);
    SkinScrollBar* scrollBar() const;

    void setColours(const GridColours& colours);

    /// How long the letters typed into the list add up to one text.
    static constexpr int TypeAheadMilliseconds = 1000;

signals:
    void clicked();
    void keyPressed(int key);
    void topLeftChanged();
    /// Text was typed into the list: what was typed within TypeAheadMilliseconds of the previous letter, this one
    /// included. Raised after keyPressed.
    void textTyped(const QString& typed);

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    void moveTo(int target);
    void moveByPage(int delta);
    void scrollIntoView();
    void syncScrollBar();
    /// Tells screen readers that the current row is the chosen (and, with the focus here, focused) item.
    void announceCurrentRow();
    void typeAhead(const QString& text);

    CellSource m_cellSource;
    std::function<int()> m_readRow;
    std::function<void(int)> m_writeRow;
    int m_rowCount = 1;
    int m_itemCount = 0;
    QString m_typed;
    QElapsedTimer m_sinceTyped;
    int m_row = 0;
    int m_topRow = 0;
    int m_wheelRemainder = 0;
    GridColours m_colours;
    QPointer<SkinScrollBar> m_scrollBar;
};

} // namespace controls
