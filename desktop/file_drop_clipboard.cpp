#include "desktop/file_drop_clipboard.h"

#include <QClipboard>
#include <QFileInfo>
#include <QGuiApplication>
#include <QMimeData>
#include <QUrl>

#include "desktop/error_report.h"
#include "files/data_files.h"

namespace desktop {

QMimeData* makeFileDropMimeData(const QString& absolutePath)
{
    const QUrl url = QUrl::fromLocalFile(absolutePath);
    auto* data = new QMimeData;
    data->setUrls({url});
    data->setData(QStringLiteral("x-special/gnome-copied-files"), QByteArray("copy\n") + url.toEncoded());
    data->setText(absolutePath);
    return data;
}

void CopyFileToClipboard(const QString& absolutePath)
{
    QClipboard* clipboard =
        qobject_cast<QGuiApplication*>(QCoreApplication::instance()) ? QGuiApplication::clipboard() : nullptr;
    if (!clipboard)
        throw AppError(QStringLiteral("Cannot open clipboard"));
    // The clipboard owns the data from here on.
    clipboard->setMimeData(makeFileDropMimeData(absolutePath));
}

void copyCollectionFile(const QString& relativePath)
{
    if (relativePath.isEmpty() || !files::dataFileExists(relativePath))
        return;
    CopyFileToClipboard(QFileInfo(files::resolveDataPath(relativePath)).absoluteFilePath());
}

} // namespace desktop
