// The options an expression is compiled with: the three that the find dialogs share with literal search.
#pragma once

#include "search/SearchFlags.h"

namespace brenvik {

struct TRegexOptions {
    // Letters match in either case: ASCII, full-width Latin, Greek, Cyrillic and the small roman numerals.
    bool IgnoreCase = false;
    // The literal characters of the expression match their full-width and half-width forms alike (ｶﾞ as ガ).
    bool IgnoreWidth = false;
    // A match starts and ends at a word boundary by the same delimiter bytes as literal whole-word search.
    bool WholeWord = false;

    static constexpr TRegexOptions FromFlags(TSearchFlags flags)
    {
        return {!flags.Has(TSearchFlags::MatchCase), flags.Has(TSearchFlags::NoMatchZenkaku),
            flags.Has(TSearchFlags::WholeWord)};
    }

    friend constexpr bool operator==(const TRegexOptions&, const TRegexOptions&) = default;
};

} // namespace brenvik
