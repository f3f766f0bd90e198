#pragma once

#include <QString>
#include <QWidget>
#include <functional>
#include <vector>

namespace controls {

class SkinScrollBar;

/// The hidden list grid: two text columns, a current row, a top row and a page of exactly 29 rows (rows 15 pixels
/// high plus a 1-pixel line at height 468). It holds the keyboard focus even at width 0.
///
/// Events are plain callbacks, called synchronously like the handlers they stand for:
/// - OnClick after every change of the current row (last of all events of one change);
/// - OnKeyDown before the grid's own key handling;
/// - OnTopLeftChanged after every change of the top row.
/// Assigning the current row to itself raises nothing; this is what keeps the row click and the grid click from
/// calling each other without end.
class StringGrid : public QWidget
{
    Q_OBJECT
public:
    static constexpr int PageRows = 29;
    static constexpr int MaxRows = 1001;

    explicit StringGrid(QWidget* parent = nullptr);

    QString cell(int column, int row) const;
    void setCell(int column, int row, const QString& text);

    int rowCount() const { return m_rowCount; }
    /// Sets the row count (never below 1); keeps Row and TopRow inside the new range.
    void setRowCount(int count);

    int row() const { return m_row; }
    /// Makes row current: nothing when it already is; AppError "Grid index out of range" outside 0..RowCount-1;
    /// otherwise scrolls it into view (OnTopLeftChanged) and raises OnClick.
    void setRow(int row);

    int topRow() const { return m_topRow; }
    /// Scrolls so that row is the first visible one (clamped to 0..lastTopRow()); OnTopLeftChanged when it moved.
    void setTopRow(int row);
    int lastTopRow() const;

    /// The grid's own navigation, as the keys and the wheel do it (also used by the row labels' wheel).
    void navigateKey(int key);
    void wheelSteps(int steps); ///< positive: towards the top

    void setScrollBar(SkinScrollBar* bar);

    std::function<void()> OnClick;
    std::function<void(int key)> OnKeyDown;
    std::function<void()> OnTopLeftChanged;

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    void moveCurrentRow(int newRow, bool scrollFirst);
    void syncScrollBar();

    std::vector<QString> m_cells[2];
    int m_rowCount = 1;
    int m_row = 0;
    int m_topRow = 0;
    SkinScrollBar* m_scrollBar = nullptr;
};

} // namespace controls
