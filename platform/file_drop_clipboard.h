#pragma once

#include <QString>
#include <string>
#include <vector>

class QMimeData;

namespace platform {

/// The Windows DROPFILES block for one single-byte path: a 20-byte header (file-list offset 20, drop point 0,0,
/// non-client flag 0, wide flag 0), the path's bytes, and two zero bytes.
std::vector<unsigned char> buildDropFilesBlock(const std::string& pathBytes);

/// Clipboard data that makes file managers paste a copy of the file: text/uri-list and x-special/gnome-copied-files.
QMimeData* makeFileDropMimeData(const QString& absolutePath);

/// Puts one file on the clipboard as a file list. Raises AppError "Cannot open clipboard" when there is none.
void CopyFileToClipboard(const QString& absolutePath);

} // namespace platform
