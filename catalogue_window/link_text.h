#pragma once

#include <QString>

namespace catalogue_window {

/// The web address a link row's text stands for: the text without its trailing spaces and tabs (which about files
/// often carry), when that begins with "http" (lower case, as the about files write addresses) and is a well-formed
/// http or https address; empty for anything else, which is plain text and is never handed to the desktop.
QString linkRowAddress(const QString& text);

/// True when a link row's text is a link (linkRowAddress is not empty).
bool isLinkRowText(const QString& text);

} // namespace catalogue_window
