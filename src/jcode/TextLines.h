// Splitting file bytes into line views, for callers that want them all at once.
#pragma once

#include <string_view>
#include <vector>

namespace brenvik {

// The lines of bytes as ForEachLine cuts them: CR LF, CR and LF each end a line, a final
// terminator adds no empty line, NUL and every other byte stay in their line.
std::vector<std::string_view> SplitLines(std::string_view bytes);

} // namespace brenvik
