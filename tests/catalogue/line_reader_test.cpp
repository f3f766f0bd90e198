#include <gtest/gtest.h>

#include "catalogue/line_reader.h"

namespace catalogue {
namespace {

struct LineCase
{
    const char* name;
    std::string bytes;
    std::vector<std::string> lines;
};

TEST(LineReader, LineRules)
{
    using namespace std::string_literals;
    const LineCase cases[] = {
        {"empty file", "", {}},
        {"one line without break", "abc", {"abc"}},
        {"final CR LF adds no line", "a\r\nb\r\n", {"a", "b"}},
        {"final LF adds no line", "a\nb\n", {"a", "b"}},
        {"lone LF ends a line", "a\nb", {"a", "b"}},
        {"lone CR is dropped", "a\rb\r\nc", {"ab", "c"}},
        {"CR before CR LF dropped", "a\r\r\nb", {"a", "b"}},
        {"CR at the end dropped", "a\r", {"a"}},
        {"empty lines kept", "a\n\n\r\nb\n", {"a", "", "", "b"}},
        {"only a break is one empty line", "\n", {""}},
        {"0x1A ends the file",
         "a\nb\x1A"
         "c\nd\n",
         {"a", "b"}},
        {"0x1A after a break adds no line", "a\r\n\x1A\r\nz", {"a"}},
        {"0x1A first",
         "\x1A"
         "abc",
         {}},
        {"CR before 0x1A is lone", "a\r\x1A\n", {"a"}},
        {"spaces and NUL kept", " a \0b\t\n"s, {" a \0b\t"s}},
        {"LF CR is a break and a dropped CR", "a\n\rb", {"a", "b"}},
    };
    for (const auto& c : cases) {
        const ReadLines read = splitLines(c.bytes, 1000);
        EXPECT_EQ(read.lines, c.lines) << c.name;
        EXPECT_FALSE(read.truncated) << c.name;
    }
}

TEST(LineReader, MaximumLineCount)
{
    struct LimitCase
    {
        const char* name;
        std::string bytes;
        int maxLines;
        size_t kept;
        bool truncated;
    };
    const LimitCase cases[] = {
        {"exactly the limit with final break", "1\n2\n3\n", 3, 3, false},
        {"exactly the limit without final break", "1\n2\n3", 3, 3, false},
        {"exactly the limit then 0x1A",
         "1\n2\n3\n\x1A"
         "4\n",
         3, 3, false},
        {"one more line", "1\n2\n3\n4", 3, 3, true},
        {"one more empty line", "1\n2\n3\n\n", 3, 3, true},
        {"one more line of a dropped CR", "1\n2\n3\n\r", 3, 3, true},
        {"limit zero", "1\n", 0, 0, true},
    };
    for (const auto& c : cases) {
        const ReadLines read = splitLines(c.bytes, c.maxLines);
        EXPECT_EQ(read.lines.size(), c.kept) << c.name;
        EXPECT_EQ(read.truncated, c.truncated) << c.name;
        for (size_t i = 0; i < read.lines.size(); ++i)
            EXPECT_EQ(read.lines[i], std::to_string(i + 1)) << c.name;
    }
}

} // namespace
} // namespace catalogue
