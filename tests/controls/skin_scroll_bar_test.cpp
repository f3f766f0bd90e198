#include <QTest>
#include <QWidget>
#include <gtest/gtest.h>

#include "controls/skin_scroll_bar.h"
#include "controls/string_grid.h"
#include "grid_recorder.h"
#include "qt_test_helpers.h"

using controls::SkinScrollBar;
using controls::StringGrid;

namespace {

/// A grid and its bar in a shown panel, laid out as in the catalogue window.
struct BoundBar
{
    QWidget panel;
    StringGrid* grid = new StringGrid(&panel);
    SkinScrollBar* bar = new SkinScrollBar(&panel);
    controlstests::GridRecorder recorder;

    explicit BoundBar(int rows)
    {
        panel.resize(312, 491);
        grid->setGeometry(292, 0, 0, 468);
        bar->setGeometry(298, 3, 13, 467);
        grid->setScrollBar(bar);
        grid->setRowCount(rows);
        panel.show();
        recorder.attach(*grid);
    }
};

} // namespace

TEST(SkinScrollBar, PositionForTopRowRoundsToNearest)
{
    struct Case
    {
        int topRow, lastTopRow, position;
    };
    const Case cases[] = {
        {0, 0, 0},    {5, 0, 0},    {0, 71, 0},    {71, 71, 127}, {1, 71, 2},  // 1.79
        {35, 71, 63}, {36, 71, 64}, {1, 1, 127},   {1, 254, 1},   {3, 254, 2}, // 0.5 and 1.5 round up
        {2, 972, 0},  {4, 972, 1},  {80, 71, 127}, {-3, 71, 0},
    };
    for (const Case& c : cases)
        EXPECT_EQ(controls::scrollPositionForTopRow(c.topRow, c.lastTopRow), c.position)
            << c.topRow << " of " << c.lastTopRow;
}

TEST(SkinScrollBar, TopRowForPositionRoundsToNearest)
{
    struct Case
    {
        int position, lastTopRow, topRow;
    };
    const Case cases[] = {
        {0, 71, 0}, {127, 71, 71}, {64, 71, 36}, {63, 71, 35}, {1, 972, 8}, {127, 972, 972}, {50, 0, 0}, {200, 71, 71},
    };
    for (const Case& c : cases)
        EXPECT_EQ(controls::topRowForScrollPosition(c.position, c.lastTopRow), c.topRow)
            << c.position << " of " << c.lastTopRow;
}

TEST(SkinScrollBar, MappingsAreInverseWhereTheCoarserSideAllows)
{
    for (const int last : {1, 2, 50, 71, 127, 128, 500, 972}) {
        if (last <= SkinScrollBar::Max) {
            for (int top = 0; top <= last; ++top)
                EXPECT_EQ(controls::topRowForScrollPosition(controls::scrollPositionForTopRow(top, last), last), top)
                    << top << " of " << last;
        } else {
            for (int pos = 0; pos <= SkinScrollBar::Max; ++pos)
                EXPECT_EQ(controls::scrollPositionForTopRow(controls::topRowForScrollPosition(pos, last), last), pos)
                    << pos << " of " << last;
        }
    }
}

TEST(SkinScrollBar, ShownOnlyWhenTheListIsLongerThanAPage)
{
    BoundBar b(29);
    EXPECT_TRUE(b.bar->isHidden());
    b.grid->setRowCount(30);
    EXPECT_FALSE(b.bar->isHidden());
    b.grid->setRowCount(1);
    EXPECT_TRUE(b.bar->isHidden());
    EXPECT_EQ(b.bar->grid(), b.grid);
    EXPECT_EQ(b.bar->focusPolicy(), Qt::NoFocus);
    EXPECT_EQ(b.bar->cursor().shape(), Qt::PointingHandCursor);
}

TEST(SkinScrollBar, FollowsTheGridsTopRow)
{
    BoundBar b(100);
    b.grid->setTopRow(36);
    EXPECT_EQ(b.bar->position(), 64);
    b.grid->setRow(99);
    EXPECT_EQ(b.bar->position(), 127);
    b.grid->setRowCount(50); // last top row 21, top row clamped to it
    EXPECT_EQ(b.bar->position(), 127);
}

