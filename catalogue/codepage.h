#pragma once

#include <cstddef>
#include <string>
#include <string_view>

#include "failure/result.h"

namespace catalogue {

/// Converts code page 1251 bytes to UTF-8. Every byte maps (0x98 included).
std::string cp1251ToUtf8(std::string_view bytes);
/// Converts UTF-8 to code page 1251; characters without a code page 1251 form become '?'.
std::string utf8ToCp1251(std::string_view utf8);

/// A catalogue or about file's text as code page 1251 bytes, the form the tables keep.
struct Cp1251Text
{
    std::string bytes;
    bool fromUtf8 = false;    ///< the file was UTF-8 and was converted
    std::size_t unmapped = 0; ///< characters of a UTF-8 file that code page 1251 lacks, each now '?'
};

/// A file that starts with a UTF-8 byte-order mark, or is valid UTF-8 and holds a byte above 0x7F, was saved as UTF-8
/// (as modern editors save): it is converted and its mark dropped. Any other file is code page 1251 already and comes
/// back unchanged; no code page 1251 text with a Cyrillic letter in it is valid UTF-8, and pure ASCII is both.
Cp1251Text fileTextAsCp1251(std::string_view file);

/// Opens ICU's code page 1251 converter once to see that it is there, or fails with ConverterUnavailable. The
/// conversions need it: without it they end the process (the program checks it at its start).
failure::Result<void> checkCp1251();

} // namespace catalogue
