// A compiled expression searched over one text from any byte offset, in either direction. Every match starts
// and ends at a character start (a lead byte and its trail are one character, as everywhere in the editor),
// and a search that would run away (catastrophic backtracking) stops with TooComplex instead.
#pragma once

#include "search/RegexPattern.h"
#include "search/SearchRange.h"
#include "search/SearchText.h"
#include "search/TrailProbe.h"

#include <cstdint>
#include <string_view>
#include <utility>
#include <vector>

struct re_registers;
struct OnigMatchParamStruct;

namespace brenvik {

struct TRegexMatch {
    std::int64_t Start = 0;
    std::int64_t End = 0;
    // Group i's bytes [first, second); {-1, -1} for a group that took no part. Group 0 is the whole match.
    std::vector<std::pair<std::int64_t, std::int64_t>> Groups;

    std::int64_t Length() const { return End - Start; }
    TSearchRange Range() const
    {
        return {static_cast<std::int32_t>(Start), static_cast<std::int32_t>(End - Start)};
    }
};

enum class TRegexStatus { Found, NotFound, TooComplex };

struct TRegexResult {
    TRegexStatus Status = TRegexStatus::NotFound;
    TRegexMatch Match;

    bool Found() const { return Status == TRegexStatus::Found; }
};

// Backtracking steps the library may take: at one start (10,000,000 steps take about 0.1 s), and in one
// search, in proportion to the bytes it may cover (an ordinary expression takes a few steps per byte).
struct TRegexLimits {
    unsigned long StepsPerStart = 10'000'000;
    unsigned long StepsPerSearch = 100'000'000;
    unsigned long StepsPerByte = 64;
};

class TRegexSearch {
public:
    // Both must outlive the search. A lone lead byte that ends the text is no character and never matched.
    TRegexSearch(const TRegexPattern& pattern, std::string_view text, TRegexLimits limits = {});
    ~TRegexSearch();
    TRegexSearch(const TRegexSearch&) = delete;
    TRegexSearch& operator=(const TRegexSearch&) = delete;

    std::int64_t TextLength() const { return text_.Length(); }

    // The first match starting at from or after it (from a trail byte, after its character).
    TRegexResult Forward(std::int64_t from);
    // The match at the greatest start before before.
    TRegexResult Backward(std::int64_t before);
    // The next match of a forward walk: from the previous match's end, an empty match there excluded, so that
    // a walk always advances.
    TRegexResult After(const TRegexMatch& previous);
    // Find next from a selection: forward from its end (an empty match where an empty selection stands
    // excluded), backward from its start. An invalid pattern or selection finds nothing.
    TRegexResult Find(TSearchRange selection, bool down);

    bool IsCharacterStart(std::int64_t pos);
    // The start of the character after the one at pos (a character start).
    std::int64_t NextCharacter(std::int64_t pos) const;

private:
    // One forward library search from from on.
    TRegexStatus Search(std::int64_t from, TRegexMatch& match);

    const TRegexPattern& pattern_;
    TSearchText text_;
    TTrailProbe probe_;
    // The subject the library sees: the text without a closing lone lead byte.
    std::int64_t subjectEnd_ = 0;
    TRegexLimits limits_;
    re_registers* region_ = nullptr;
    OnigMatchParamStruct* param_ = nullptr;
};

} // namespace brenvik
