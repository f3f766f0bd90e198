// The grid as the catalogue window uses it: the keyboard focus at width 0, the cells, the row count and the paint.
// How the window's row clicks, grid click and refill answer the grid's events is tested on the window itself.
#include <QApplication>
#include <QImage>
#include <QTest>
#include <QWidget>
#include <gtest/gtest.h>

#include "controls/string_grid.h"
#include "desktop/error_report.h"
#include "grid_recorder.h"
#include "qt_test_helpers.h"

using controls::StringGrid;

TEST(StringGridWindow, KeepsTheFocusAtWidthZeroAndTakesRealKeys)
{
    QWidget window;
    window.resize(400, 500);
    auto* grid = new StringGrid(&window);
    grid->setGeometry(292, 0, 0, 468);
    grid->setRowCount(50);
    controlstests::GridRecorder recorder;
    recorder.attach(*grid);
    window.show();
    window.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
    // Activation hands the focus to the first widget that takes it: the grid must count as one at width 0.
    EXPECT_EQ(QApplication::focusWidget(), grid);

    grid->clearFocus();
    grid->setFocus();
    EXPECT_TRUE(grid->hasFocus());
    EXPECT_EQ(QApplication::focusWidget(), grid);

    // Through the window, as the platform delivers keys: the focus widget must receive them.
    QTest::keyClick(window.windowHandle(), Qt::Key_Down);
    QTest::keyClick(window.windowHandle(), Qt::Key_End);
    EXPECT_EQ(recorder.events,
              (QStringList{"key(Down) r0 t0", "click r1 t0", "key(End) r1 t0", "topleft r49 t21", "click r49 t21"}));
}

TEST(StringGridWindow, CellsComeFromTheSourceAndReadEmptyOutsideTheGrid)
{
    StringGrid grid;
    EXPECT_EQ(grid.cell(0, 0), QString());
    grid.setCellSource([](int column, int row) { return QStringLiteral("%1:%2").arg(column).arg(row); });
    EXPECT_EQ(grid.cell(0, 1000), QStringLiteral("0:1000"));
    EXPECT_EQ(grid.cell(1, 0), QStringLiteral("1:0"));
    // Reads outside the grid are empty, as a refill past the end of a short list expects.
    EXPECT_EQ(grid.cell(2, 0), QString());
    EXPECT_EQ(grid.cell(0, 1001), QString());
    EXPECT_EQ(grid.cell(-1, 0), QString());
}

TEST(StringGridWindow, RowCountStaysBetweenOneAndTheLimit)
{
    StringGrid grid;
    const std::pair<int, int> counts[] = {{0, 1}, {-5, 1}, {1, 1}, {29, 29}, {1000, 1000}, {1001, 1001}, {2000, 1001}};
    for (const auto& [asked, kept] : counts) {
        grid.setRowCount(asked);
        EXPECT_EQ(grid.rowCount(), kept) << asked;
        EXPECT_EQ(grid.lastTopRow(), std::max(0, kept - 29)) << asked;
    }
}

TEST(StringGridWindow, PaintsInTheGridColoursWhenItHasAWidth)
{
    StringGrid grid;
    const QColor background(10, 200, 30), text(200, 10, 10), lines(0, 0, 255);
    grid.setColours({background, text, lines});
    grid.resize(41, 468);
    grid.setRowCount(3);
    // No cell source: the cells are empty and only the fills show.
    const QImage image = grid.grab().toImage();
    EXPECT_EQ(image.pixelColor(5, 5), text) << "the current row is drawn inverted";
    EXPECT_EQ(image.pixelColor(5, 16 + 5), background);
    EXPECT_EQ(image.pixelColor(21, 16 + 5), lines) << "line after the first column";
    EXPECT_EQ(image.pixelColor(5, 15), lines) << "line under the first row";
    EXPECT_EQ(image.pixelColor(5, 16 * 3 + 5), background) << "below the last row";
}
