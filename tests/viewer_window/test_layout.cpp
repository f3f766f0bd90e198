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
        {"ScrollBox1", f.mapView},
        {"Image1", f.mapPicture},
        {"ProgressBar1", f.progressBar},
        {"Panel1", f.titleStrip},
        {"Image2", f.titleBackground},
        {"Imagesvernut", f.minimiseButton},
        {"Imagezakryt", f.closeButton},
        {"Panel2", f.controlBar},
        {"niz", f.controlBarBackground},
        {"Label2", f.fileSizeCaption},
        {"LabelSize", f.fileSizeLabel},
        {"Label4", f.dimensionsCaption},
        {"LabelDimention", f.dimensionsLabel},
        {"LabelMestoGod", f.titleAndYearLabel},
        {"prev1", f.previousButton},
        {"ff1", f.nextButton},
        {"Imageplus", f.zoomInButton},
        {"Imageminus", f.zoomOutButton},
        {"Imagenaekran", f.fitButton},
        {"Imageistinnyy", f.actualSizeButton},
        {"prev2", f.previousHover},
        {"ff2", f.nextHover},
        {"Imageplus2", f.zoomInHover},
        {"Imageminus2", f.zoomOutHover},
        {"Imagenaekran2", f.fitHover},
        {"Imageistinnyy2", f.actualSizeHover},
    };
    // The map lies in the view's scrolled content; the progress bar lies over the view, in its viewport.
    const Members realParents = {{"Image1", f.mapView->content()}, {"ProgressBar1", f.mapView->viewport()}};
    expectBuiltAsInTable(window_layout::viewerControls(), members, &form, realParents);
    EXPECT_EQ(form.size(), window_layout::viewerWindow().size);
    // Spot checks of the table: the bar's top and the hover image over the plain zoom-out button.
    EXPECT_EQ(f.controlBar->geometry(), QRect(0, 503, 800, 44));
    EXPECT_EQ(f.zoomOutHover->geometry(), QRect(612, 5, 34, 33));
}

TEST_F(ViewerLayout, TheProgressBarIsDrawnInsideAnInnerBorderOfThree)
{
    form.progressBar->setValue(100);
    const QImage bar = form.progressBar->grab().toImage();
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
