// Zoom out and in along the step table, fit to screen, actual size, the wheel, and the view reset and centring that
// frame every zoom.
#include <algorithm>

#include "controls/picture_control.h"
#include "viewer_window/scroll_box.h"
#include "viewer_window/tform2.h"
#include "viewer_window/viewer_state.h"

void TForm2::viewReset()
{
    ScrollBox1->setVerticalPosition(0);
    ScrollBox1->setHorizontalPosition(0);
    Image1->move(0, 0);
}

void TForm2::centre()
{
    // The view's outer size counts, frame included; a control as large as the view or larger keeps its place.
    QPoint place = Image1->pos();
    if (ScrollBox1->width() > Image1->width())
        place.setX(viewer::centredOffset(ScrollBox1->width(), Image1->width()));
    if (ScrollBox1->height() > Image1->height())
        place.setY(viewer::centredOffset(ScrollBox1->height(), Image1->height()));
    Image1->move(place);
}

void TForm2::ImageminusClick()
{
    ViewerState& state = viewerState();
    viewReset();
    Imageplus->show();
    // Step 10 is the last step: the wheel may ask for more, and then nothing changes.
    if (Image1->width() > viewer::MinZoomOutWidth && state.ZoomIndex < viewer::StepCount) {
        state.ZoomIndex += 1;
        const int percent = state.ZoomSteps[state.ZoomIndex];
        Image1->setAutoSize(false);
        Image1->setStretch(true);
        Image1->resize(viewer::scaledSize(Image1->width(), percent), Image1->height());
        Image1->resize(Image1->width(), viewer::scaledSize(Image1->height(), percent));
        Image1->setProportional(true);
        if (viewer::zoomOutHidesButtons(state.ZoomIndex, Image1->width(), state.ZoomSteps)) {
            Imageminus->hide();
            Imageminus2->hide();
        }
        state.StepHeights[state.ZoomIndex] = Image1->height();
        state.StepWidths[state.ZoomIndex] = Image1->width();
    }
    centre();
}

void TForm2::ImageplusClick()
{
    ViewerState& state = viewerState();
    viewReset();
    state.ZoomIndex = std::max(1, state.ZoomIndex - 1);
    Imageminus->show();
    Image1->setAutoSize(false);
    Image1->setStretch(true);
    Image1->resize(state.StepWidths[state.ZoomIndex], state.StepHeights[state.ZoomIndex]);
    Image1->setProportional(true);
    if (state.ZoomIndex == 1) {
        Imageplus->hide();
        Imageplus2->hide();
        Image1->setAutoSize(true);
    }
    centre();
}

void TForm2::ImageistinnyyClick()
{
    ViewerState& state = viewerState();
    viewReset();
    state.ZoomIndex = 1;
    Imageminus->show();
    Image1->setAutoSize(false);
    Image1->setStretch(true);
    Image1->resize(state.StepWidths[1], state.StepHeights[1]);
    Image1->setProportional(true);
    Imageplus->hide();
    Image1->setAutoSize(true);
    centre();
}

void TForm2::ImagenaekranClick()
{
    ViewerState& state = viewerState();
    viewReset();
    Imageminus->show();
    Image1->setAutoSize(false);
    Image1->resize(std::max(0, ScrollBox1->width() - 7), std::max(0, ScrollBox1->height() - 7));
    Image1->setProportional(true);
    Image1->setCenter(true);
    const int percent = viewer::fitPercent(Image1->height(), state.StepHeights[1]);
    Image1->move((ScrollBox1->width() - Image1->width()) / 2, (ScrollBox1->height() - Image1->height()) / 2);
    state.ZoomIndex = viewer::zoomIndexForFit(percent, state.ZoomIndex);
    if (state.ZoomIndex > 1)
        Imageplus->show();
}

void TForm2::FormMouseWheel(int delta)
{
    ViewerState& state = viewerState();
    state.ZoomIndex = viewer::wheelZoomIndex(state.ZoomIndex);
    if (delta < 0)
        ImageminusClick();
    else if (delta > 0)
        ImageplusClick();
}
