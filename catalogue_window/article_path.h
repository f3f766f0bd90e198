#pragma once

#include <QString>
#include <optional>

namespace catalogue_window {

/// The collection-relative path of an article file named in the catalogue ("Articles/<name>", backslashes turned
/// into '/'); "Articles/" itself for an empty name. nullopt when the name would lead out of the Articles folder: an
/// absolute path, a drive prefix, or a ".." component.
std::optional<QString> articleRelativePath(const QString& fileName);

/// True when the file's name ends in one of the document and picture types an article may be (compared without regard
/// to letter case): only those are handed to the desktop's opener, which would run a program, script, shortcut or
/// launcher (.exe, .bat, .lnk, .url, .desktop) as readily as it shows a text.
bool isArticleType(const QString& fileName);

/// The article types as the user reads them in a message: "htm, html, txt, ...".
QString articleTypesText();

} // namespace catalogue_window
