#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace catalogue {

/// Splits a text file's bytes into lines: CR LF or a lone LF end a line, a lone CR is dropped, a final line break
/// adds no empty line, a byte 0x1A ends the file. At most maxLines lines are returned; truncated tells whether more
/// followed.
struct ReadLines
{
    std::vector<std::string> lines;
    bool truncated = false;
};
ReadLines splitLines(std::string_view bytes, int maxLines);

} // namespace catalogue
