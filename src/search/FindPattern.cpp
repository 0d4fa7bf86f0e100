// Entry of the search engine.
#include "search/FindPattern.h"

#include "search/ScanPattern.h"

namespace brenvik {

bool FindPattern(std::string_view text, TSearchRange& range, std::string_view pattern, TSearchFlags flags)
{
    if (pattern.empty() || text.empty() || text.front() == '\0')
        return false;
    const std::optional<TSearchRange> match = ScanPattern(text, range, pattern, flags);
    if (!match)
        return false;
    range = *match;
    return true;
}

} // namespace brenvik
