#include "desktop/shell_open.h"

#include <QDesktopServices>

namespace desktop {
namespace {

ShellOpenHook& hook()
{
    static ShellOpenHook current;
    return current;
}

} // namespace

void setShellOpenHook(ShellOpenHook newHook)
{
    hook() = std::move(newHook);
}

void shellOpen(const QUrl& url)
{
    if (hook()) {
        hook()(url);
        return;
    }
    // The desktop shows its own message when nothing can open the address; the answer is not examined.
    QDesktopServices::openUrl(url);
}

bool isWebAddress(const QString& text)
{
    if (text.isEmpty() || text.contains(QLatin1Char(' ')))
        return false;
    for (const QChar c : text) {
        if (c.isSpace() || c.category() == QChar::Other_Control)
            return false;
    }
    const QUrl url(text, QUrl::StrictMode);
    if (!url.isValid())
        return false;
    const QString scheme = url.scheme().toLower();
    return (scheme == QLatin1String("http") || scheme == QLatin1String("https")) && !url.host().isEmpty();
}

} // namespace desktop
