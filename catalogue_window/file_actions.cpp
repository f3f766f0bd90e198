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

void TForm1::openInViewer()
{
    ImageMapClick();
}

void TForm1::openHiddenFile()
{
    const QString absolute = QFileInfo(platform::resolveDataPath(HiddenItemFile)).absoluteFilePath();
    platform::shellOpen(QUrl::fromLocalFile(absolute));
}

void TForm1::savePreview()
{
    // Without a picture, most often the preview could not be read (a damaged disc): say which one.
    const bool previewMissing = catalogue::isMapCategory(m_data.CurrentCategory) && !m_lastPreviewPath.isEmpty();
    platform::savePictureAs(this, previewBytes,
                            previewMissing
                                ? QStringLiteral("Рисунок %1 не загружен: сохранять нечего.").arg(m_lastPreviewPath)
                                : QStringLiteral("Нет рисунка для сохранения."));
}

void TForm1::copyMapFile()
{
    if (m_lastMapPath.isEmpty() || !platform::dataFileExists(m_lastMapPath))
        return;
    platform::CopyFileToClipboard(QFileInfo(platform::resolveDataPath(m_lastMapPath)).absoluteFilePath());
}

void TForm1::openPublisherSite()
{
    platform::shellOpen(QUrl(PublisherSite));
}
