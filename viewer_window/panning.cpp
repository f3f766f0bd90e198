// Panning with the hand cursors, the hover images of the control bar, the keys and the wheel.
#include <QCloseEvent>
#include <QKeyEvent>
#include <QWheelEvent>
#include <cstdlib>
#include <optional>

#include "controls/cursors.h"
#include "controls/picture_control.h"
#include "desktop/error_report.h"
#include "viewer_window/scroll_box.h"
#include "viewer_window/tform2.h"
#include "viewer_window/viewer_state.h"

namespace {

// The pointer's own cursor: a hand over the picture, the default over the bars. The hourglass of an opening stays
// instead, whatever the pointer does, until the opening ends (finishOpening puts the default back).
void showPointerCursor(const viewer::MapDocument& document, std::optional<int> hand)
{
    if (document.isOpening())
        return;
    if (hand)
        controls::setScreenCursor(controls::screenCursor(*hand));
    else
        controls::setScreenCursorDefault();
}

} // namespace

void TForm2::pictureMouseDown(Qt::MouseButton button, QPoint pos)
{
    if (button != Qt::LeftButton)
        return;
    ViewerState& state = viewerState();
    state.DragStartX = pos.x();
    state.DragStartY = pos.y();
    showPointerCursor(m_document, controls::GrabbingHand);
}

void TForm2::pictureMouseMove(Qt::MouseButtons buttons, QPoint pos)
{
    hideHoverImages();
    if (!(buttons & Qt::LeftButton))
        return;
    // The start point stays: scrolling moves the picture under the pointer, so the grabbed point follows it.
    const ViewerState& state = viewerState();
    mapView->setVerticalPosition(mapView->verticalPosition() + (state.DragStartY - pos.y()));
    mapView->setHorizontalPosition(mapView->horizontalPosition() + (state.DragStartX - pos.x()));
}

void TForm2::pictureMouseUp(Qt::MouseButton button, QPoint)
{
    if (button != Qt::LeftButton)
        return;
    showPointerCursor(m_document, controls::OpenHand);
}

void TForm2::showHoverImage(controls::PictureControl* hoverImage)
{
    hoverImage->show();
}

void TForm2::controlBarMouseMove()
{
    showPointerCursor(m_document, std::nullopt);
    hideHoverImages();
}

void TForm2::titleStripMouseMove()
{
    showPointerCursor(m_document, std::nullopt);
}

void TForm2::hideHoverImages()
{
    for (controls::PictureControl* hover :
         {previousHover, nextHover, zoomInHover, zoomOutHover, fitHover, actualSizeHover})
        hover->hide();
}

void TForm2::FormKeyDown(int key)
{
    if (key == Qt::Key_Escape)
        close();
    else if (key == Qt::Key_Right && !nextButton->isHidden())
        stepToNext();
    else if (key == Qt::Key_Left && !previousButton->isHidden())
        stepToPrevious();
}

void TForm2::keyPressEvent(QKeyEvent* event)
{
    if (handleViewKey(event))
        return;
    const int key = event->key();
    if (key != Qt::Key_Escape && key != Qt::Key_Right && key != Qt::Key_Left) {
        QWidget::keyPressEvent(event);
        return;
    }
    event->accept();
    desktop::runGuarded([&] { FormKeyDown(key); });
}

void TForm2::wheelEvent(QWheelEvent* event)
{
    // One zoom step per notch, however finely the device divides it.
    const int notches = m_wheelNotches.add(event->angleDelta().y());
    const int delta = notches < 0 ? -viewer::WheelNotch : viewer::WheelNotch;
    const QPoint pointer = mapView->viewport()->mapFrom(this, event->position().toPoint());
    for (int i = 0; i < std::abs(notches); ++i)
        desktop::runGuarded([&] { zoomByWheel(delta, pointer); });
}

void TForm2::closeEvent(QCloseEvent* event)
{
    // No hand left behind by a drag may stay over the catalogue window.
    controls::setScreenCursorDefault();
    // Nothing read or decoded for this window goes on once it is closed, nor waits for anything: the jobs end within
    // a piece of work on their own, and what they post is dropped.
    m_document.stop();
    m_loader.stopAll();
    QWidget::closeEvent(event);
}
