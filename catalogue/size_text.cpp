#include "size_text.h"

namespace catalogue {

std::string sizeText(std::optional<std::int64_t> sizeBytes)
{
    if (!sizeBytes)
        return {};
    const std::int64_t bytes = *sizeBytes;
    if (bytes < 1024)
        return std::to_string(bytes) + " bytes";
    const std::int64_t kilobytes = bytes / 1024;
    // Megabytes start at 1025 Kb, not at 1024 Kb, and are truncated.
    if (kilobytes <= 1024)
        return std::to_string(kilobytes) + " Kb";
    return std::to_string(kilobytes / 1024) + " Mb";
}

int starCount(const std::string& quality)
{
    if (quality.size() == 1 && quality[0] >= '1' && quality[0] <= '5')
        return quality[0] - '0';
    return 0;
}

} // namespace catalogue
