#pragma once

#include <QByteArray>
#include <QString>

#include "failure/result.h"

class QMimeData;

namespace desktop {

/// Clipboard data that makes file managers paste a copy of the file: text/uri-list and x-special/gnome-copied-files.
QMimeData* makeFileDropMimeData(const QString& absolutePath);

/// The clipboard's CF_HDROP block for one file, as Explorer's Copy makes it: a DROPFILES header (the list at offset 20,
/// drop point 0, 0, no non-client flag, wide names), the path with backslashes in UTF-16LE, a NUL that ends the name
/// and one that ends the list.
QByteArray dropFilesBlock(const QString& absolutePath);

/// Puts one file on the clipboard as a file list (on Windows CF_HDROP with the preferred drop effect "copy", so that
/// Paste in Explorer copies it), or fails with ClipboardRefused when the clipboard cannot be had (NoMemory when
/// Windows gives no memory for the block).
failure::Result<void> CopyFileToClipboard(const QString& absolutePath);

/// "Копировать файл" of both windows: puts a file of the collection (a collection-relative path) on the clipboard
/// as a file list; a missing file copies nothing.
failure::Result<void> copyCollectionFile(const QString& relativePath);

} // namespace desktop
