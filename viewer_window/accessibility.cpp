// What a screen reader is told of the map on show: the window and the picture are named by its title and year. The
// picture's zoom is its accessible value, announced by the control as it changes; the progress bar speaks its own.
#include "controls/accessible_control.h"
#include "controls/picture_control.h"
#include "desktop/guarded.h"
#include "viewer_window/tform2.h"

void TForm2::connectAccessibility()
{
    desktop::connectGuarded(&m_document, &viewer::MapDocument::changed, this, &TForm2::announceMap);
}

void TForm2::announceMap()
{
    const QString shown = m_document.shown().titleAndYear.trimmed();
    setWindowTitle(shown);
    controls::setAccessibleShown(mapPicture, shown);
}
