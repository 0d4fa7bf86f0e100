// Line splitting for loaded files.
#include "jcode/TextLines.h"

#include "jcode/ByteSearch.h"

namespace brenvik {

std::size_t FindLineBreak(std::string_view bytes, std::size_t from)
{
    return jcode_detail::FindLineBreakByte(
        reinterpret_cast<const std::uint8_t*>(bytes.data()), from, bytes.size());
}

std::vector<std::string_view> SplitLines(std::string_view bytes)
{
    std::vector<std::string_view> lines;
    ForEachLine(bytes, [&](std::string_view line) { lines.push_back(line); });
    return lines;
}

} // namespace brenvik