TEST(SkinScrollBar, ArrowsScrollOneRowWithoutMovingTheRow)
{
    BoundBar b(100);
    QTest::mouseClick(b.bar, Qt::LeftButton, {}, b.bar->downArrowRect().center());
    QTest::mouseClick(b.bar, Qt::LeftButton, {}, b.bar->downArrowRect().center());
    EXPECT_EQ(b.recorder.events, (QStringList{"topleft r0 t1", "topleft r0 t2"}));
    QTest::mouseClick(b.bar, Qt::LeftButton, {}, b.bar->upArrowRect().center());
    EXPECT_EQ(b.grid->topRow(), 1);
    EXPECT_EQ(b.grid->row(), 0);
    EXPECT_EQ(b.bar->position(), controls::scrollPositionForTopRow(1, 71));

    b.grid->setTopRow(0);
    b.recorder.events.clear();
    QTest::mouseClick(b.bar, Qt::LeftButton, {}, b.bar->upArrowRect().center());
    EXPECT_TRUE(b.recorder.events.isEmpty()) << "nothing above the first row";
}

TEST(SkinScrollBar, TrackClicksScrollOnePage)
{
    BoundBar b(100);
    const QRect track = b.bar->trackRect();
    QTest::mouseClick(b.bar, Qt::LeftButton, {}, QPoint(6, track.bottom() - 2));
    EXPECT_EQ(b.grid->topRow(), 29);
    QTest::mouseClick(b.bar, Qt::LeftButton, {}, QPoint(6, track.top() + 2));
    EXPECT_EQ(b.grid->topRow(), 0);
}

TEST(SkinScrollBar, HoldingAnArrowOrTheTrackRepeatsUntilReleased)
{
    BoundBar b(400);
    const QPoint arrow = b.bar->downArrowRect().center();
    QTest::mousePress(b.bar, Qt::LeftButton, {}, arrow);
    EXPECT_TRUE(QTest::qWaitFor([&] { return b.grid->topRow() >= 3; }, 3000));
    QTest::mouseRelease(b.bar, Qt::LeftButton, {}, arrow);
    const int released = b.grid->topRow();
    QTest::qWait(3 * SkinScrollBar::RepeatInterval);
    EXPECT_EQ(b.grid->topRow(), released);

    // The track pages until the thumb lies under the pointer, then stops although still held.
    const QPoint low(6, b.bar->trackRect().bottom() - 2);
    QTest::mousePress(b.bar, Qt::LeftButton, {}, low);
    EXPECT_TRUE(QTest::qWaitFor([&] { return b.bar->thumbRect().bottom() >= low.y(); }, 5000));
    const int reached = b.grid->topRow();
    QTest::qWait(3 * SkinScrollBar::RepeatInterval);
    EXPECT_EQ(b.grid->topRow(), reached);
    QTest::mouseRelease(b.bar, Qt::LeftButton, {}, low);
}

TEST(SkinScrollBar, DraggingTheThumbSetsTheTopRowInProportion)
{
    BoundBar b(100); // last top row 71
    const QRect track = b.bar->trackRect();
    const QRect thumb = b.bar->thumbRect();
    ASSERT_EQ(track, QRect(0, 13, 13, 441));
    ASSERT_EQ(thumb, QRect(0, 13, 13, 127));            // 441 * 29 / 100
    const int travel = track.height() - thumb.height(); // 314

    const QPoint grip(6, thumb.top() + 60);
    QTest::mousePress(b.bar, Qt::LeftButton, {}, grip);
    // Half way: position round(157 * 127 / 314) = 64, top row round(64 * 71 / 127) = 36.
    QTest::mouseMove(b.bar, grip + QPoint(0, travel / 2));
    EXPECT_EQ(b.grid->topRow(), 36);
    EXPECT_EQ(b.bar->position(), 64);
    EXPECT_EQ(b.bar->thumbRect().top(), track.top() + 158);
    // Past the end of the track: the last top row.
    QTest::mouseMove(b.bar, grip + QPoint(0, travel + 50));
    EXPECT_EQ(b.grid->topRow(), 71);
    QTest::mouseRelease(b.bar, Qt::LeftButton, {}, grip + QPoint(0, travel + 50));
    // After the release moves no longer drag.
    QTest::mouseMove(b.bar, grip);
    EXPECT_EQ(b.grid->topRow(), 71);
    EXPECT_EQ(b.grid->row(), 0);
    EXPECT_EQ(b.recorder.events.last(), QStringLiteral("topleft r0 t71"));
}
