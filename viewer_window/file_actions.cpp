// The picture's context menu (save, copy, close) and the title strip's window buttons.
#include "catalogue_window/tform1.h"
#include "platform/data_files.h"
#include "platform/error_report.h"
#include "platform/file_drop_clipboard.h"
#include "platform/save_dialog.h"
#include "viewer_window/tform2.h"

void TForm2::oiloiloi1Click()
{
    const std::optional<QString> chosen = platform::askSaveFileName(this);
    if (!chosen)
        return;
    // Without a map on show there is nothing to write; an empty file would pass for a saved map.
    if (m_mapBytes.isEmpty())
        throw platform::AppError(
            QStringLiteral("Карта %1 не загружена: сохранять нечего.").arg(form1.CurrentMapPath));
    platform::writeFileBytes(platform::saveTargetName(*chosen), m_mapBytes);
}

void TForm2::N1Click()
{
    // The map of the catalogue's current row, also when it could not be shown; a missing file copies nothing.
    if (!platform::dataFileExists(form1.CurrentMapPath))
        return;
    platform::CopyFileToClipboard(platform::resolveDataPath(form1.CurrentMapPath));
}

void TForm2::N2Click()
{
    close();
}

void TForm2::ImagesvernutClick()
{
    form1.Image1Click();
}

void TForm2::ImagezakrytClick()
{
    close();
}
