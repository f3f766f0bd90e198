#pragma once

#include <QUrl>
#include <functional>

namespace desktop {

/// Asks the desktop to open a URL (a web address or a local file or folder) with its default application. The
/// answer is not examined. Tests install a hook that records the request instead.
void shellOpen(const QUrl& url);
using ShellOpenHook = std::function<void(const QUrl&)>;
void setShellOpenHook(ShellOpenHook hook);

/// True for a well-formed http or https address with a host.
bool isWebAddress(const QString& text);

} // namespace desktop
