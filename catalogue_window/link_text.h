#pragma once

#include <QString>

namespace catalogue_window {

/// A link row's text is a link when it begins with "http" (lower case, as the about files write addresses) and is
/// a well-formed http or https address; anything else is plain text and is never handed to the desktop.
bool isLinkRowText(const QString& text);

} // namespace catalogue_window
