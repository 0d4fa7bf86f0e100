// The bookmark file's one line of numbers.
#include "model/BookmarkFile.h"

#include <charconv>

namespace brenvik {

std::string BookmarkBytes(const std::vector<int>& lines)
{
    std::string bytes;
    for (const int line : lines) {
        if (!bytes.empty())
            bytes += ',';
        bytes += std::to_string(line + 1);
    }
    return bytes + "\r\n";
}

std::optional<std::vector<int>> ParseBookmarks(std::string_view bytes)
{
    while (!bytes.empty() && (bytes.back() == '\n' || bytes.back() == '\r'))
        bytes.remove_suffix(1);
    std::vector<int> lines;
    while (!bytes.empty()) {
        int number = 0;
        const auto [end, error] = std::from_chars(bytes.data(), bytes.data() + bytes.size(), number);
        if (error != std::errc() || number < 1)
            return std::nullopt;
        lines.push_back(number - 1);
        bytes.remove_prefix(std::size_t(end - bytes.data()));
        if (!bytes.empty()) {
            if (bytes.front() != ',' || bytes.size() == 1)
                return std::nullopt;
            bytes.remove_prefix(1);
        }
    }
    return lines;
}

} // namespace brenvik
