// The five category views: what the list shows, which detail controls are visible, and the tab highlighting.
#include "catalogue_window/window_fixture.h"
#include "desktop/error_report.h"

using namespace testsupport;

namespace {

/// The author and description rows: their tops in the map views and, moved up, in the articles view.
struct DetailTop
{
    const char* name;
    int mapTop, articlesTop;
};
const DetailTop detailTops[] = {
    {"LabelAvtorNadpis", 407, 383}, {"Labelavtor", 407, 383}, {"LabelOpisNadpis", 425, 399}, {"Labelopis", 439, 415}};

void expectDetailTops(const QWidget& window, bool mapLayout)
{
    for (const DetailTop& d : detailTops) {
        const auto* control = window.findChild<QWidget*>(QString::fromLatin1(d.name));
        ASSERT_NE(control, nullptr) << d.name;
        EXPECT_EQ(control->y(), mapLayout ? d.mapTop : d.articlesTop) << d.name;
    }
}

std::vector<Entry> mixedCollection()
{
    std::vector<Entry> entries = cities(35);
    const auto add = [&](const char* title, const char* code, const char* file, const char* year) {
        Entry e;
        e.title = QString::fromUtf8(title);
        e.code = QString::fromUtf8(code);
        e.fileName = QString::fromUtf8(file);
        e.year = QString::fromUtf8(year);
        e.author = QStringLiteral("Автор");
        e.description = QStringLiteral("Описание");
        e.quality = QStringLiteral("3");
        entries.push_back(e);
    };
    add("Тверская губерния", "Oblasti", "tver.jpg", "1800");
    add("Архангельская губерния", "Oblasti", "arh.jpg", "1790");
    add("Российская империя", "Russia", "imperia.jpg", "1850");
    add("Схема метро 1935", "Metro", "metro1935.jpg", "1935");
    add("О картах", "art", "o_kartah.html", "");
    add("Город в другой категории", "goroda", "x.jpg", "1700"); // a misspelt code puts it in no list
    return entries;
}

struct ViewCase
{
    int category;
    QString firstTitle;
    QString firstYear;
    int rowCount;
    bool mapLayout;
};

} // namespace

class CategoryViews : public CatalogueWindowTest, public ::testing::WithParamInterface<ViewCase>
{
};

TEST_P(CategoryViews, ShowTheirTableAndTheirDetailLayout)
{
    const ViewCase& c = GetParam();
    open(mixedCollection());
    void (TForm1::*const views[])() = {nullptr,
                                       &TForm1::ImageGorClick,
                                       &TForm1::ImageOblClick,
                                       &TForm1::ImagerusClick,
                                       &TForm1::ImageMetClick,
                                       &TForm1::ImageArtClick};
    (w().*views[c.category])();

    EXPECT_EQ(entry->category(), c.category);
    EXPECT_EQ(row(1), c.firstTitle);
    EXPECT_EQ(second(1), c.firstYear);
    EXPECT_EQ(w().listGrid->rowCount(), c.rowCount);
    EXPECT_EQ(w().listGrid->width(), 0);
    EXPECT_EQ(currentRow(), 1);
    EXPECT_EQ(highlightedSlot(), 1);
    EXPECT_EQ(w().byYearButton->isVisible(), c.mapLayout);
    EXPECT_EQ(w().fileSizeCaption->isVisible(), c.mapLayout);
    EXPECT_EQ(w().fileSizeLabel->isVisible(), c.mapLayout);
    EXPECT_EQ(w().starPictures[1]->isVisible(), c.mapLayout);
    expectDetailTops(w(), c.mapLayout);
    EXPECT_TRUE(w().authorLabel->isVisible());
    for (int n = 30; n <= 41; ++n)
        EXPECT_FALSE(w().Label[n]->isVisible());
    EXPECT_EQ(w().Label[48]->x(), 220);
    EXPECT_EQ(w().previewPicture->cursor().shape(), Qt::PointingHandCursor);
}

INSTANTIATE_TEST_SUITE_P(
    AllFive, CategoryViews,
    ::testing::Values(ViewCase{1, QStringLiteral("Город 001"), QStringLiteral("1701"), 35, true},
                      ViewCase{2, QStringLiteral("Архангельская губерния"), QStringLiteral("1790"), 2, true},
                      ViewCase{3, QStringLiteral("Российская империя"), QStringLiteral("1850"), 1, true},
                      ViewCase{4, QStringLiteral("Схема метро 1935"), QStringLiteral("1935"), 1, true},
                      ViewCase{5, QStringLiteral("О картах"), QString(), 1, false}));

class CategoryView : public CatalogueWindowTest
{
};

TEST_F(CategoryView, ListsMoreThanAPageInTheGridAndTheFirstPageInTheRows)
{
    open(cities(35));
    EXPECT_EQ(row(29), QStringLiteral("Город 029"));
    EXPECT_EQ(w().listGrid->cell(0, 34), QStringLiteral("Город 035"));
    EXPECT_EQ(w().listGrid->cell(0, 35), QString());
}

