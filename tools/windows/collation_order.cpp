// Prints every text of one and of two code page 1251 bytes (0x20 to 0xFF) in catalogue order, one a line as hex,
// with "=" before a text that compares equal to the one above it. Built for Linux and for Windows, the two
// outputs must be the same: the order then does not depend on the ICU build it runs with.
#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

#include "catalogue/collation.h"

int main()
{
    std::vector<std::string> texts;
    for (int first = 0x20; first < 0x100; ++first) {
        texts.emplace_back(1, static_cast<char>(first));
        for (int second = 0x20; second < 0x100; ++second)
            texts.push_back({static_cast<char>(first), static_cast<char>(second)});
    }
    std::stable_sort(texts.begin(), texts.end(), [](const std::string& a, const std::string& b) {
        return catalogue::compareCatalogueText(a, b) < 0;
    });
    for (std::size_t i = 0; i < texts.size(); ++i) {
        const bool equal = i > 0 && catalogue::compareCatalogueText(texts[i - 1], texts[i]) == 0;
        std::printf("%s", equal ? "=" : " ");
        for (const char c : texts[i])
            std::printf("%02x", static_cast<unsigned char>(c));
        std::printf("\n");
    }
    return 0;
}
