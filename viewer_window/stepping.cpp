// Stepping to the next or previous map of the catalogue's list. A step moves the current entry; the catalogue window
// follows it (grid, row labels, detail panel), so it shows the map last viewed when the viewer closes, and the viewer
// shows the entry's map.
#include "catalogue/categories.h"
#include "controls/picture_control.h"
#include "current_entry/current_entry.h"
#include "desktop/failure_text.h"
#include "files/data_files.h"
#include "viewer_window/scroll_box.h"
#include "viewer_window/tform2.h"

void TForm2::stepToNext()
{
    previousButton->show();
    // The buttons and keys that step are hidden at the end of the list.
    Q_ASSERT(m_entry.row() + 1 < m_entry.rowCount());
    if (m_entry.row() + 1 < m_entry.rowCount())
        m_entry.setRow(m_entry.row() + 1);
}

void TForm2::stepToPrevious()
{
    nextButton->show();
    Q_ASSERT(m_entry.row() > 0);
    if (m_entry.row() > 0)
        m_entry.setRow(m_entry.row() - 1);
}

void TForm2::showEntry()
{
    // Only the viewer on show follows the entry: the start-up viewer is never shown.
    if (!isVisible() || !catalogue::isMapCategory(m_entry.category()))
        return;
    loadSteppedMap();
    hideStepButtonsAtTheEnds();
}

void TForm2::hideStepButtonsAtTheEnds()
{
    if (m_entry.row() == 0) {
        previousButton->hide();
        previousHover->hide();
    }
    if (m_entry.row() == m_entry.rowCount() - 1) {
        nextButton->hide();
        nextHover->hide();
    }
}

void TForm2::readNeighboursAhead()
{
    const int row = m_entry.row();
    if (!catalogue::isMapCategory(m_entry.category()))
        return m_loader.readAhead({}, 0);
    QStringList paths;
    const bool hasNext = row + 1 < m_entry.rowCount();
    if (hasNext)
        paths << m_entry.mapPathOfRow(row + 1);
    if (row > 0)
        paths << m_entry.mapPathOfRow(row - 1);
    // The rows in view at actual size, decoded ahead for the next map only: Right is the usual step.
    m_loader.readAhead(paths, hasNext ? mapView->height() : 0);
}

void TForm2::loadSteppedMap()
{
    if (files::dataFileExists(m_entry.mapPath()))
        FormActivate();
    else
        desktop::reportFailure(desktop::Action::StepToMap,
                               {failure::What::FileNotFound, m_entry.mapPath().toStdString(), {}, {}});
    showActualSize();
}
