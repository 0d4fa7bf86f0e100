// The expression side of a find session: the pattern and the replacement compiled once per search, searched
// over the session's joined text, and the last match found, whose groups the next replacement uses.
#pragma once

#include "search/RegexReplaceAll.h"
#include "search/RegexReplacement.h"
#include "search/RegexSearch.h"
#include "search/SearchFlags.h"

#include <memory>
#include <optional>
#include <string_view>

namespace brenvik {

class TFindExpression {
public:
    // Compiles search and replacement (Shift_JIS, line breaks as CR LF) under the options' case, width and
    // word bits.
    void Start(std::string_view search, std::string_view replacement, TSearchFlags options);
    void Clear();
    bool Active() const { return FPattern != nullptr; }
    // Both the pattern and the replacement compiled.
    bool CanReplace() const { return FPattern && FPattern->Valid() && FReplacement->Valid(); }

    // Find next from a selection; a match is remembered for Expansion.
    TRegexResult Find(std::string_view text, TSearchRange selection, bool down);
    // The match that is exactly the selection, if it is one (remembered as well).
    std::optional<TRegexMatch> MatchAt(std::string_view text, TSearchRange selection);
    // The replacement of the remembered match, which must be the one in text (CanReplace).
    std::string Expansion(std::string_view text) const;
    // Every match from the selection on (or from first) replaced, as one stretch.
    TRegexReplaced ReplaceAll(
        std::string_view text, TSearchRange selection, const std::optional<TRegexMatch>& first, bool down);

private:
    std::unique_ptr<TRegexPattern> FPattern;
    std::unique_ptr<TRegexReplacement> FReplacement;
    TRegexMatch FLast;
};

} // namespace brenvik
