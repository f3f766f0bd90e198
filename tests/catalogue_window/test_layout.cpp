// Every control of the catalogue window in its place, walked as one table, and a few binding colours of the drawn
// window.
#include <QLineEdit>
#include <QMenu>

#include "catalogue_window/window_fixture.h"
#include "controls/skin_scroll_bar.h"

using namespace testsupport;

namespace {

struct ControlRow
{
    const char* name;
    QWidget* control;
    QWidget* parent;
    QRect geometry; // width or height -1: follows the text
    bool visible;
    Qt::CursorShape cursor;
    int fontHeight; // 0: not a text
    bool bold;
    QColor colour;
};

QColor textColour(QWidget* w)
{
    return static_cast<controls::TextLabel*>(w)->textColour();
}

} // namespace

class Layout : public ::testing::Test
{
protected:
    catalogue::CatalogueData data;
    TForm1 form{data};
};

TEST_F(Layout, EveryControlHasItsParentPlaceSizeVisibilityCursorAndFont)
{
    TForm1& f = form;
    const QColor caption(112, 29, 0), black(0, 0, 0), normal(68, 28, 26);
    const Qt::CursorShape arrow = Qt::ArrowCursor, hand = Qt::PointingHandCursor;
    std::vector<ControlRow> rows = {
        {"Image5", f.Image5, &f, {0, 61, 800, 540}, true, arrow, 0, false, {}},
        {"Image3", f.Image3, &f, {0, 0, 239, 62}, true, arrow, 0, false, {}},
        {"LabelOpisNadpis", f.LabelOpisNadpis, &f, {361, 425, -1, -1}, true, arrow, 11, true, caption},
        {"Labelopis", f.Labelopis, &f, {361, 439, 282, 137}, true, arrow, 11, false, black},
        {"Label223", f.Label223, &f, {361, 376, -1, -1}, false, arrow, 11, true, caption},
        {"LabelDimention", f.LabelDimention, &f, {490, 366, -1, -1}, false, arrow, 11, false, caption},
        {"ImageZvezda1", f.ImageZvezda[1], &f, {657, 383, 19, 20}, false, arrow, 0, false, {}},
        {"ImageZvezda2", f.ImageZvezda[2], &f, {675, 383, 20, 20}, false, arrow, 0, false, {}},
        {"ImageZvezda3", f.ImageZvezda[3], &f, {694, 383, 20, 20}, false, arrow, 0, false, {}},
        {"ImageZvezda4", f.ImageZvezda[4], &f, {711, 383, 20, 20}, false, arrow, 0, false, {}},
        {"ImageZvezda5", f.ImageZvezda[5], &f, {730, 384, 19, 17}, false, arrow, 0, false, {}},
        {"Labelavtor", f.Labelavtor, &f, {406, 407, 363, 14}, true, arrow, 11, false, black},
        {"LabelAvtorNadpis", f.LabelAvtorNadpis, &f, {361, 407, -1, -1}, true, arrow, 11, true, caption},
        {"Label1000", f.Label1000, &f, {361, 390, -1, -1}, true, arrow, 11, true, caption},
        {"LabelSize", f.LabelSize, &f, {451, 390, -1, -1}, true, arrow, 11, false, black},
        {"Panel6", f.Panel6, &f, {362, 77, 397, 297}, true, arrow, 0, false, {}},
        {"Image7", f.Image7, f.Panel6, {0, 0, 397, 297}, true, arrow, 0, false, {}},
        {"Panel1", f.Panel1, &f, {230, 0, 570, 61}, true, arrow, 0, false, {}},
        {"Image9", f.Image9, f.Panel1, {0, 0, 570, 61}, true, arrow, 0, false, {}},
        {"Image10", f.Image10, f.Panel1, {25, 7, 52, 44}, true, hand, 0, false, {}},
        {"Image11", f.Image11, f.Panel1, {113, 6, 60, 47}, true, hand, 0, false, {}},
        {"Image12", f.Image12, f.Panel1, {201, 6, 60, 47}, true, hand, 0, false, {}},
        {"Image13", f.Image13, f.Panel1, {297, 6, 65, 47}, true, hand, 0, false, {}},
        {"Image14", f.Image14, f.Panel1, {411, 6, 48, 44}, true, hand, 0, false, {}},
        {"Image1", f.Image1, f.Panel1, {533, 9, 15, 15}, true, hand, 0, false, {}},
        {"Image2", f.Image2, f.Panel1, {551, 8, 14, 15}, true, hand, 0, false, {}},
        {"ImageObl", f.ImageObl, f.Panel1, {108, 7, 63, 44}, false, hand, 0, false, {}},
        {"Imagerus", f.Imagerus, f.Panel1, {201, 7, 53, 44}, false, hand, 0, false, {}},
        {"ImageMet", f.ImageMet, f.Panel1, {284, 7, 93, 44}, false, hand, 0, false, {}},
        {"ImageArt", f.ImageArt, f.Panel1, {408, 7, 48, 44}, false, hand, 0, false, {}},
        {"ImageGor", f.ImageGor, f.Panel1, {25, 7, 52, 44}, true, hand, 0, false, {}},
        {"Panel2", f.Panel2, &f, {36, 76, 312, 491}, true, arrow, 0, false, {}},
        {"Image8", f.Image8, f.Panel2, {0, 0, 312, 491}, true, arrow, 0, false, {}},
        {"ImagePoNazvaniyu", f.ImagePoNazvaniyu, f.Panel2, {58, 475, 61, 13}, true, hand, 0, false, {}},
        {"ImagePoGodu", f.ImagePoGodu, f.Panel2, {124, 474, 32, 14}, true, hand, 0, false, {}},
        {"ImagePoKa4estvy", f.ImagePoKa4estvy, f.Panel2, {163, 474, 124, 14}, true, hand, 0, false, {}},
        {"StringGrid1", f.StringGrid1, f.Panel2, {292, 0, 4, 468}, true, arrow, 0, false, {}},
        {"bsSkinScrollBar1", f.bsSkinScrollBar1, f.Panel2, {298, 3, 13, 467}, true, hand, 0, false, {}},
        {"Panel3", f.Panel3, &f, {362, 77, 398, 298}, true, arrow, 0, false, {}},
        {"ImageMap", f.ImageMap, f.Panel3, {0, 0, 396, 296}, true, hand, 0, false, {}},
        {"Edit1", f.Edit1, &f, {360, 573, 273, 21}, false, Qt::IBeamCursor, 0, false, {}},
        {"Panel4", f.Panel4, &f, {661, 546, 115, 32}, true, arrow, 0, false, {}},
        {"Image4", f.Image4, f.Panel4, {0, 0, 115, 32}, true, hand, 0, false, {}},
        {"Panel5", f.Panel5, &f, {42, 584, 39, 12}, true, arrow, 0, false, {}},
        {"Image6", f.Image6, f.Panel5, {0, 0, 39, 12}, true, hand, 0, false, {}},
    };
    const int slotTops[] = {5,   20,  35,  51,  67,  83,  99,  115, 131, 147, 163, 179, 195, 211, 227,
                            243, 259, 275, 291, 307, 323, 339, 355, 371, 387, 403, 419, 435, 451};
    static std::vector<std::string> names;
    names.clear();
    names.reserve(100);
    for (int s = 1; s <= 29; ++s) {
        const QColor colour = s == 1 ? caption : normal;
        names.push_back("Label" + std::to_string(s));
        rows.push_back({names.back().c_str(), f.Label[s], f.Panel2, {4, slotTops[s - 1], -1, -1}, true, hand, 13,
                        false, colour});
        names.push_back("Label" + std::to_string(s + 47));
        rows.push_back({names.back().c_str(), f.Label[s + 47], f.Panel2, {220, slotTops[s - 1], -1, -1}, true, hand,
                        13, false, colour});
    }
    for (int n = 30; n <= 41; ++n) {
        names.push_back("Label" + std::to_string(n));
        rows.push_back({names.back().c_str(), f.Label[n], &f, {362, 384 + 16 * (n - 30), -1, -1}, true, arrow, 13,
                        false, normal});
    }
    const int panel6Tops[] = {192, 208, 224, 240, 272, 256}; // Label42..Label47
    for (int n = 42; n <= 47; ++n) {
        names.push_back("Label" + std::to_string(n));
        rows.push_back({names.back().c_str(), f.Label[n], f.Panel6, {2, panel6Tops[n - 42], -1, -1}, n >= 46, arrow,
                        13, false, normal});
    }

    for (const ControlRow& r : rows) {
        SCOPED_TRACE(r.name);
        ASSERT_NE(r.control, nullptr);
        EXPECT_EQ(r.control->parentWidget(), r.parent);
        EXPECT_EQ(r.control->pos(), r.geometry.topLeft());
        if (r.geometry.width() >= 0) {
            EXPECT_EQ(r.control->size(), r.geometry.size());
        }
        EXPECT_EQ(!r.control->isHidden(), r.visible);
        EXPECT_EQ(r.control->cursor().shape(), r.cursor);
        if (r.fontHeight > 0) {
            EXPECT_EQ(r.control->font().pixelSize(), r.fontHeight);
            EXPECT_EQ(r.control->font().bold(), r.bold);
            EXPECT_EQ(textColour(r.control), r.colour);
        }
    }
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
    const QStringList captions = {QStringLiteral("Открыть в новом окне"), QStringLiteral("Открыть с помощью просмотрщика"),
                                  QStringLiteral("Сохранить в файл..."), QStringLiteral("Копировать файл"),
                                  QStringLiteral("Закрыть окно")};
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
