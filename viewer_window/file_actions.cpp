// The picture's context menu (save, copy, close) and the title strip's window buttons.
#include "current_entry/current_entry.h"
#include "desktop/failure_text.h"
#include "desktop/file_drop_clipboard.h"
#include "desktop/save_dialog.h"
#include "files/data_files.h"
#include "viewer_window/tform2.h"

void TForm2::saveMap()
{
    const failure::Result<void> saved = desktop::savePictureAs(
        this, m_mapBytes, QStringLiteral("Карта %1 не загружена: сохранять нечего.").arg(m_entry.mapPath()));
    if (!saved)
        desktop::reportFailure(desktop::Action::SavePicture, saved.error());
}

void TForm2::copyMapFile()
{
    // The map of the catalogue's current row, also when it could not be shown; a missing file copies nothing.
    if (!files::dataFileExists(m_entry.mapPath()))
        return;
    const failure::Result<void> copied = desktop::CopyFileToClipboard(files::resolveDataPath(m_entry.mapPath()));
    if (!copied)
        desktop::reportFailure(desktop::Action::CopyFile, copied.error());
}

void TForm2::closeViewer()
{
    close();
}

void TForm2::minimiseProgram()
{
    // The catalogue window is the program's main window: minimising it takes the viewer along.
    if (QWidget* grabber = QWidget::mouseGrabber())
        grabber->releaseMouse();
    m_catalogueWindow.showMinimized();
}
