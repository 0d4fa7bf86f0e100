// Entry of the search engine used by the find commands and the variable explorer.
#pragma once

#include "search/SearchFlags.h"
#include "search/SearchRange.h"

#include <string_view>

namespace brenvik {

// On success range becomes the match and the result is true; on failure range is left as it was.
bool FindPattern(std::string_view text, TSearchRange& range, std::string_view pattern, TSearchFlags flags);

} // namespace brenvik
