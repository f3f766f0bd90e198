#include "collation.h"

#include <stdexcept>
#include <string>

#include <unicode/ucol.h>

#include "codepage_table.h"

namespace catalogue {

namespace {

// Hyphen, apostrophes and the soft hyphen are made ignorable up to the tertiary level, so that at secondary
// strength they only decide between otherwise equal texts, as the word sort the catalogue was made with does.
// Space and "@" stay significant: the sort keys join their fields with "@".
// The right single quote and the soft hyphen are given as characters: the rule parser does not unescape \u.
constexpr char16_t CatalogueRules[] = u"&[last tertiary ignorable] = '-' = \\' = \u2019 = \u00AD";

UCollator* openCollator()
{
    UErrorCode status = U_ZERO_ERROR;
    UParseError parseError{};
    UCollator* collator = ucol_openRules(reinterpret_cast<const UChar*>(CatalogueRules), -1, UCOL_DEFAULT,
                                         UCOL_SECONDARY, &parseError, &status);
    if (U_FAILURE(status) || !collator)
        throw std::runtime_error(std::string("Cannot open the catalogue collator: ") + u_errorName(status));
    return collator;
}

const UCollator* catalogueCollator()
{
    // Opened once for the process; kept until its end.
    static const UCollator* const collator = openCollator();
    return collator;
}

} // namespace

int compareCatalogueText(std::string_view a, std::string_view b)
{
    const UCollator* collator = catalogueCollator();
    const std::u16string left = cp1251ToUtf16(a);
    const std::u16string right = cp1251ToUtf16(b);
    const UCollationResult result =
        ucol_strcoll(collator, reinterpret_cast<const UChar*>(left.data()), static_cast<int32_t>(left.size()),
                     reinterpret_cast<const UChar*>(right.data()), static_cast<int32_t>(right.size()));
    return result == UCOL_LESS ? -1 : (result == UCOL_GREATER ? 1 : 0);
}

} // namespace catalogue
