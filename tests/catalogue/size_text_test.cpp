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

// The folders are told by the codes, not listed again: a map category's files lie in the folder its code names (metro
// maps in the cities' folder), its previews in that folder's "previews/"; other numbers have no folders.
TEST(Categories, FoldersFollowTheCodes)
{
    for (int category = -1; category <= AboutPage + 1; ++category) {
        SCOPED_TRACE(category);
        const std::string maps = mapFolder(category);
        EXPECT_EQ(isMapCategory(category), !maps.empty());
        EXPECT_EQ(isCategory(category), *categoryCode(category) != '\0');
        if (maps.empty()) {
            EXPECT_EQ(previewFolder(category), "");
            continue;
        }
        EXPECT_EQ(maps, std::string(categoryCode(category == MetroMaps ? Cities : category)) + "/");
        EXPECT_EQ(previewFolder(category), maps + "previews/");
    }
}

} // namespace
} // namespace catalogue
