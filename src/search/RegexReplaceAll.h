// Replace-all for an expression: the matches a walk of find-next reaches from one place on, each replaced by
// its expansion of the replacement, gathered into one changed stretch of whole lines (one edit, one undo).
#pragma once

#include "search/RegexReplacement.h"
#include "search/RegexSearch.h"
#include "search/ReplaceMatches.h"

#include <optional>

namespace brenvik {

struct TRegexReplaced {
    // TooComplex: the walk stopped and Stretch is empty, nothing is to change.
    TRegexStatus Status = TRegexStatus::NotFound;
    TReplacedStretch Stretch;
};

// search runs over text; first, when given, is the first match and the walk goes on from it. Backward, a
// match reaching into the one found before it is passed over (that text is replaced already).
TRegexReplaced ReplaceExpressionMatches(TRegexSearch& search, std::string_view text, TSearchRange selection,
    const std::optional<TRegexMatch>& first, const TRegexReplacement& replacement, bool down);

} // namespace brenvik
