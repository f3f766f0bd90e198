#include <QTest>
#include <QWheelEvent>
#include <functional>
#include <gtest/gtest.h>

#include "controls/string_grid.h"
#include "desktop/guarded.h"
#include "grid_recorder.h"
#include "qt_test_helpers.h"
#include "support/message_recorder.h"

using controls::StringGrid;
using controlstests::GridRecorder;

namespace {

void sendWheel(StringGrid& grid, int delta)
{
    QWheelEvent event(QPointF(0, 10), QPointF(0, 10), QPoint(), QPoint(0, delta), Qt::NoButton, Qt::NoModifier,
                      Qt::NoScrollPhase, false);
    QApplication::sendEvent(&grid, &event);
}

struct EventCase
{
    const char* name;
    int rowCount;
    int startRow;
    int startTop;
    std::function<void(StringGrid&)> action;
    QStringList expected;
    int endRow;
    int endTop;
};

void key(StringGrid& grid, Qt::Key k)
{
    QTest::keyClick(&grid, k);
}

} // namespace

TEST(StringGridEvents, OrderOfEventsForEachWayOfMovingTheGrid)
{
    const std::vector<EventCase> cases = {
        {"setRow inside the page", 100, 0, 0, [](StringGrid& g) { g.setRow(5); }, {"click r5 t0"}, 5, 0},
        {"setRow below the page",
         100,
         0,
         0,
         [](StringGrid& g) { g.setRow(40); },
         {"topleft r40 t12", "click r40 t12"},
         40,
         12},
        {"setRow above the page",
         100,
         50,
         40,
         [](StringGrid& g) { g.setRow(10); },
         {"topleft r10 t10", "click r10 t10"},
         10,
         10},
        {"setRow to the current row", 100, 5, 0, [](StringGrid& g) { g.setRow(5); }, {}, 5, 0},
        {"Down on the last visible row",
         100,
         28,
         0,
         [](StringGrid& g) { key(g, Qt::Key_Down); },
         {"key(Down) r28 t0", "topleft r29 t1", "click r29 t1"},
         29,
         1},
        {"Down inside the page",
         100,
         3,
         0,
         [](StringGrid& g) { key(g, Qt::Key_Down); },
         {"key(Down) r3 t0", "click r4 t0"},
         4,
         0},
        {"Up on the first visible row",
         100,
         40,
         40,
         [](StringGrid& g) { key(g, Qt::Key_Up); },
         {"key(Up) r40 t40", "topleft r39 t39", "click r39 t39"},
         39,
         39},
        {"Up on the first row", 100, 0, 0, [](StringGrid& g) { key(g, Qt::Key_Up); }, {"key(Up) r0 t0"}, 0, 0},
        {"Down on the last row",
         100,
         99,
         71,
         [](StringGrid& g) { key(g, Qt::Key_Down); },
         {"key(Down) r99 t71"},
         99,
         71},
        {"Down with the row scrolled out of the page",
         100,
         0,
         50,
         [](StringGrid& g) { key(g, Qt::Key_Down); },
         {"key(Down) r0 t50", "topleft r1 t1", "click r1 t1"},
         1,
         1},
        {"PageDown scrolls before it moves the row",
         100,
         3,
         0,
         [](StringGrid& g) { key(g, Qt::Key_PageDown); },
         {"key(PgDown) r3 t0", "topleft r3 t29", "click r32 t29"},
         32,
         29},
        {"PageDown near the end",
         100,
         80,
         71,
         [](StringGrid& g) { key(g, Qt::Key_PageDown); },
         {"key(PgDown) r80 t71", "click r99 t71"},
         99,
         71},
        {"PageDown on a short list",
         10,
         2,
         0,
         [](StringGrid& g) { key(g, Qt::Key_PageDown); },
         {"key(PgDown) r2 t0", "click r9 t0"},
         9,
         0},
        {"PageUp",
         100,
         40,
         35,
         [](StringGrid& g) { key(g, Qt::Key_PageUp); },
         {"key(PgUp) r40 t35", "topleft r40 t6", "click r11 t6"},
         11,
         6},
        {"PageUp at the top", 100, 0, 0, [](StringGrid& g) { key(g, Qt::Key_PageUp); }, {"key(PgUp) r0 t0"}, 0, 0},
        {"Home",
         100,
         50,
         40,
         [](StringGrid& g) { key(g, Qt::Key_Home); },
         {"key(Home) r50 t40", "topleft r0 t0", "click r0 t0"},
         0,
         0},
        {"End",
         100,
         0,
         0,
         [](StringGrid& g) { key(g, Qt::Key_End); },
         {"key(End) r0 t0", "topleft r99 t71", "click r99 t71"},
         99,
         71},
        {"Escape and Enter reach the handler, the grid stays",
         100,
         7,
         0,
         [](StringGrid& g) {
             key(g, Qt::Key_Escape);
             key(g, Qt::Key_Return);
         },
         {"key(Esc) r7 t0", "key(Return) r7 t0"},
         7,
         0},
        {"wheel one notch down", 100, 0, 0, [](StringGrid& g) { sendWheel(g, -120); }, {"click r1 t0"}, 1, 0},
        {"wheel half notches add up",
         100,
         5,
         0,
         [](StringGrid& g) {
             sendWheel(g, 60);
             sendWheel(g, 60);
         },
         {"click r4 t0"},
         4,
         0},
        {"wheel two notches, one move each",
         100,
         5,
         0,
         [](StringGrid& g) { sendWheel(g, 240); },
         {"click r4 t0", "click r3 t0"},
         3,
         0},
        {"wheel up at the first row", 100, 0, 0, [](StringGrid& g) { sendWheel(g, 120); }, {}, 0, 0},
        {"wheel down at the last row", 100, 99, 71, [](StringGrid& g) { sendWheel(g, -360); }, {}, 99, 71},
        {"wheel down past the last visible row",
         100,
         28,
         0,
         [](StringGrid& g) { sendWheel(g, -120); },
         {"topleft r29 t1", "click r29 t1"},
         29,
         1},
        {"setRowCount shrinks under the row",
         100,
         80,
         71,
         [](StringGrid& g) { g.setRowCount(40); },
         {"topleft r39 t11"},
         39,
         11},
        {"setRowCount to none keeps one row",
         100,
         80,
         71,
         [](StringGrid& g) { g.setRowCount(0); },
         {"topleft r0 t0"},
         0,
         0},
        {"setRowCount growing changes nothing", 40, 5, 3, [](StringGrid& g) { g.setRowCount(500); }, {}, 5, 3},
        {"setTopRow past the end clamps",
         100,
         0,
         0,
         [](StringGrid& g) { g.setTopRow(500); },
         {"topleft r0 t71"},
         0,
         71},
        {"setTopRow below zero clamps", 100, 0, 10, [](StringGrid& g) { g.setTopRow(-4); }, {"topleft r0 t0"}, 0, 0},
        {"setTopRow to where it is", 100, 0, 10, [](StringGrid& g) { g.setTopRow(10); }, {}, 0, 10},
        {"setTopRow on a list shorter than a page", 20, 0, 0, [](StringGrid& g) { g.setTopRow(3); }, {}, 0, 0},
    };
    for (const EventCase& c : cases) {
        SCOPED_TRACE(c.name);
        StringGrid grid;
        grid.setRowCount(c.rowCount);
        grid.setTopRow(c.startTop);
        grid.setRow(c.startRow);
        grid.setTopRow(c.startTop);
        ASSERT_EQ(grid.row(), c.startRow);
        ASSERT_EQ(grid.topRow(), c.startTop);
        GridRecorder recorder;
        recorder.attach(grid);
        c.action(grid);
        EXPECT_EQ(recorder.events, c.expected);
        EXPECT_EQ(grid.row(), c.endRow);
        EXPECT_EQ(grid.topRow(), c.endTop);
    }
}

