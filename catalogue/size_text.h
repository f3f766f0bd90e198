#pragma once

#include <cstdint>
#include <optional>
#include <string>

namespace catalogue {

/// Text of the file-size label for a full-size map of sizeBytes (nullopt: no file): "N bytes" below 1024 bytes,
/// "N Kb" up to 1024 Kb, then whole megabytes "N Mb" from 1025 Kb on (truncated). A missing file gives "".
std::string sizeText(std::optional<std::int64_t> sizeBytes);

/// Number of stars for a quality text "1".."5"; 0 for anything else.
int starCount(const std::string& quality);

} // namespace catalogue
