// The picture's context menu (save, copy, close) and the title strip's window buttons.
#include "current_entry/current_entry.h"
#include "desktop/error_report.h"
#include "desktop/file_drop_clipboard.h"
#include "desktop/main_window.h"
#include "desktop/save_dialog.h"
#include "viewer_window/tform2.h"

void TForm2::saveMap()
{
    desktop::savePictureAs(this, m_mapBytes,
                           QStringLiteral("Карта %1 не загружена: сохранять нечего.").arg(m_entry.mapPath()));
}

void TForm2::copyMapFile()
{
    // The map of the catalogue's current row, also when it could not be shown.
    desktop::copyCollectionFile(m_entry.mapPath());
}

void TForm2::closeViewer()
{
    close();
}

void TForm2::minimiseProgram()
{
    desktop::minimiseProgram(m_catalogueWindow);
}
