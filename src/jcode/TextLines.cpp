// Line splitting for loaded files.
#include "jcode/TextLines.h"

#include "support/LineBreaks.h"

namespace brenvik {

std::vector<std::string_view> SplitLines(std::string_view bytes)
{
    std::vector<std::string_view> lines;
    ForEachLine(bytes, [&](std::string_view line) { lines.push_back(line); });
    return lines;
}

} // namespace brenvik
