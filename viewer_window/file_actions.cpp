// The picture's context menu (save, copy, close) and the title strip's window buttons.
#include "catalogue_window/catalogue_selection.h"
#include "platform/data_files.h"
#include "platform/error_report.h"
#include "platform/file_drop_clipboard.h"
#include "platform/save_dialog.h"
#include "viewer_window/tform2.h"

void TForm2::oiloiloi1Click()
{
    platform::savePictureAs(this, m_mapBytes,
                            QStringLiteral("Карта %1 не загружена: сохранять нечего.").arg(form1.CurrentMapPath));
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
