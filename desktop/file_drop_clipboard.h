#pragma once

#include <QString>

#include "failure/result.h"

class QMimeData;

namespace desktop {

/// Clipboard data that makes file managers paste a copy of the file: text/uri-list and x-special/gnome-copied-files.
QMimeData* makeFileDropMimeData(const QString& absolutePath);

/// Puts one file on the clipboard as a file list, or fails with ClipboardRefused when there is no clipboard.
failure::Result<void> CopyFileToClipboard(const QString& absolutePath);

} // namespace desktop
