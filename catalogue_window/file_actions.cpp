// The preview's context menu (open, save, copy) and the publisher's logo.
#include <QFileInfo>
#include <QUrl>

#include "catalogue/categories.h"
#include "catalogue_window/tform1.h"
#include "platform/data_files.h"
#include "platform/error_report.h"
#include "platform/file_drop_clipboard.h"
#include "platform/save_dialog.h"
#include "platform/shell_open.h"

namespace {

const QString PublisherSite = QStringLiteral("https://example.org/");
const QString HiddenItemFile = QStringLiteral("left.jpg");

} // namespace

void TForm1::bvnnhgn1Click()
{
    ImageMapClick();
}

void TForm1::gnhgnhg1Click()
{
    const QString absolute = QFileInfo(platform::resolveDataPath(HiddenItemFile)).absoluteFilePath();
    platform::shellOpen(QUrl::fromLocalFile(absolute));
}

void TForm1::oiloiloi1Click()
{
    // Writing an empty file would report a save that saved nothing.
    if (ImageMapBytes.isEmpty()) {
        // Most often the preview could not be read (a damaged disc): say which one.
        if (catalogue::isMapCategory(data.CurrentCategory) && !CurrentPreviewPath.isEmpty())
            throw platform::AppError(
                QStringLiteral("Рисунок %1 не загружен: сохранять нечего.").arg(CurrentPreviewPath));
        throw platform::AppError(QStringLiteral("Нет рисунка для сохранения."));
    }
    // The dialog has already asked before replacing the file the save writes (the name with ".jpg" added).
    const std::optional<QString> chosen = platform::askSaveFileName(this);
    if (!chosen)
        return;
    platform::writeFileBytes(platform::saveTargetName(*chosen), ImageMapBytes);
}

void TForm1::N1Click()
{
    if (CurrentMapPath.isEmpty() || !platform::dataFileExists(CurrentMapPath))
        return;
    platform::CopyFileToClipboard(QFileInfo(platform::resolveDataPath(CurrentMapPath)).absoluteFilePath());
}

void TForm1::Image4Click()
{
    platform::shellOpen(QUrl(PublisherSite));
}