TEST_F(CategoryView, EmptyCategoryShowsOneBlankRowAndItsDetails)
{
    open(cities(3));
    ASSERT_TRUE(w().previewPicture->hasPicture());
    w().ImageOblClick();
    EXPECT_EQ(w().listGrid->rowCount(), 1);
    EXPECT_EQ(row(1), QString());
    // The detail step runs for the blank row: the paths name the folders, and nothing of the cities stays.
    EXPECT_EQ(entry->mapPath(), QStringLiteral("Oblasti/"));
    EXPECT_EQ(w().authorLabel->caption(), QString());
    EXPECT_FALSE(w().authorCaption->isVisible());
    EXPECT_FALSE(w().starPictures[1]->isVisible());
    EXPECT_FALSE(w().previewPicture->hasPicture());
    EXPECT_EQ(w().fileSizeLabel->caption(), QString());
}

TEST_F(CategoryView, MapViewAfterArticlesRestoresTheMapLayout)
{
    open(mixedCollection());
    w().ImageArtClick();
    w().ImageOblClick();
    EXPECT_TRUE(w().byNameButton->isVisible());
    EXPECT_TRUE(w().starPictures[3]->isVisible());
    expectDetailTops(w(), true);
}

TEST_F(CategoryView, MissingArticlesPictureStillListsTheArticles)
{
    collection.writeComplete(mixedCollection());
    QFile::remove(collection.file(QStringLiteral("Articles/foto.jpg")));
    openWritten();
    desktop::runGuarded([this] { w().ImageArtClick(); });
    waitForPreview();
    EXPECT_EQ(entry->category(), 5);
    EXPECT_EQ(row(1), QStringLiteral("О картах"));
    EXPECT_FALSE(w().previewPicture->hasPicture());
    ASSERT_FALSE(MessageRecorder::messages().isEmpty());
    EXPECT_TRUE(MessageRecorder::last().contains(QStringLiteral("foto.jpg")));
}

// Hover: a move over a tab lights it; a move over a background leaves only the current category lit.
TEST_F(CategoryView, HoverHighlightsFollowTheCurrentCategory)
{
    open(mixedCollection());
    controls::PictureControl* lit[] = {w().citiesTab, w().regionsTab, w().countryTab, w().metroTab, w().articlesTab};
    controls::PictureControl* hover[] = {w().citiesHoverArea, w().regionsHoverArea, w().countryHoverArea,
                                         w().metroHoverArea, w().articlesHoverArea};
    const auto litSet = [&] {
        QString s;
        for (auto* p : lit)
            s += p->isVisible() ? QLatin1Char('1') : QLatin1Char('0');
        return s;
    };
    EXPECT_EQ(litSet(), QStringLiteral("10000"));
    QTest::mouseMove(hover[3], QPoint(5, 5));
    EXPECT_EQ(litSet(), QStringLiteral("10010"));
    QTest::mouseMove(w().topBarBackground, QPoint(520, 30));
    EXPECT_EQ(litSet(), QStringLiteral("10000"));

    const struct
    {
        int category;
        const char* expected;
    } table[] = {{2, "01000"}, {3, "00100"}, {4, "00010"}, {5, "00001"}, {99, "00000"}, {0, "11111"}};
    for (const auto& t : table) {
        for (auto* p : lit)
            p->show();
        entry->show(t.category);
        QTest::mouseMove(w().listBackground, QPoint(20, 480));
        QTest::mouseMove(w().listBackground, QPoint(21, 481));
        EXPECT_EQ(litSet(), QString::fromLatin1(t.expected)) << t.category;
    }
}

// A category switch whose first preview cannot be shown: the message comes once, and the view is whole.
TEST_F(CategoryView, ADamagedFirstPreviewIsReportedAndTheViewStillShowsTheNewList)
{
    collection.writeComplete(mixedCollection());
    collection.writeBytes(QStringLiteral("Oblasti/previews/arh.jpg"),
                          QByteArray("\xFF\xD8\xFF\xE0", 4) + QByteArray(64, 'z'));
    openWritten();
    clickRow(3);
    MessageRecorder::clear();
    QTest::mouseMove(w().regionsHoverArea, QPoint(5, 5));
    QTest::mouseClick(w().regionsTab, Qt::LeftButton, {}, QPoint(5, 5));
    waitForPreview();
    ASSERT_EQ(MessageRecorder::messages().size(), 1);
    EXPECT_TRUE(MessageRecorder::last().contains(QStringLiteral("arh.jpg")));
    EXPECT_EQ(entry->category(), 2);
    EXPECT_EQ(row(1), QStringLiteral("Архангельская губерния"));
    EXPECT_EQ(row(3), QString());
    EXPECT_EQ(currentRow(), 1);
    EXPECT_EQ(highlightedSlot(), 1);
}

// A view chosen while the list is scrolled (by the scroll bar, so the grid's current row stays 0) starts at its top.
TEST_F(CategoryView, ChoosingAViewWhileScrolledStartsAtTheFirstEntry)
{
    open(cities(45));
    for (void (TForm1::*view)() : {&TForm1::ImageGorClick, &TForm1::ImageAboutClick}) {
        w().ImageGorClick();
        (w().*view)();
        w().listGrid->setTopRow(5);
        w().ImageGorClick();
        EXPECT_EQ(w().listGrid->row(), 0);
        EXPECT_EQ(w().listGrid->topRow(), 0);
        EXPECT_EQ(row(1), QStringLiteral("Город 001"));
        EXPECT_EQ(highlightedSlot(), 1);
        EXPECT_EQ(w().authorLabel->caption(), QStringLiteral("Автор 1"));
    }
}
