// Zoom out and in along the step table, fit to screen, actual size, the wheel, and the place kept and the centring that
// frame every zoom.
#include <algorithm>

#include "controls/picture_control.h"
#include "viewer_window/scroll_box.h"
#include "viewer_window/tform2.h"
#include "viewer_window/viewer_state.h"

namespace {

// A place in the view's client area and the point of the map drawn there, as a share of the drawn picture's width
// and height (a place beside a picture smaller than the view takes the picture's nearest edge).
struct KeptPoint
{
    QPoint inView;
    QPointF share;
};

KeptPoint pointAt(const ScrollBox& view, const controls::PictureControl& picture, QPoint inView)
{
    const QRectF drawn = picture.drawnRect();
    const QPointF onControl = picture.mapFrom(view.viewport(), inView);
    const auto share = [](qreal at, qreal start, qreal length) {
        return length > 0 ? std::clamp((at - start) / length, 0.0, 1.0) : 0.0;
    };
    return {inView, QPointF(share(onControl.x(), drawn.left(), drawn.width()),
                            share(onControl.y(), drawn.top(), drawn.height()))};
}

// Scrolls the view so that the point is back at its place, as near as the scroll range allows.
void bringBack(ScrollBox& view, const controls::PictureControl& picture, const KeptPoint& point)
{
    const QRectF drawn = picture.drawnRect();
    const QPointF onControl(drawn.left() + point.share.x() * drawn.width(),
                            drawn.top() + point.share.y() * drawn.height());
    // The control's place is relative to the scrolled origin.
    const QPointF scroll = QPointF(picture.pos()) + onControl - QPointF(point.inView);
    view.setHorizontalPosition(qRound(scroll.x()));
    view.setVerticalPosition(qRound(scroll.y()));
}

} // namespace

QPoint TForm2::viewCentre() const
{
    return mapView->viewport()->rect().center();
}

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

void TForm2::zoomKeeping(QPoint inView, void (TForm2::*change)())
{
    if (!mapPicture->hasPicture())
        return; // an empty view (a map that failed) has nothing to zoom
    const KeptPoint kept = pointAt(*mapView, *mapPicture, inView);
    mapPicture->move(0, 0); // a picture centred while smaller than the view starts from the corner again
    (this->*change)();
    centre();
    bringBack(*mapView, *mapPicture, kept);
}

void TForm2::zoomOut()
{
    zoomKeeping(viewCentre(), &TForm2::stepOut);
}

void TForm2::zoomIn()
{
    zoomKeeping(viewCentre(), &TForm2::stepIn);
}

void TForm2::showActualSize()
{
    zoomKeeping(viewCentre(), &TForm2::stepToActualSize);
}

void TForm2::stepOut()
{
    ViewerState& state = viewerState();
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
}

void TForm2::stepIn()
{
    ViewerState& state = viewerState();
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
}

void TForm2::stepToActualSize()
{
    ViewerState& state = viewerState();
    state.ZoomIndex = 1;
    zoomOutButton->show();
    mapPicture->setAutoSize(false);
    mapPicture->setStretch(true);
    mapPicture->resize(state.StepWidths[1], state.StepHeights[1]);
    mapPicture->setProportional(true);
    zoomInButton->hide();
    mapPicture->setAutoSize(true);
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

void TForm2::zoomByWheel(int delta, std::optional<QPoint> pointer)
{
    ViewerState& state = viewerState();
    state.ZoomIndex = viewer::wheelZoomIndex(state.ZoomIndex);
    // Over the picture the wheel keeps the point under the pointer; elsewhere (a scroll bar, the control bar) the one
    // at the view's centre, as the buttons do.
    const bool overView = pointer && mapView->viewport()->rect().contains(*pointer);
    const QPoint at = overView ? *pointer : viewCentre();
    if (delta < 0)
        zoomKeeping(at, &TForm2::stepOut);
    else if (delta > 0)
        zoomKeeping(at, &TForm2::stepIn);
}
