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
}

TEST_F(ViewerLayout, ControlsTheWindowMovesAndOneOfEachKindLieWhereTheDesignPutsThem)
{
    // At the design size, 800 x 547.
    expectDesignPlaces(form, {
                                 {"Panel1", "", {0, 0, 800, 20}},
                                 {"Image2", "Panel1", {0, 0, 800, 20}},
                                 {"Imagesvernut", "Panel1", {752, 0, 21, 20}},
                                 {"Imagezakryt", "Panel1", {773, 0, 20, 20}},
                                 {"ScrollBox1", "", {0, 20, 800, 483}},
                                 {"Image1", "ScrollBox1", {0, 0, 737, 337}},
                                 {"ProgressBar1", "ScrollBox1", {0, 0, 796, 25}},
                                 {"Panel2", "", {0, 503, 800, 44}},
                                 // A picture, a label, a fixed-size label, a plain and a hover button.
                                 {"niz", "Panel2", {0, -2, 800, 44}},
                                 {"Label2", "Panel2", {5, 22, 0, 0}},
                                 {"LabelMestoGod", "Panel2", {5, 5, 468, 15}},
                                 {"prev1", "Panel2", {483, 9, 29, 27}},
                                 {"Imageminus2", "Panel2", {612, 5, 34, 33}},
                             });
    // Wider and higher: the strip, the bar and the view follow the window, the bar's artwork and buttons stay, the
    // progress bar stops at 1024.
    form.resize(1280, 800);
    expectDesignPlaces(form, {
                                 {"Panel1", "", {0, 0, 1280, 20}},
                                 {"Image2", "Panel1", {0, 0, 1280, 20}},
                                 {"ScrollBox1", "", {0, 20, 1280, 736}},
                                 {"ProgressBar1", "ScrollBox1", {0, 0, 1024, 25}},
                                 {"Panel2", "", {0, 756, 1280, 44}},
                                 {"niz", "Panel2", {0, -2, 800, 44}},
                                 {"prev1", "Panel2", {483, 9, 29, 27}},
                             });
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
