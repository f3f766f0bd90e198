#include "collation.h"

#include <cstdio>
#include <cstdlib>
#include <string>

#include <unicode/ucol.h>

#include "codepage.h"
#include "codepage_table.h"

namespace catalogue {

namespace {

// Hyphen, apostrophes and the soft hyphen are made ignorable up to the tertiary level, so that at secondary
// strength they only decide between otherwise equal texts, as the word sort the catalogue was made with does.
// Space and "@" stay significant: the sort keys join their fields with "@".
// The right single quote and the soft hyphen are given as characters: the rule parser does not unescape \u.
constexpr char16_t CatalogueRules[] = u"&[last tertiary ignorable] = '-' = \\' = \u2019 = \u00AD";

struct Opened
{
    const UCollator* collator = nullptr;
    UErrorCode status = U_ZERO_ERROR;
};

Opened openCollator(UCollationStrength strength)
{
    Opened opened;
    UParseError parseError{};
    opened.collator = ucol_openRules(reinterpret_cast<const UChar*>(CatalogueRules), -1, UCOL_DEFAULT, strength,
                                     &parseError, &opened.status);
    if (U_FAILURE(opened.status))
        opened.collator = nullptr;
    return opened;
}

const Opened& opened()
{
    // Opened once for the process; kept until its end.
    static const Opened collator = openCollator(UCOL_SECONDARY);
    return collator;
}

const UCollator* catalogueCollator(const Opened& which = opened())
{
    const UCollator* collator = which.collator;
    if (!collator) {
        // The program checks the collation at its start (checkCatalogueCollation): a fault of the caller.
        std::fprintf(stderr, "mapcatalogue: the catalogue collation is used but could not be opened\n");
        std::abort();
    }
    return collator;
}

} // namespace

failure::Result<void> checkCatalogueCollation()
{
    if (!opened().collator)
        return failure::Failure{failure::What::CollatorUnavailable, {}, u_errorName(opened().status), {}};
    return checkCp1251();
}

bool startsWithCatalogueText(std::u16string_view text, std::u16string_view prefix)
{
    static const Opened firstLevel = openCollator(UCOL_PRIMARY);
    const UCollator* collator = catalogueCollator(firstLevel);
    const auto* typed = reinterpret_cast<const UChar*>(prefix.data());
    const auto typedLength = static_cast<int32_t>(prefix.size());
    // The shortest start of text that compares equal; ignorable characters make it longer than the prefix. Once a
    // start compares greater, every longer one does too.
    for (std::size_t length = 0; length <= text.size(); ++length) {
        const UCollationResult result = ucol_strcoll(collator, reinterpret_cast<const UChar*>(text.data()),
                                                     static_cast<int32_t>(length), typed, typedLength);
        if (result == UCOL_EQUAL)
            return true;
        if (result == UCOL_GREATER)
            return false;
    }
    return false;
}

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
