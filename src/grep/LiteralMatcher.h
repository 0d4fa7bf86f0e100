// grep's matcher over the literal engine: the matches the document's find next would select one after the
// other, from the top down.
#pragma once

#include "grep/GrepMatcher.h"
#include "search/SearchFlags.h"

#include <string>

namespace brenvik {

class TLiteralMatcher : public TGrepMatcher {
public:
    // pattern in Shift_JIS; flags as the find dialog gives them (the direction is always down).
    TLiteralMatcher(std::string pattern, TSearchFlags flags);
    std::string ForEachMatch(std::string_view text, const std::function<bool(TSearchRange)>& found) const override;

private:
    std::string pattern_;
    TSearchFlags flags_;
};

} // namespace brenvik
