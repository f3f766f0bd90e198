// The catalogue window's controls where the design puts them (written down here, apart from the control table), every
// table row tied to its member, and a few binding colours of the drawn window.
#include <QLineEdit>
#include <QMenu>

#include "catalogue_window/window_fixture.h"
#include "controls/skin_scroll_bar.h"
#include "support/control_table_check.h"
#include "viewer_window/tform2.h"
#include "window_layout/catalogue_controls.h"
#include "window_layout/viewer_controls.h"

using namespace testsupport;

class Layout : public ::testing::Test
{
protected:
    catalogue::CatalogueData data;
    CurrentEntry entry{data};
    loading::Loader loader;
    TForm1 form{entry, loader};
};

TEST(ControlTies, EveryRowOfBothWindowsIsTiedToOneMemberHoldingItsControl)
{
    expectTiedOnce(window_layout::catalogueControls(), TForm1::controlTies());
    expectTiedOnce(window_layout::viewerControls(), TForm2::controlTies());
    // A window whose ties are wrong leaves members null, which it uses while it builds itself.
    ASSERT_FALSE(::testing::Test::HasFailure());
    catalogue::CatalogueData data;
    CurrentEntry entry{data};
    loading::Loader loader;
    const TForm1 catalogueWindow(entry, loader);
    expectTiesHoldTheirControls(TForm1::controlTies(), catalogueWindow);
    QWidget owner;
    const TForm2 viewer(entry, loader, owner);
    expectTiesHoldTheirControls(TForm2::controlTies(), viewer);
}

TEST_F(Layout, ControlsTheWindowMovesAndOneOfEachKindLieWhereTheDesignPutsThem)
{
    expectDesignPlaces(form, {
                                 // Moved up by the articles view.
                                 {"LabelAvtorNadpis", "", {361, 407, 0, 0}},
                                 {"Labelavtor", "", {406, 407, 363, 14}},
                                 {"LabelOpisNadpis", "", {361, 425, 0, 0}},
                                 {"Labelopis", "", {361, 439, 282, 137}},
                                 // Narrowed to nothing by every category view.
                                 {"StringGrid1", "Panel2", {292, 0, 4, 468}},
                                 // A picture, a panel, a label, a picture in a panel, the scroll bar, the edit box.
                                 {"Image5", "", {0, 61, 800, 540}},
                                 {"Panel3", "", {362, 77, 398, 298}},
                                 {"LabelSize", "", {451, 390, 0, 0}},
                                 {"Image1", "Panel1", {533, 9, 15, 15}},
                                 {"bsSkinScrollBar1", "Panel2", {298, 3, 13, 467}},
                                 {"Edit1", "", {360, 573, 273, 21}},
                                 // The panels, and what lies in them at their origin.
                                 {"Panel1", "", {230, 0, 570, 61}},
                                 {"Image9", "Panel1", {0, 0, 570, 61}},
                                 {"Panel2", "", {36, 76, 312, 491}},
                                 {"Image8", "Panel2", {0, 0, 312, 491}},
                                 {"Panel4", "", {661, 546, 115, 32}},
                                 {"Image4", "Panel4", {0, 0, 115, 32}},
                                 {"Panel5", "", {42, 584, 39, 12}},
                                 {"Image6", "Panel5", {0, 0, 39, 12}},
                                 // The click areas: tabs, hover areas, orderings, stars, close.
                                 {"ImageGor", "Panel1", {25, 7, 52, 44}},
                                 {"ImageObl", "Panel1", {108, 7, 63, 44}},
                                 {"Image11", "Panel1", {113, 6, 60, 47}},
                                 {"Image2", "Panel1", {551, 8, 14, 15}},
                                 {"ImagePoNazvaniyu", "Panel2", {58, 475, 61, 13}},
                                 {"ImagePoGodu", "Panel2", {124, 474, 32, 14}},
                                 {"ImagePoKa4estvy", "Panel2", {163, 474, 124, 14}},
                                 {"ImageZvezda1", "", {657, 383, 19, 20}},
                                 {"ImageZvezda5", "", {730, 384, 19, 17}},
                             });
    // Before any view: only the cities tab is lit, the stars are hidden; the click areas show the hand.
    EXPECT_FALSE(form.citiesTab->isHidden());
    for (QWidget* hidden : {form.regionsTab, form.countryTab, form.metroTab, form.articlesTab, form.starPictures[1]})
        EXPECT_TRUE(hidden->isHidden()) << hidden->objectName().toStdString();
    for (QWidget* hand : {form.citiesTab, form.regionsHoverArea, form.byYearButton, form.aboutButton,
                          form.publisherLogo, form.closeButton})
        EXPECT_EQ(hand->cursor().shape(), Qt::PointingHandCursor) << hand->objectName().toStdString();
    EXPECT_EQ(form.topBarBackground->cursor().shape(), Qt::ArrowCursor);
}

