// The search pattern prepared for the flags, and its comparison with the text at one candidate position.
#pragma once

#include "search/SearchFlags.h"
#include "search/SearchText.h"

#include <array>
#include <optional>
#include <string>
#include <string_view>

namespace brenvik {

class TPatternMatcher {
public:
    TPatternMatcher(std::string_view pattern, TSearchFlags flags);

    bool Empty() const { return pattern_.empty(); }
    // The room a match needs at the end of the text: characters when widths are ignored, else bytes.
    std::int64_t Extent() const { return extent_; }
    // Number of characters of the prepared pattern (a double-byte character counts once).
    std::int64_t CharCount() const { return charCount_; }
    const std::string& Prepared() const { return pattern_; }

    // Text bytes covered by a match starting at pos (skipped bytes included), or none.
    std::optional<std::int64_t> MatchAt(const TSearchText& text, std::int64_t pos) const;

    // False for a byte that can never begin a match: the first character is compared before any skip.
    bool CanStartWith(std::uint8_t byte) const { return canStart_[byte]; }
    // The only byte that can begin a match, when there is exactly one.
    std::optional<std::uint8_t> SoleStartByte() const { return soleStart_; }

private:
    struct TCharStep {
        bool Match;
        int TextBytes;
    };

    bool PatternLeadAt(std::size_t index) const;
    std::optional<std::int64_t> MatchBytesAt(const TSearchText& text, std::int64_t pos) const;
    TCharStep MatchChar(const TSearchText& text, std::int64_t pos, std::size_t index) const;
    std::int64_t SkippableAt(const TSearchText& text, std::int64_t pos) const;
    bool FirstCharMatches(std::uint8_t first, std::uint8_t second) const;
    void BuildStartBytes();

    TSearchFlags flags_;
    std::string pattern_;
    std::int64_t charCount_ = 0;
    std::int64_t extent_ = 0;
    std::array<bool, 256> canStart_ {};
    std::optional<std::uint8_t> soleStart_;
    // With case kept and nothing folded or skipped, a match is exactly the pattern's bytes.
    bool exactBytes_ = false;
    bool endsWithLoneLead_ = false;
};

} // namespace brenvik
