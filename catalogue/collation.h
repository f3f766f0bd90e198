#pragma once

#include <string_view>

namespace catalogue {

/// Compares two code page 1251 texts in catalogue order: case-insensitive, Latin before Cyrillic, "ё" beside "е",
/// digits before letters, space and "@" significant, hyphen and apostrophe nearly ignored.
/// Returns <0, 0 or >0.
int compareCatalogueText(std::string_view a, std::string_view b);

} // namespace catalogue
