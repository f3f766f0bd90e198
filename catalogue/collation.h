#pragma once

#include <string_view>

#include "failure/result.h"

namespace catalogue {

/// Compares two code page 1251 texts in catalogue order: case-insensitive, Latin before Cyrillic, "ё" beside "е",
/// digits before letters, space and "@" significant, hyphen and apostrophe nearly ignored.
/// Returns <0, 0 or >0.
/// The texts' code page and collation must be open (an ICU without them is a broken installation): a check.
int compareCatalogueText(std::string_view a, std::string_view b);

/// Whether text starts with prefix as the list's type-ahead reads them: at the catalogue order's first level, so
/// letter case, "ё" against "е" and the nearly ignored hyphen and apostrophe make no difference. An empty prefix
/// starts every text.
bool startsWithCatalogueText(std::u16string_view text, std::u16string_view prefix);

/// Opens the collation and the code page 1251 converter the catalogue needs, or fails (CollatorUnavailable,
/// ConverterUnavailable). The program checks it at its start; comparing or converting without them ends the process.
failure::Result<void> checkCatalogueCollation();

} // namespace catalogue
