// Replacing every match of a pattern from one place on, in one pass over the text: the bytes of the
// changed stretch, ready to go into the rows as one edit.
#pragma once

#include "search/SearchFlags.h"
#include "search/SearchRange.h"

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace brenvik {

// What replacing the matches did to the text: the stretch [Start, End) of the old text becomes Text.
// The stretch is whole lines: Start is the text's start or follows an LF, End is the text's end or
// follows an LF, so that it goes into a row list as it is.
struct TReplacedStretch {
    std::int64_t Start = 0;
    std::int64_t End = 0;
    std::string Text;
    int Count = 0;
    // Where the caret stands afterwards (an offset of the new text): after the last replacement
    // forward, at its start backward.
    std::int64_t Caret = 0;
};

// The stretch of text in which the matches (in ascending order, not overlapping, at least one) are replaced
// by what append writes for each (given its index); the caret as a walk in that direction leaves it.
// replacedBytes, when known beforehand, is the size of all the replacements together.
TReplacedStretch ReplaceRanges(std::string_view text, const std::vector<TSearchRange>& matches, bool down,
    const std::function<void(std::string& out, std::size_t index)>& append, std::size_t replacedBytes = 0);

// Replaces the matches that find-next would reach one after another from selection in the direction of
// the flags (replacements are never searched again); when first is given, it is the first match and the
// walk goes on from it. Zero bytes are ordinary text. Count is 0 when nothing matched.
TReplacedStretch ReplaceMatches(std::string_view text, TSearchRange selection, std::optional<TSearchRange> first,
    std::string_view pattern, std::string_view replacement, TSearchFlags flags);

} // namespace brenvik
