#include "catalogue_window/link_text.h"

#include "platform/shell_open.h"

namespace catalogue_window {

bool isLinkRowText(const QString& text)
{
    return text.startsWith(QLatin1String("http")) && platform::isWebAddress(text);
}

} // namespace catalogue_window
