#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace fuzzsupport {

/// The three catalogue files of one fuzz input: about.dat, about2.dat and maps.txt, split at the byte 0x1A. The line
/// reader ends a file at that byte anyway, so using it as the separator hides nothing the reader would see. A missing
/// part stands for a file that could not be read.
struct CatalogueFiles
{
    std::string parts[3];
    bool present[3] = {};
};

inline CatalogueFiles splitCatalogueInput(const uint8_t* data, size_t size)
{
    CatalogueFiles files;
    std::string_view rest(reinterpret_cast<const char*>(data), size);
    for (int i = 0; i < 3; ++i) {
        const size_t end = rest.find('\x1A');
        if (end == std::string_view::npos && rest.empty() && i > 0)
            break;
        files.parts[i] = std::string(rest.substr(0, end));
        files.present[i] = true;
        if (end == std::string_view::npos)
            break;
        rest.remove_prefix(end + 1);
    }
    return files;
}

} // namespace fuzzsupport
