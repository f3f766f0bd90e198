#pragma once

#include <QString>
#include <optional>

namespace catalogue_window {

/// The collection-relative path of an article file named in the catalogue ("Articles/<name>", backslashes turned
/// into '/'); "Articles/" itself for an empty name. nullopt when the name would lead out of the Articles folder: an
/// absolute path, a drive prefix, or a ".." component.
std::optional<QString> articleRelativePath(const QString& fileName);

} // namespace catalogue_window
