#include "desktop/file_drop_clipboard.h"

#include <QClipboard>
#include <QFileInfo>
#include <QGuiApplication>
#include <QMimeData>
#include <QUrl>

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

failure::Result<void> CopyFileToClipboard(const QString& absolutePath)
{
    QClipboard* clipboard =
        qobject_cast<QGuiApplication*>(QCoreApplication::instance()) ? QGuiApplication::clipboard() : nullptr;
    if (!clipboard)
        return failure::Failure{failure::What::ClipboardRefused, absolutePath.toStdString(), {}, {}};
    // The clipboard owns the data from here on.
    clipboard->setMimeData(makeFileDropMimeData(absolutePath));
    return {};
}

failure::Result<void> copyCollectionFile(const QString& relativePath)
{
    if (relativePath.isEmpty() || !files::dataFileExists(relativePath))
        return {};
    return CopyFileToClipboard(QFileInfo(files::resolveDataPath(relativePath)).absoluteFilePath());
}

} // namespace desktop
