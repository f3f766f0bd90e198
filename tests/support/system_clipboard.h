#pragma once

#include <QList>
#include <QString>
#include <QUrl>

namespace testsupport {

// The system's clipboard as another program sees it. On Windows the program puts its file list straight on the
// Win32 clipboard, which Qt's clipboard of the offscreen platform never sees.

/// Puts text alone on the clipboard.
void setClipboardText(const QString& text);
/// The clipboard's text; empty when it holds none.
QString clipboardText();
/// The files on the clipboard as a file list (text/uri-list, CF_HDROP on Windows).
QList<QUrl> clipboardFiles();

} // namespace testsupport
