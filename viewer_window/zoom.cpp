// Zoom out and in along the step table, fit to screen, actual size, the wheel, and the view reset and centring that
// frame every zoom.
#include <algorithm>

#include "controls/picture_control.h"
#include "viewer_window/scroll_box.h"
#include "viewer_window/tform2.h"
#include "viewer_window/viewer_state.h"

void TForm2::viewReset()
{
    mapView->setVerticalPosition(0);
    mapView->setHorizontalPosition(0);
    mapPicture->move(0, 0);
}

void TForm2::centre()
{
    // The view's outer size counts, frame included; a control as large as the view or larger keeps its place.
    QPoint place = mapPicture->pos();
    if (mapView->width() > mapPicture->width())
        place.setX(viewer::centredOffset(mapView->width(), mapPicture->width()));
    if (mapView->height() > mapPicture->height())
        place.setY(viewer::centredOffset(mapView->height(), mapPicture->height()));
    mapPicture->move(place);
}

void TForm2::zoomOut()
{
    if (!mapPicture->hasPicture())
        return; // an empty view (a map that failed) has nothing to zoom
    ViewerState& state = viewerState();
    viewReset();
    zoomInButton->show();
    // Step 10 is the last step: the wheel may ask for more, and then nothing changes.
    if (mapPicture->width() > viewer::MinZoomOutWidth && state.ZoomIndex < viewer::StepCount) {
        state.ZoomIndex += 1;
        const int percent = state.ZoomSteps[state.ZoomIndex];
        mapPicture->setAutoSize(false);
        mapPicture->setStretch(true);
        mapPicture->resize(viewer::scaledSize(mapPicture->width(), percent), mapPicture->height());
        mapPicture->resize(mapPicture->width(), viewer::scaledSize(mapPicture->height(), percent));
        mapPicture->setProportional(true);
        if (viewer::zoomOutHidesButtons(state.ZoomIndex, mapPicture->width(), state.ZoomSteps)) {
            zoomOutButton->hide();
            zoomOutHover->hide();
        }
        state.StepHeights[state.ZoomIndex] = mapPicture->height();
        state.StepWidths[state.ZoomIndex] = mapPicture->width();
    }
    centre();
}

void TForm2::zoomIn()
{
    if (!mapPicture->hasPicture())
        return; // an empty view (a map that failed) has nothing to zoom
    ViewerState& state = viewerState();
    viewReset();
    state.ZoomIndex = std::max(1, state.ZoomIndex - 1);
    zoomOutButton->show();
    mapPicture->setAutoSize(false);
    mapPicture->setStretch(true);
    mapPicture->resize(state.StepWidths[state.ZoomIndex], state.StepHeights[state.ZoomIndex]);
    mapPicture->setProportional(true);
    if (state.ZoomIndex == 1) {
        zoomInButton->hide();
        zoomInHover->hide();
        mapPicture->setAutoSize(true);
    }
    centre();
}

void TForm2::showActualSize()
{
    if (!mapPicture->hasPicture())
        return; // an empty view (a map that failed) has nothing to zoom
    ViewerState& state = viewerState();
    viewReset();
    state.ZoomIndex = 1;
    zoomOutButton->show();
    mapPicture->setAutoSize(false);
    mapPicture->setStretch(true);
    mapPicture->resize(state.StepWidths[1], state.StepHeights[1]);
    mapPicture->setProportional(true);
    zoomInButton->hide();
    mapPicture->setAutoSize(true);
    centre();
}

void TForm2::fitToScreen()
{
    if (!mapPicture->hasPicture())
        return; // an empty view (a map that failed) has nothing to zoom
    ViewerState& state = viewerState();
    viewReset();
    zoomOutButton->show();
    mapPicture->setAutoSize(false);
    mapPicture->resize(std::max(0, mapView->width() - 7), std::max(0, mapView->height() - 7));
    mapPicture->setProportional(true);
    mapPicture->setCenter(true);
    const int percent = viewer::fitPercent(mapPicture->height(), state.StepHeights[1]);
    mapPicture->move((mapView->width() - mapPicture->width()) / 2, (mapView->height() - mapPicture->height()) / 2);
    state.ZoomIndex = viewer::zoomIndexForFit(percent, state.ZoomIndex);
    if (state.ZoomIndex > 1)
        zoomInButton->show();
}

void TForm2::zoomByWheel(int delta)
{
    ViewerState& state = viewerState();
    state.ZoomIndex = viewer::wheelZoomIndex(state.ZoomIndex);
    if (delta < 0)
        zoomOut();
    else if (delta > 0)
        zoomIn();
}
