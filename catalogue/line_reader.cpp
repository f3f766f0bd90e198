#include "line_reader.h"

namespace catalogue {

ReadLines splitLines(std::string_view bytes, int maxLines)
{
    ReadLines result;
    const size_t end = [&] {
        const size_t eof = bytes.find('\x1A');
        return eof == std::string_view::npos ? bytes.size() : eof;
    }();

    std::string line;
    bool lineStarted = false; // a byte of a line not yet ended has been seen (a dropped CR counts)
    for (size_t i = 0; i < end; ++i) {
        const char c = bytes[i];
        const bool endsLine = c == '\n' || (c == '\r' && i + 1 < end && bytes[i + 1] == '\n');
        if (!endsLine) {
            if (c != '\r')
                line.push_back(c);
            lineStarted = true;
            continue;
        }
        if (static_cast<int>(result.lines.size()) >= maxLines) {
            result.truncated = true;
            return result;
        }
        result.lines.push_back(std::move(line));
        line.clear();
        lineStarted = false;
        if (c == '\r')
            ++i; // the LF of the CR LF pair
    }
    if (lineStarted) {
        if (static_cast<int>(result.lines.size()) >= maxLines)
            result.truncated = true;
        else
            result.lines.push_back(std::move(line));
    }
    return result;
}

} // namespace catalogue
