#include "catalogue_window/link_text.h"

#include "desktop/shell_open.h"

namespace catalogue_window {

QString linkRowAddress(const QString& text)
{
    qsizetype end = text.size();
    while (end > 0 && (text[end - 1] == QLatin1Char(' ') || text[end - 1] == QLatin1Char('\t')))
        --end;
    const QString address = text.left(end);
    if (address.startsWith(QLatin1String("http")) && desktop::isWebAddress(address))
        return address;
    return {};
}

bool isLinkRowText(const QString& text)
{
    return !linkRowAddress(text).isEmpty();
}

} // namespace catalogue_window