TEST_F(Layout, SlotTopsRunFifteenThenSixteenPixelsApartAndLinkRowsSixteen)
{
    const std::pair<int, int> slotTops[] = {{1, 5}, {2, 20}, {3, 35}, {4, 51}, {29, 451}};
    for (auto [slot, top] : slotTops) {
        EXPECT_EQ(form.Label[slot]->pos(), QPoint(4, top)) << slot;
        EXPECT_EQ(form.Label[slot + 47]->pos(), QPoint(220, top)) << slot;
    }
    EXPECT_EQ(form.Label[30]->pos(), QPoint(362, 384));
    EXPECT_EQ(form.Label[41]->pos(), QPoint(362, 560));
    EXPECT_EQ(form.Label[47]->y(), 256);
}

TEST_F(Layout, RowsAndLinkRowsAreEmptyUntilTheLoadFillsThem)
{
    for (int n = 1; n <= 76; ++n)
        EXPECT_EQ(form.Label[n]->caption(), QString()) << "Label" << n;
}

TEST_F(Layout, OnlySlotOneAsksForAFixedPitchFontAndFirstColumnLabelsAreCutAt300)
{
    EXPECT_TRUE(form.Label[1]->font().fixedPitch());
    EXPECT_TRUE(form.Label[48]->font().fixedPitch());
    for (int n : {2, 29, 49, 76})
        EXPECT_FALSE(form.Label[n]->font().fixedPitch()) << n;
    const QString longTitle(120, QChar(0x0416)); // a title far wider than the list
    form.Label[3]->setCaption(longTitle);
    form.Label[50]->setCaption(longTitle);
    EXPECT_EQ(form.Label[3]->width(), 300);
    EXPECT_GT(form.Label[50]->width(), 300);
}

TEST_F(Layout, PanelsLieOverThePicturesAndThePreviewCoversPanel6)
{
    const QList<QObject*> children = form.children();
    EXPECT_LT(children.indexOf(form.windowBackground), children.indexOf(form.listPanel));
    EXPECT_LT(children.indexOf(form.linkPanel), children.indexOf(form.previewPanel));
    form.show();
    EXPECT_EQ(form.childAt(QPoint(500, 200)), form.previewPicture);
    EXPECT_EQ(form.childAt(QPoint(236, 30))->parentWidget(), form.topBar); // the bar overlaps the title artwork
}

TEST_F(Layout, PopupMenuItemsInOrderWithTheViewerItemHidden)
{
    const QList<QAction*> items = form.previewMenu->actions();
    ASSERT_EQ(items.size(), 5);
    const QStringList captions = {
        QStringLiteral("Открыть в новом окне"), QStringLiteral("Открыть с помощью просмотрщика"),
        QStringLiteral("Сохранить в файл..."), QStringLiteral("Копировать файл"), QStringLiteral("Закрыть окно")};
    for (int i = 0; i < 5; ++i) {
        EXPECT_EQ(items[i]->text(), captions[i]);
        EXPECT_EQ(items[i]->isVisible(), i != 1);
    }
}

TEST_F(Layout, DrawnWindowShowsTheBindingColours)
{
    form.show();
    const QImage shot = form.grab().toImage();
    const auto near = [](QColor a, QColor b) {
        return std::abs(a.red() - b.red()) <= 6 && std::abs(a.green() - b.green()) <= 6 &&
               std::abs(a.blue() - b.blue()) <= 6;
    };
    // The top bar's one-pixel stripes alternate red and gold at its left edge, under no caption.
    const QColor row0 = shot.pixelColor(232, 1), row1 = shot.pixelColor(232, 2);
    const QColor red(223, 0, 41), gold(150, 122, 56);
    EXPECT_TRUE((near(row0, red) && near(row1, gold)) || (near(row0, gold) && near(row1, red)))
        << row0.name().toStdString() << " " << row1.name().toStdString();
    // A star's red, in the middle of the star picture.
    form.starPictures[3]->show();
    const QImage star = form.starPictures[3]->grab().toImage();
    EXPECT_TRUE(near(star.pixelColor(10, 10), QColor(150, 0, 24))) << star.pixelColor(10, 10).name().toStdString();
}
