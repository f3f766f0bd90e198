#pragma once

#include <array>
#include <string>
#include <string_view>

#include <unicode/utypes.h>

namespace catalogue {

/// The UTF-16 unit of every code page 1251 byte, built once from ICU's converter.
const std::array<UChar, 256>& cp1251Table();
/// Code page 1251 bytes as UTF-16 (one unit per byte).
std::u16string cp1251ToUtf16(std::string_view bytes);

} // namespace catalogue
