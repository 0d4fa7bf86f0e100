// The search pattern prepared for the flags, and its comparison with the text at one candidate position.
#pragma once

#include "search/SearchFlags.h"
#include "search/SearchText.h"

#include <array>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace brenvik {

// One way a pattern character can be written in the text.
struct TTextForm {
    std::array<std::uint8_t, 2> Bytes;
    int Size;
};

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

    // True when every match covers exactly the pattern's byte count, each text byte facing one pattern byte.
    bool FixedWidth() const { return fixedWidth_; }
    // Byte index in the prepared pattern of each character.
    const std::vector<std::size_t>& CharStarts() const { return charStarts_; }
    // Every spelling in the text (one or two bytes) that matches the pattern character at this index.
    std::vector<TTextForm> TextForms(std::size_t index) const;
    // Text bytes that may stand between two matched characters and be skipped.
    std::vector<std::uint8_t> SkippableFirstBytes() const;

private:
    struct TCharStep {
        bool Match;
        int TextBytes;
    };
    // The character a single text byte reads as: codes above 0xFF are full-width.
    struct TTextChar {
        std::uint16_t Code;
        int TextBytes;
    };
    struct TMergedKana {
        std::uint8_t Kana;
        std::uint8_t Mark;
        std::uint16_t Code;
    };

    bool PatternLeadAt(std::size_t index) const;
    std::optional<std::int64_t> MatchBytesAt(const TSearchText& text, std::int64_t pos) const;
    TCharStep MatchChar(const TSearchText& text, std::int64_t pos, std::size_t index) const;
    std::int64_t SkippableAt(const TSearchText& text, std::int64_t pos) const;
    // The character a single text byte reads as (a kana takes a merging mark after it along).
    TTextChar SingleByteChar(std::uint8_t byte, std::uint8_t next) const;
    std::uint16_t PatternCharAt(std::size_t index) const;

    TSearchFlags flags_;
    std::string pattern_;
    std::int64_t charCount_ = 0;
    std::int64_t extent_ = 0;
    std::vector<std::size_t> charStarts_;
    // The character each byte reads as alone, and the kana pairs read as one character.
    std::array<std::uint16_t, 256> singleCodes_ {};
    std::vector<TMergedKana> mergedKana_;
    bool fixedWidth_ = false;
    // With case kept and nothing folded or skipped, a match is exactly the pattern's bytes.
    bool exactBytes_ = false;
    bool endsWithLoneLead_ = false;
};

} // namespace brenvik
