// The three ordering areas under the list, clicked as a user does.
#include "catalogue_window/window_fixture.h"

using namespace testsupport;

namespace {

Entry city(const char* title, const char* year, const char* quality, const char* file)
{
    Entry e;
    e.title = QString::fromUtf8(title);
    e.code = QStringLiteral("Goroda");
    e.fileName = QString::fromUtf8(file);
    e.year = QString::fromUtf8(year);
    e.author = QStringLiteral("Автор ") + e.title;
    e.quality = QString::fromUtf8(quality);
    return e;
}

} // namespace

class OrderingsView : public CatalogueWindowTest
{
protected:
    void openSmall()
    {
        open({city("Тверь", "1800", "3", "tver.jpg"), city("Азов", "900", "5", "azov.jpg"),
              city("Москва река", "1750", "3", "mr.jpg"), city("Москва", "1750", "1", "m.jpg"),
              city("Ярославль", "1820", "5", "yar.jpg")});
    }
    void clickArea(controls::PictureControl* area) { QTest::mouseClick(area, Qt::LeftButton, {}, QPoint(3, 3)); }
    QStringList firstColumn(int n)
    {
        QStringList texts;
        for (int s = 1; s <= n; ++s)
            texts << row(s);
        return texts;
    }
};

TEST_F(OrderingsView, ByYearPutsYearsFirstComparedAsText)
{
    openSmall();
    clickArea(w().byYearButton);
    EXPECT_EQ(firstColumn(5), (QStringList{"1750", "1750", "1800", "1820", "900"}));
    EXPECT_EQ(second(3), QStringLiteral("Тверь"));
    EXPECT_EQ(w().Label[48]->x(), 95);
    // Showing the category again: titles first at 220, still in year order.
    w().ImageGorClick();
    EXPECT_EQ(row(3), QStringLiteral("Тверь"));
    EXPECT_EQ(row(5), QStringLiteral("Азов"));
    EXPECT_EQ(w().Label[48]->x(), 220);
}

TEST_F(OrderingsView, ByQualityPutsTheBestFirstWithTitlesBackwardsAmongEquals)
{
    openSmall();
    clickRow(3); // Москва, one star
    ASSERT_FALSE(w().starPictures[2]->isVisible());
    clickArea(w().byQualityButton);
    EXPECT_EQ(firstColumn(5), (QStringList{"Ярославль", "Азов", "Тверь", "Москва река", "Москва"}));
    EXPECT_EQ(w().Label[48]->x(), 220);
    EXPECT_EQ(w().starPictures[5]->isVisible(), true);
}

TEST_F(OrderingsView, ByNameComparesTheSeparatorWithTheNextCharacterOfALongerTitle)
{
    openSmall();
    clickArea(w().byYearButton);
    clickArea(w().byNameButton);
    // "Москва@..." against "Москва река@...": the space sorts before the separator.
    EXPECT_EQ(firstColumn(5), (QStringList{"Азов", "Москва река", "Москва", "Тверь", "Ярославль"}));
    EXPECT_EQ(second(2), QStringLiteral("1750"));
    EXPECT_EQ(w().Label[48]->x(), 220);
}

TEST_F(OrderingsView, OrderingAScrolledListReturnsToTheTopAndChoosesTheFirstEntry)
{
    open(cities(45));
    for (int i = 0; i < 39; ++i)
        key(Qt::Key_Down);
    ASSERT_EQ(currentRow(), 40);
    ASSERT_GT(w().listGrid->topRow(), 0);
    clickArea(w().byQualityButton);
    EXPECT_EQ(w().listGrid->topRow(), 0);
    EXPECT_EQ(w().listGrid->row(), 0);
    EXPECT_EQ(currentRow(), 1);
    EXPECT_EQ(highlightedSlot(), 1);
    // Qualities cycle 1..5, so the first entry of the new order has five stars and the greatest title among them.
    EXPECT_EQ(row(1), QStringLiteral("Город 045"));
    EXPECT_EQ(w().authorLabel->caption(), QStringLiteral("Автор 45"));
    EXPECT_EQ(entry->mapPath(), QStringLiteral("Goroda/gorod045.jpg"));
}

TEST_F(OrderingsView, AnOrderingShowsTheDetailsOfTheFirstEntryOnly)
{
    collection.writeComplete(cities(10));
    // By quality the chosen slot 5 then holds Город 008; the ordering goes straight to entry 1 without reading it.
    collection.writeBytes(QStringLiteral("Goroda/previews/gorod008.jpg"),
                          QByteArray("\xFF\xD8\xFF\xE0", 4) + QByteArray(64, 'z'));
    openWritten();
    clickRow(5);
    clickArea(w().byQualityButton);
    EXPECT_TRUE(MessageRecorder::messages().isEmpty()) << MessageRecorder::last().toStdString();
    EXPECT_EQ(w().listGrid->row(), 0);
    EXPECT_EQ(currentRow(), 1);
    EXPECT_EQ(highlightedSlot(), 1);
    EXPECT_EQ(w().authorLabel->caption(), QStringLiteral("Автор 10"));
}

TEST_F(OrderingsView, OrderingAnEmptyCategoryStillResetsTheView)
{
    open(cities(3));
    w().ImageOblClick();
    ASSERT_EQ(w().Label[48]->x(), 220);
    w().authorLabel->setCaption(QStringLiteral("marker")); // the details of the chosen row overwrite it
    clickArea(w().byYearButton);
    EXPECT_EQ(w().listGrid->rowCount(), 1);
    EXPECT_EQ(row(1), QString());
    EXPECT_EQ(w().Label[48]->x(), 95);
    EXPECT_EQ(w().authorLabel->caption(), QString());
    EXPECT_TRUE(MessageRecorder::messages().isEmpty());
}
