// Splitting file bytes into lines the way the editor's text-list loader does.
#pragma once

#include <string_view>
#include <vector>

namespace brenvik {

// Calls onLine(view) for every line of bytes in order. CR LF, CR and LF each end a line; a final
// terminator adds no empty line. NUL and every other byte stay in their line.
// Index of the first CR or LF at or after from, or the size of bytes.
std::size_t FindLineBreak(std::string_view bytes, std::size_t from);

template <class OnLine> void ForEachLine(std::string_view bytes, OnLine&& onLine)
{
    std::size_t start = 0;
    while (start < bytes.size()) {
        std::size_t end = FindLineBreak(bytes, start);
        onLine(bytes.substr(start, end - start));
        if (end < bytes.size() && bytes[end] == '\r') {
            ++end;
        }
        if (end < bytes.size() && bytes[end] == '\n') {
            ++end;
        }
        start = end;
    }
}

std::vector<std::string_view> SplitLines(std::string_view bytes);

} // namespace brenvik
