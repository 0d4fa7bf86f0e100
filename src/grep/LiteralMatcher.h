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
    bool MayMatch(std::string_view bytes) const override;

private:
    std::string pattern_;
    TSearchFlags flags_;
    // An ASCII pattern matched byte for byte is the same bytes in Shift_JIS, EUC-JP and UTF-8: a file
    // without them (and without the escapes of JIS, whose reading could join them) has no match.
    bool rawBytes_ = false;
};

} // namespace brenvik
