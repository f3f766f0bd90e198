#include <gtest/gtest.h>

#include "catalogue/codepage.h"

namespace catalogue {
namespace {

TEST(Codepage, KnownBytes)
{
    const std::pair<std::string, std::string> cases[] = {
        {"abc@ 19", "abc@ 19"}, {"\xC0\xE1\xE0\xEA\xE0\xED", "Абакан"},
        {"\xA8\xB8", "Ёё"},     {"\xDF\xFF", "Яя"},
        {"\x92", "\u2019"},     {"\xB9", "№"},
        {"\x88", "€"},          {"\xAD", "\u00AD"},
    };
    for (const auto& [bytes, utf8] : cases) {
        EXPECT_EQ(cp1251ToUtf8(bytes), utf8) << utf8;
        EXPECT_EQ(utf8ToCp1251(utf8), bytes) << utf8;
    }
}

TEST(Codepage, EveryByteMapsAndComesBack)
{
    for (int byte = 0; byte < 256; ++byte) {
        const std::string one(1, static_cast<char>(byte));
        const std::string utf8 = cp1251ToUtf8(one);
        EXPECT_NE(utf8, "\xEF\xBF\xBD") << "byte " << byte << " has no character";
        EXPECT_EQ(utf8ToCp1251(utf8), one) << "byte " << byte;
    }
}

TEST(Codepage, CharactersOutsideTheCodePage)
{
    EXPECT_EQ(utf8ToCp1251("a\u4E2Db"), "a?b");
    EXPECT_EQ(utf8ToCp1251("\U0001F600"), "?");
    EXPECT_EQ(utf8ToCp1251("x\xFFy"), "x?y"); // invalid UTF-8
    EXPECT_EQ(utf8ToCp1251(""), "");
    EXPECT_EQ(cp1251ToUtf8(""), "");
}

} // namespace
} // namespace catalogue
