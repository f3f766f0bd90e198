#pragma once

#include <QString>

#include "failure/result.h"

class QMimeData;

namespace desktop {

/// Clipboard data that makes file managers paste a copy of the file: text/uri-list and x-special/gnome-copied-files.
QMimeData* makeFileDropMimeData(const QString& absolutePath);

/// Puts one file on the clipboard as a file list, or fails with ClipboardRefused when there is no clipboard.
failure::Result<void> CopyFileToClipboard(const QString& absolutePath);

/// "Копировать файл" of both windows: puts a file of the collection (a collection-relative path) on the clipboard
/// as a file list; a missing file copies nothing.
failure::Result<void> copyCollectionFile(const QString& relativePath);

} // namespace desktop
