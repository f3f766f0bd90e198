// The controls of a new viewer window where the design puts them (written down here, apart from the control table),
// how they look at creation, and the progress bar's inner border.
#include <QProgressBar>

#include "controls/picture_control.h"
#include "controls/text_label.h"
#include "support/control_table_check.h"
#include "viewer_fixture.h"
#include "viewer_window/scroll_box.h"

using namespace testsupport;

class ViewerLayout : public ::testing::Test
{
protected:
    catalogue::CatalogueData data;
    CurrentEntry entry{data};
    loading::Loader loader;
    QWidget catalogueWindow;
    TForm2 form{entry, loader, catalogueWindow};

    // Shown, so that the scrolling view has laid out its client area; showing runs no open step.
    void SetUp() override { form.show(); }
};

TEST_F(ViewerLayout, EveryControlLiesWhereTheDesignPutsItAndTheStripTheBarAndTheViewFollowTheWindow)
{
    ASSERT_EQ(form.size(), QSize(800, 547));
    expectDesignPlaces(form, {
                                 {"Panel1", "", {0, 0, 800, 20}},
                                 {"Image2", "Panel1", {0, 0, 800, 20}},
                                 {"Imagesvernut", "Panel1", {752, 0, 21, 20}},
                                 {"Imagezakryt", "Panel1", {773, 0, 20, 20}},
                                 {"ScrollBox1", "", {0, 20, 800, 483}},
                                 {"Image1", "ScrollBox1", {0, 0, 737, 337}},
                                 {"ProgressBar1", "ScrollBox1", {0, 0, 796, 25}},
                                 {"Panel2", "", {0, 503, 800, 44}},
                                 {"niz", "Panel2", {0, -2, 800, 44}},
                                 {"Label2", "Panel2", {5, 22, 0, 0}},
                                 {"LabelSize", "Panel2", {112, 24, 0, 0}},
                                 {"Label4", "Panel2", {172, 22, 0, 0}},
                                 {"LabelDimention", "Panel2", {338, 24, 0, 0}},
                                 {"LabelMestoGod", "Panel2", {5, 5, 468, 15}},
                                 {"prev1", "Panel2", {483, 9, 29, 27}},
                                 {"ff1", "Panel2", {525, 9, 29, 27}},
                                 {"Imageplus", "Panel2", {569, 7, 36, 34}},
                                 {"Imageminus", "Panel2", {613, 6, 36, 34}},
                                 {"Imagenaekran", "Panel2", {665, 7, 35, 33}},
                                 {"Imageistinnyy", "Panel2", {719, 7, 37, 32}},
                                 {"prev2", "Panel2", {481, 5, 32, 33}},
                                 {"ff2", "Panel2", {523, 5, 32, 34}},
                                 {"Imageplus2", "Panel2", {568, 5, 33, 33}},
                                 {"Imageminus2", "Panel2", {612, 5, 34, 33}},
                                 {"Imagenaekran2", "Panel2", {663, 5, 37, 33}},
                                 {"Imageistinnyy2", "Panel2", {718, 5, 38, 33}},
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

TEST_F(ViewerLayout, ButtonsShowTheHandOnlyZoomInAndTheHoversHideAndTheCaptionsAreWhite)
{
    TForm2& f = form;
    const std::vector<QWidget*> hovers = {f.previousHover, f.nextHover, f.zoomInHover,
                                          f.zoomOutHover,  f.fitHover,  f.actualSizeHover};
    const std::vector<QWidget*> plain = {f.previousButton, f.nextButton, f.zoomInButton,
                                         f.zoomOutButton,  f.fitButton,  f.actualSizeButton};
    for (std::size_t i = 0; i < plain.size(); ++i) {
        SCOPED_TRACE(plain[i]->objectName().toStdString());
        EXPECT_EQ(plain[i]->isHidden(), plain[i] == f.zoomInButton);
        EXPECT_TRUE(hovers[i]->isHidden());
        EXPECT_EQ(plain[i]->cursor().shape(), Qt::PointingHandCursor);
        EXPECT_EQ(hovers[i]->cursor().shape(), Qt::PointingHandCursor);
        // Over the bar's artwork, under the place and year; each hover over its plain button.
        const QList<QObject*> bar = f.controlBar->children();
        EXPECT_LT(bar.indexOf(f.controlBarBackground), bar.indexOf(plain[i]));
        EXPECT_LT(bar.indexOf(plain[i]), bar.indexOf(hovers[i]));
        EXPECT_LT(bar.indexOf(hovers[i]), bar.indexOf(f.titleAndYearLabel));
    }
    for (QWidget* hand : {f.minimiseButton, f.closeButton})
        EXPECT_EQ(hand->cursor().shape(), Qt::PointingHandCursor);
    EXPECT_FALSE(f.progressBar->isHidden());
    const struct
    {
        controls::TextLabel* label;
        int height;
        bool bold;
    } labels[] = {{f.fileSizeCaption, 15, true},
                  {f.fileSizeLabel, 12, false},
                  {f.dimensionsCaption, 15, true},
                  {f.dimensionsLabel, 12, false},
                  {f.titleAndYearLabel, 12, true}};
    for (const auto& [label, height, bold] : labels) {
        SCOPED_TRACE(label->objectName().toStdString());
        EXPECT_EQ(label->font().pixelSize(), height);
        EXPECT_EQ(label->font().bold(), bold);
        EXPECT_EQ(label->textColour(), QColor(Qt::white));
    }
    EXPECT_EQ(f.fileSizeCaption->caption(), QStringLiteral("Объём файла:"));
    EXPECT_EQ(f.dimensionsCaption->caption(), QStringLiteral("Размер изображения:"));
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
