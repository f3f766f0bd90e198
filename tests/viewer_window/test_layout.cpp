// Every control of a new viewer window in its place, walked as one table, and the progress bar's inner border.
#include <QProgressBar>

#include "controls/picture_control.h"
#include "controls/text_label.h"
#include "viewer_fixture.h"
#include "viewer_window/scroll_box.h"

using namespace testsupport;

namespace {

struct ControlRow
{
    const char* name;
    QWidget* control;
    QWidget* parent;
    QRect geometry;
    bool visible;
    Qt::CursorShape cursor;
    int fontHeight; // 0: not a text
    bool bold;
    const char* text;
};

} // namespace

class ViewerLayout : public ::testing::Test
{
protected:
    catalogue::CatalogueData data;
    TForm1 form1{data};
    TForm2 form{form1};

    // Shown, so that the scrolling view has laid out its client area; showing runs no open step.
    void SetUp() override { form.show(); }
};

TEST_F(ViewerLayout, EveryControlHasItsParentPlaceSizeVisibilityCursorFontAndText)
{
    TForm2& f = form;
    const Qt::CursorShape wait = Qt::WaitCursor, hand = Qt::PointingHandCursor;
    const std::vector<ControlRow> rows = {
        {"ScrollBox1", f.ScrollBox1, &f, {0, 20, 800, 483}, true, wait, 0, false, ""},
        {"Image1", f.Image1, f.ScrollBox1->content(), {0, 0, 737, 337}, true, wait, 0, false, ""},
        {"ProgressBar1", f.ProgressBar1, f.ScrollBox1->viewport(), {0, 0, 796, 25}, true, wait, 0, false, ""},
        {"Panel1", f.Panel1, &f, {0, 0, 800, 20}, true, wait, 0, false, ""},
        {"Image2", f.Image2, f.Panel1, {0, 0, 800, 20}, true, wait, 0, false, ""},
        {"Imagesvernut", f.Imagesvernut, f.Panel1, {752, 0, 21, 20}, true, hand, 0, false, ""},
        {"Imagezakryt", f.Imagezakryt, f.Panel1, {773, 0, 20, 20}, true, hand, 0, false, ""},
        {"Panel2", f.Panel2, &f, {0, 503, 800, 44}, true, wait, 0, false, ""},
        {"niz", f.niz, f.Panel2, {0, -2, 800, 44}, true, wait, 0, false, ""},
        {"Label2", f.Label2, f.Panel2, {5, 22, -1, -1}, true, wait, 15, true, "Объём файла:"},
        {"LabelSize", f.LabelSize, f.Panel2, {112, 24, -1, -1}, true, wait, 12, false, ""},
        {"Label4", f.Label4, f.Panel2, {172, 22, -1, -1}, true, wait, 15, true, "Размер изображения:"},
        {"LabelDimention", f.LabelDimention, f.Panel2, {338, 24, -1, -1}, true, wait, 12, false, ""},
        {"LabelMestoGod", f.LabelMestoGod, f.Panel2, {5, 5, 468, 15}, true, wait, 12, true, ""},
        {"prev1", f.prev1, f.Panel2, {483, 9, 29, 27}, true, hand, 0, false, ""},
        {"ff1", f.ff1, f.Panel2, {525, 9, 29, 27}, true, hand, 0, false, ""},
        {"Imageplus", f.Imageplus, f.Panel2, {569, 7, 36, 34}, false, hand, 0, false, ""},
        {"Imageminus", f.Imageminus, f.Panel2, {613, 6, 36, 34}, true, hand, 0, false, ""},
        {"Imagenaekran", f.Imagenaekran, f.Panel2, {665, 7, 35, 33}, true, hand, 0, false, ""},
        {"Imageistinnyy", f.Imageistinnyy, f.Panel2, {719, 7, 37, 32}, true, hand, 0, false, ""},
        {"prev2", f.prev2, f.Panel2, {481, 5, 32, 33}, false, hand, 0, false, ""},
        {"ff2", f.ff2, f.Panel2, {523, 5, 32, 34}, false, hand, 0, false, ""},
        {"Imageplus2", f.Imageplus2, f.Panel2, {568, 5, 33, 33}, false, hand, 0, false, ""},
        {"Imageminus2", f.Imageminus2, f.Panel2, {612, 5, 34, 33}, false, hand, 0, false, ""},
        {"Imagenaekran2", f.Imagenaekran2, f.Panel2, {663, 5, 37, 33}, false, hand, 0, false, ""},
        {"Imageistinnyy2", f.Imageistinnyy2, f.Panel2, {718, 5, 38, 33}, false, hand, 0, false, ""},
    };
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
            auto* label = static_cast<controls::TextLabel*>(r.control);
            EXPECT_EQ(label->font().pixelSize(), r.fontHeight);
            EXPECT_EQ(label->font().bold(), r.bold);
            EXPECT_EQ(label->textColour(), QColor(Qt::white));
            // The value labels' design texts never show: they stay empty until the open step fills them.
            EXPECT_EQ(label->caption(), QString::fromUtf8(r.text));
        }
    }
    // Each hover image lies over its plain button, and the place-and-year label over all of them.
    const QList<QObject*> bar = f.Panel2->children();
    EXPECT_LT(bar.indexOf(f.Imageplus), bar.indexOf(f.Imageplus2));
    EXPECT_LT(bar.indexOf(f.Imageistinnyy2), bar.indexOf(f.LabelMestoGod));
}

TEST_F(ViewerLayout, TheProgressBarIsDrawnInsideAnInnerBorderOfThree)
{
    form.ProgressBar1->setValue(100);
    const QImage bar = form.ProgressBar1->grab().toImage();
    const QRgb border = bar.pixel(0, 0);
    for (int x : {0, 2, 795 - 2, 795})
        EXPECT_EQ(bar.pixel(x, 12), border) << x;
    for (int y : {0, 2, 22, 24})
        EXPECT_EQ(bar.pixel(400, y), border) << y;
    int drawn = 0;
    for (int x = 3; x <= 795 - 3; ++x)
        drawn += bar.pixel(x, 12) != border;
    EXPECT_GT(drawn, 700); // the bar itself fills the inside
}
