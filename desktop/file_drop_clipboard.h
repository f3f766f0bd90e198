#pragma once

#include <QString>

class QMimeData;

namespace desktop {

/// Clipboard data that makes file managers paste a copy of the file: text/uri-list and x-special/gnome-copied-files.
QMimeData* makeFileDropMimeData(const QString& absolutePath);

/// Puts one file on the clipboard as a file list. Raises AppError "Cannot open clipboard" when there is none.
void CopyFileToClipboard(const QString& absolutePath);

/// "Копировать файл" of both windows: puts a file of the collection (a collection-relative path) on the clipboard
/// as a file list; a missing file copies nothing.
void copyCollectionFile(const QString& relativePath);

} // namespace desktop
