// Every control of a new viewer window as its control table says, and the progress bar's inner border.
#include <QProgressBar>

#include "controls/picture_control.h"
#include "controls/text_label.h"
#include "support/control_table_check.h"
#include "viewer_fixture.h"
#include "viewer_window/scroll_box.h"
#include "window_layout/viewer_controls.h"

using namespace testsupport;

class ViewerLayout : public ::testing::Test
{
protected:
    catalogue::CatalogueData data;
    CurrentEntry entry{data};
    QWidget catalogueWindow;
    TForm2 form{entry, catalogueWindow};

    // Shown, so that the scrolling view has laid out its client area; showing runs no open step.
    void SetUp() override { form.show(); }
};

TEST_F(ViewerLayout, EveryControlHasItsParentPlaceSizeVisibilityCursorFontAndText)
{
    TForm2& f = form;
    const Members members = {
        {"ScrollBox1", f.ScrollBox1},
        {"Image1", f.Image1},
        {"ProgressBar1", f.ProgressBar1},
        {"Panel1", f.Panel1},
        {"Image2", f.Image2},
        {"Imagesvernut", f.Imagesvernut},
        {"Imagezakryt", f.Imagezakryt},
        {"Panel2", f.Panel2},
        {"niz", f.niz},
        {"Label2", f.Label2},
        {"LabelSize", f.LabelSize},
        {"Label4", f.Label4},
        {"LabelDimention", f.LabelDimention},
        {"LabelMestoGod", f.LabelMestoGod},
        {"prev1", f.prev1},
        {"ff1", f.ff1},
        {"Imageplus", f.Imageplus},
        {"Imageminus", f.Imageminus},
        {"Imagenaekran", f.Imagenaekran},
        {"Imageistinnyy", f.Imageistinnyy},
        {"prev2", f.prev2},
        {"ff2", f.ff2},
        {"Imageplus2", f.Imageplus2},
        {"Imageminus2", f.Imageminus2},
        {"Imagenaekran2", f.Imagenaekran2},
        {"Imageistinnyy2", f.Imageistinnyy2},
    };
    // The map lies in the view's scrolled content; the progress bar lies over the view, in its viewport.
    const Members realParents = {{"Image1", f.ScrollBox1->content()}, {"ProgressBar1", f.ScrollBox1->viewport()}};
    expectBuiltAsInTable(window_layout::viewerControls(), members, &form, realParents);
    EXPECT_EQ(form.size(), window_layout::viewerWindow().size);
    // Spot checks of the table: the bar's top and the hover image over the plain zoom-out button.
    EXPECT_EQ(f.Panel2->geometry(), QRect(0, 503, 800, 44));
    EXPECT_EQ(f.Imageminus2->geometry(), QRect(612, 5, 34, 33));
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
