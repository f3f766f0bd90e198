// The 29 rows over the hidden grid, driven by clicks, keys, the wheel and the scroll bar.
#include <QSpontaneKeyEvent>
#include <QWheelEvent>

#include "catalogue_window/window_fixture.h"
#include "controls/skin_scroll_bar.h"
#include "desktop/error_report.h"

using namespace testsupport;

class RowList : public CatalogueWindowTest
{
protected:
    void wheel(QWidget* target, int delta)
    {
        const QPoint pos(2, 2);
        QWheelEvent event(QPointF(pos), QPointF(target->mapToGlobal(pos)), QPoint(), QPoint(0, delta), Qt::NoButton,
                          Qt::NoModifier, Qt::NoScrollPhase, false);
        // As from the window system: a wheel event the widget leaves unhandled passes on to its parents.
        QSpontaneKeyEvent::setSpontaneous(&event);
        qApp->notify(target, &event);
    }
};

TEST_F(RowList, ShortListLeavesEmptyRowsWhoseClicksChangeNothing)
{
    open(cities(10));
    EXPECT_EQ(row(10), QStringLiteral("Город 010"));
    EXPECT_EQ(row(11), QString());
    EXPECT_FALSE(w().listScrollBar->isVisible());
    clickRow(3);
    clickRow(15);
    // An empty label is 0 pixels wide, so the click above lands beside it: run slot 15's row click as its click would.
    desktop::runGuarded([&] { w().rowClick(15); });
    EXPECT_TRUE(MessageRecorder::messages().isEmpty());
    EXPECT_EQ(currentRow(), 3);
    EXPECT_EQ(highlightedSlot(), 3);
}

TEST_F(RowList, ClickChoosesTheRowAndFillsTheDetails)
{
    open(cities(10));
    clickRow(4);
    EXPECT_EQ(w().listGrid->row(), 3);
    EXPECT_EQ(currentRow(), 4);
    EXPECT_EQ(highlightedSlot(), 4);
    EXPECT_EQ(w().Label[4 + 47]->textColour(), QColor(112, 29, 0));
    EXPECT_EQ(w().Label[5]->textColour(), QColor(68, 28, 26));
    EXPECT_EQ(w().authorLabel->caption(), QStringLiteral("Автор 4"));
    EXPECT_EQ(entry->mapPath(), QStringLiteral("Goroda/gorod004.jpg"));
    // The second column's label is the same row.
    QTest::mouseClick(w().Label[7 + 47], Qt::LeftButton, {}, QPoint(2, 5));
    EXPECT_EQ(currentRow(), 7);
}

TEST_F(RowList, ClickingTheChosenRowAgainDoesNotRefreshTheDetails)
{
    open(cities(10));
    clickRow(2);
    w().authorLabel->setCaption(QStringLiteral("marker"));
    clickRow(2);
    EXPECT_EQ(w().authorLabel->caption(), QStringLiteral("marker"));
    EXPECT_EQ(highlightedSlot(), 2);
}

TEST_F(RowList, ScrollBarScrollsWithoutChangingTheChosenEntry)
{
    open(cities(30));
    EXPECT_TRUE(w().listScrollBar->isVisible());
    auto* author = w().findChild<controls::TextLabel*>(QStringLiteral("Labelavtor"));
    author->setCaption(QStringLiteral("marker")); // a refresh of the detail panel would overwrite it
    w().listGrid->setTopRow(1);
    EXPECT_EQ(row(1), QStringLiteral("Город 002"));
    EXPECT_EQ(row(29), QStringLiteral("Город 030"));
    EXPECT_EQ(w().listGrid->row(), 0);
    EXPECT_EQ(currentRow(), 1);
    EXPECT_EQ(highlightedSlot(), 0); // the chosen row left the page
    w().listGrid->setTopRow(0);
    EXPECT_EQ(highlightedSlot(), 1);
    EXPECT_EQ(author->caption(), QStringLiteral("marker"));
}

TEST_F(RowList, DownOnTheLastVisibleRowScrollsByOne)
{
    open(cities(40));
    clickRow(29);
    key(Qt::Key_Down);
    EXPECT_EQ(w().listGrid->topRow(), 1);
    EXPECT_EQ(row(29), QStringLiteral("Город 030"));
    EXPECT_EQ(highlightedSlot(), 29);
    EXPECT_EQ(currentRow(), 30);
    EXPECT_EQ(w().authorLabel->caption(), QStringLiteral("Автор 30"));
}

TEST_F(RowList, PageKeysHomeAndEndMoveByWholePages)
{
    open(cities(70));
    const struct
    {
        Qt::Key key;
        int row, top, slot;
    } steps[] = {{Qt::Key_PageDown, 29, 29, 1}, {Qt::Key_PageDown, 58, 41, 18}, {Qt::Key_End, 69, 41, 29},
                 {Qt::Key_Up, 68, 41, 28},      {Qt::Key_PageUp, 39, 12, 28},   {Qt::Key_Home, 0, 0, 1}};
    for (const auto& s : steps) {
        key(s.key);
        EXPECT_EQ(w().listGrid->row(), s.row) << s.key;
        EXPECT_EQ(w().listGrid->topRow(), s.top) << s.key;
        EXPECT_EQ(highlightedSlot(), s.slot) << s.key;
        EXPECT_EQ(currentRow(), s.row + 1) << s.key;
    }
}

TEST_F(RowList, WheelOverTheRowsMovesOneRowPerNotchWithinTheList)
{
    open(cities(5));
    wheel(w().Label[1], -120);
    wheel(w().Label[2], -120);
    EXPECT_EQ(currentRow(), 3);
    for (int i = 0; i < 5; ++i)
        wheel(w().Label[1], 120);
    EXPECT_EQ(currentRow(), 1);
    EXPECT_TRUE(MessageRecorder::messages().isEmpty());
}

TEST_F(RowList, WheelAnywhereOverTheListPanelMovesTheList)
{
    open(cities(35));
    // Beside a row's text, between the rows, on the scroll bar and on an ordering area.
    QWidget* targets[] = {w().listBackground, w().listScrollBar, w().byYearButton};
    for (QWidget* target : targets)
        wheel(target, -120);
    EXPECT_EQ(currentRow(), 4);
    EXPECT_EQ(highlightedSlot(), 4);
}

TEST_F(RowList, EnterAndDoubleClickOnAMapOpenTheViewer)
{
    open(cities(5));
    int opened = 0;
    w().setViewerOpener([&] { ++opened; });
    clickRow(2);
    key(Qt::Key_Return);
    doubleClick(w().Label[3], QPoint(2, 5));
    EXPECT_EQ(opened, 2);
    EXPECT_EQ(entry->mapPath(), QStringLiteral("Goroda/gorod003.jpg"));
}
