// The file list on the clipboard through Qt: the desktop's file managers read the URL formats.
#include <QClipboard>
#include <QGuiApplication>

#include "desktop/file_drop_clipboard.h"

namespace desktop {

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
