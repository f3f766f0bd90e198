#include "desktop/file_drop_clipboard.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QMimeData>
#include <QUrl>

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

} // namespace desktop
