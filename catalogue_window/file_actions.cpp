// The preview's context menu (open, save, copy) and the publisher's logo.
#include <QFileInfo>
#include <QUrl>

#include "catalogue/categories.h"
#include "catalogue_window/tform1.h"
#include "desktop/failure_text.h"
#include "desktop/file_drop_clipboard.h"
#include "desktop/save_dialog.h"
#include "desktop/shell_open.h"
#include "files/data_files.h"

namespace {

const QString PublisherSite = QStringLiteral("https://example.org/");
const QString HiddenItemFile = QStringLiteral("left.jpg");

} // namespace

void TForm1::openInViewer()
{
    ImageMapClick();
}

void TForm1::openHiddenFile()
{
    const QString absolute = QFileInfo(files::resolveDataPath(HiddenItemFile)).absoluteFilePath();
    desktop::shellOpen(QUrl::fromLocalFile(absolute));
}

void TForm1::savePreview()
{
    // Without a picture, most often the preview could not be read (a damaged disc): say which one.
    const bool previewMissing = catalogue::isMapCategory(m_entry.category()) && !m_lastPreviewPath.isEmpty();
    const failure::Result<void> saved = desktop::savePictureAs(
        this, previewBytes,
        previewMissing
            ? QStringLiteral("Рисунок %1 не загружен: сохранять нечего.").arg(desktop::shownFileName(m_lastPreviewPath))
            : QStringLiteral("Нет рисунка для сохранения."));
    if (!saved)
        desktop::reportFailure(desktop::Action::SavePicture, saved.error());
}

void TForm1::copyMapFile()
{
    if (const failure::Result<void> copied = desktop::copyCollectionFile(m_lastMapPath); !copied)
        desktop::reportFailure(desktop::Action::CopyFile, copied.error());
}

void TForm1::openPublisherSite()
{
    desktop::shellOpen(QUrl(PublisherSite));
}