// A row outside the list is the caller's fault: asserted where assertions are on, refused without a change elsewhere.
TEST(StringGridEvents, RowOutsideTheListIsRefusedBeforeAnythingChanges)
{
    for (const int bad : {-1, 30, 1000, 5000}) {
        SCOPED_TRACE(bad);
        StringGrid grid;
        grid.setRowCount(30);
        grid.setRow(4);
        grid.setTopRow(1);
        GridRecorder recorder;
        recorder.attach(grid);
#ifdef QT_NO_DEBUG
        grid.setRow(bad);
        EXPECT_TRUE(recorder.events.isEmpty());
        EXPECT_EQ(grid.row(), 4);
        EXPECT_EQ(grid.topRow(), 1);
#else
        // The checks after the call would run here, where the call never ran: the death is the whole outcome.
        EXPECT_DEATH(grid.setRow(bad), "row outside the list");
#endif
    }
}

TEST(StringGridEvents, ErrorOfAHandlerRunFromAKeyIsReportedNotThrown)
{
    testsupport::MessageRecorder::clear();
    StringGrid grid;
    grid.setRowCount(10);
    int clicks = 0;
    desktop::connectGuarded(&grid, &StringGrid::clicked, &grid, [&] {
        ++clicks;
        desktop::showMessage(QStringLiteral("File not found"));
    });
    QTest::keyClick(&grid, Qt::Key_Down);
    EXPECT_EQ(clicks, 1);
    EXPECT_EQ(grid.row(), 1);
    EXPECT_EQ(testsupport::MessageRecorder::messages(), QStringList{QStringLiteral("File not found")});
}

TEST(StringGridEvents, AKeyHandlerThatReportsLeavesTheGridsOwnNavigationToRun)
{
    testsupport::MessageRecorder::clear();
    StringGrid grid;
    grid.setRowCount(10);
    int rowWhenShown = -1;
    testsupport::MessageRecorder::clear();
    desktop::connectGuarded(&grid, &StringGrid::keyPressed, &grid,
                            [](int) { desktop::showMessage(QStringLiteral("stop")); });
    QTest::keyClick(&grid, Qt::Key_Down);
    rowWhenShown = grid.row();
    EXPECT_EQ(rowWhenShown, 1) << "a handler that reports goes on: nothing unwinds the grid's navigation";
    EXPECT_EQ(testsupport::MessageRecorder::last(), QStringLiteral("stop"));
}
