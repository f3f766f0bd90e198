// The viewer's keys beyond Esc, Left and Right: plus and minus zoom in and out as their buttons do (and only while
// they are on show), 0 or Ctrl+0 gives the actual size, F fits the map to the screen; Up and Down, Shift with Left
// and Right, Page Up and Page Down, Home and End pan the view.
#include <QKeyEvent>
#include <algorithm>
#include <climits>

#include "controls/picture_control.h"
#include "desktop/error_report.h"
#include "viewer_window/scroll_box.h"
#include "viewer_window/tform2.h"

namespace {

/// The arrows pan a tenth of the view, Page Up and Page Down most of it, keeping a strip of what was in view.
int arrowStep(int viewExtent)
{
    return std::max(1, viewExtent / 10);
}

int pageStep(int viewExtent)
{
    return std::max(1, viewExtent - arrowStep(viewExtent));
}

} // namespace

bool TForm2::viewKey(int key, Qt::KeyboardModifiers modifiers)
{
    const QSize view = mapView->viewport()->size();
    const bool shift = modifiers & Qt::ShiftModifier;
    auto panBy = [this](int dx, int dy) {
        mapView->setHorizontalPosition(mapView->horizontalPosition() + dx);
        mapView->setVerticalPosition(mapView->verticalPosition() + dy);
    };
    switch (key) {
    case Qt::Key_Plus:
    case Qt::Key_Equal:
        if (!zoomInButton->isHidden())
            zoomIn();
        return true;
    case Qt::Key_Minus:
        if (!zoomOutButton->isHidden())
            zoomOut();
        return true;
    case Qt::Key_0:
        showActualSize();
        return true;
    case Qt::Key_F:
        fitToScreen();
        return true;
    case Qt::Key_Up:
        panBy(0, -arrowStep(view.height()));
        return true;
    case Qt::Key_Down:
        panBy(0, arrowStep(view.height()));
        return true;
    case Qt::Key_Left:
    case Qt::Key_Right:
        if (!shift)
            return false; // the arrows alone step through the maps
        panBy(key == Qt::Key_Left ? -arrowStep(view.width()) : arrowStep(view.width()), 0);
        return true;
    case Qt::Key_PageUp:
        panBy(0, -pageStep(view.height()));
        return true;
    case Qt::Key_PageDown:
        panBy(0, pageStep(view.height()));
        return true;
    case Qt::Key_Home:
        panBy(-INT_MAX / 2, -INT_MAX / 2); // the view stops at the map's top left corner
        return true;
    case Qt::Key_End:
        panBy(INT_MAX / 2, INT_MAX / 2);
        return true;
    default:
        return false;
    }
}

bool TForm2::handleViewKey(QKeyEvent* event)
{
    bool handled = false;
    desktop::runGuarded([&] { handled = viewKey(event->key(), event->modifiers()); });
    if (handled)
        event->accept();
    return handled;
}
