// The scan of the search engine: the next or previous occurrence of a pattern in Shift_JIS text.
#pragma once

#include "search/SearchFlags.h"
#include "search/SearchRange.h"

#include <optional>
#include <string_view>

namespace brenvik {

// Text ends at its first zero byte. Forward scans start after the selection; backward scans end a pattern's
// length before its start. Returns the match (Length counts skipped bytes), or none.
std::optional<TSearchRange> ScanPattern(
    std::string_view text, TSearchRange selection, std::string_view pattern, TSearchFlags flags);

} // namespace brenvik
