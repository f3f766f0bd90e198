#pragma once

#include <string>
#include <string_view>

namespace catalogue {

/// Converts code page 1251 bytes to UTF-8. Every byte maps (0x98 included).
std::string cp1251ToUtf8(std::string_view bytes);
/// Converts UTF-8 to code page 1251; characters without a code page 1251 form become '?'.
std::string utf8ToCp1251(std::string_view utf8);

} // namespace catalogue
