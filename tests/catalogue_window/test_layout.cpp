// Every control of the catalogue window as its control table says, a few places checked by hand, and a few binding
// colours of the drawn window.
#include <QLineEdit>
#include <QMenu>

#include "catalogue_window/window_fixture.h"
#include "controls/skin_scroll_bar.h"
#include "support/control_table_check.h"
#include "window_layout/catalogue_controls.h"

using namespace testsupport;

class Layout : public ::testing::Test
{
protected:
    catalogue::CatalogueData data;
    CurrentEntry entry{data};
    TForm1 form{entry};
};

TEST_F(Layout, EveryControlHasItsParentPlaceSizeVisibilityCursorAndFont)
{
    TForm1& f = form;
    Members members = {
        {"Image5", f.Image5},
        {"Image3", f.Image3},
        {"LabelOpisNadpis", f.LabelOpisNadpis},
        {"Labelopis", f.Labelopis},
        {"Label223", f.Label223},
        {"LabelDimention", f.LabelDimention},
        {"Labelavtor", f.Labelavtor},
        {"LabelAvtorNadpis", f.LabelAvtorNadpis},
        {"Label1000", f.Label1000},
        {"LabelSize", f.LabelSize},
        {"Panel6", f.Panel6},
        {"Image7", f.Image7},
        {"Panel1", f.Panel1},
        {"Image9", f.Image9},
        {"Image10", f.Image10},
        {"Image11", f.Image11},
        {"Image12", f.Image12},
        {"Image13", f.Image13},
        {"Image14", f.Image14},
        {"Image1", f.Image1},
        {"Image2", f.Image2},
        {"ImageObl", f.ImageObl},
        {"Imagerus", f.Imagerus},
        {"ImageMet", f.ImageMet},
        {"ImageArt", f.ImageArt},
        {"ImageGor", f.ImageGor},
        {"Panel2", f.Panel2},
        {"Image8", f.Image8},
        {"ImagePoNazvaniyu", f.ImagePoNazvaniyu},
        {"ImagePoGodu", f.ImagePoGodu},
        {"ImagePoKa4estvy", f.ImagePoKa4estvy},
        {"StringGrid1", f.StringGrid1},
        {"bsSkinScrollBar1", f.bsSkinScrollBar1},
        {"Panel3", f.Panel3},
        {"ImageMap", f.ImageMap},
        {"Edit1", f.Edit1},
        {"Panel4", f.Panel4},
        {"Image4", f.Image4},
        {"Panel5", f.Panel5},
        {"Image6", f.Image6},
    };
    for (int n = 1; n <= 5; ++n)
        members["ImageZvezda" + std::to_string(n)] = f.ImageZvezda[n];
    for (int n = 1; n <= 76; ++n)
        members["Label" + std::to_string(n)] = f.Label[n];
    expectBuiltAsInTable(window_layout::catalogueControls(), members, &form);
    EXPECT_EQ(form.pos(), window_layout::catalogueWindow().at);
    EXPECT_EQ(form.size(), window_layout::catalogueWindow().size);
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
    EXPECT_LT(children.indexOf(form.Image5), children.indexOf(form.Panel2));
    EXPECT_LT(children.indexOf(form.Panel6), children.indexOf(form.Panel3));
    form.show();
    EXPECT_EQ(form.childAt(QPoint(500, 200)), form.ImageMap);
    EXPECT_EQ(form.childAt(QPoint(236, 30))->parentWidget(), form.Panel1); // the bar overlaps the title artwork
}

TEST_F(Layout, PopupMenuItemsInOrderWithTheViewerItemHidden)
{
    const QList<QAction*> items = form.PopupMenu1->actions();
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
    form.ImageZvezda[3]->show();
    const QImage star = form.ImageZvezda[3]->grab().toImage();
    EXPECT_TRUE(near(star.pixelColor(10, 10), QColor(150, 0, 24))) << star.pixelColor(10, 10).name().toStdString();
}
