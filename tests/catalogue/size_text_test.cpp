#include <gtest/gtest.h>

#include "catalogue/categories.h"
#include "catalogue/size_text.h"

namespace catalogue {
namespace {

TEST(SizeText, Table)
{
    const std::pair<std::optional<std::int64_t>, const char*> cases[] = {
        {std::nullopt, ""},
        {0, "0 bytes"},
        {1023, "1023 bytes"},
        {1024, "1 Kb"},
        {2047, "1 Kb"},
        {1048576, "1024 Kb"},
        {1049599, "1024 Kb"},
        {1049600, "1 Mb"},
        {2097151, "1 Mb"},
        {2097152, "2 Mb"},
        {std::int64_t{3} * 1024 * 1024 * 1024, "3072 Mb"}, // beyond 32 bits: no wrap-around
    };
    for (const auto& [size, text] : cases)
        EXPECT_EQ(sizeText(size), text) << (size ? std::to_string(*size) : "missing");
}

TEST(StarCount, WholeTextOneToFive)
{
    const std::pair<const char*, int> cases[] = {
        {"1", 1},  {"2", 2},  {"3", 3},  {"4", 4},  {"5", 5}, {"", 0},     {"0", 0},  {"6", 0},
        {" 3", 0}, {"3 ", 0}, {"33", 0}, {"3a", 0}, {"*", 0}, {"\xB3", 0}, {"-1", 0},
    };
    for (const auto& [quality, stars] : cases)
        EXPECT_EQ(starCount(quality), stars) << '"' << quality << '"';
}

TEST(Categories, CodesAndFolders)
{
    struct Row
    {
        int category;
        const char* code;
        const char* maps;
        const char* previews;
        bool map;
    };
    const Row rows[] = {
        {0, "", "", "", false},
        {1, "Goroda", "Goroda/", "Goroda/previews/", true},
        {2, "Oblasti", "Oblasti/", "Oblasti/previews/", true},
        {3, "Russia", "Russia/", "Russia/previews/", true},
        {4, "Metro", "Goroda/", "Goroda/previews/", true},
        {5, "art", "", "", false},
        {6, "", "", "", false},
        {99, "", "", "", false},
        {-1, "", "", "", false},
    };
    for (const auto& row : rows) {
        EXPECT_STREQ(categoryCode(row.category), row.code) << row.category;
        EXPECT_EQ(mapFolder(row.category), row.maps) << row.category;
        EXPECT_EQ(previewFolder(row.category), row.previews) << row.category;
        EXPECT_EQ(isMapCategory(row.category), row.map) << row.category;
    }
}

} // namespace
} // namespace catalogue
