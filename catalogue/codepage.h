#pragma once

#include <string>
#include <string_view>

#include "failure/result.h"

namespace catalogue {

/// Converts code page 1251 bytes to UTF-8. Every byte maps (0x98 included).
std::string cp1251ToUtf8(std::string_view bytes);
/// Converts UTF-8 to code page 1251; characters without a code page 1251 form become '?'.
std::string utf8ToCp1251(std::string_view utf8);

/// Opens ICU's code page 1251 converter once to see that it is there, or fails with ConverterUnavailable. The
/// conversions need it: without it they end the process (the program checks it at its start).
failure::Result<void> checkCp1251();

} // namespace catalogue
