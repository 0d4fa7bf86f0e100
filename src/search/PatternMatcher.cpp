// Character-by-character comparison of the prepared pattern with the text, honouring case, width and skips.
#include "search/PatternMatcher.h"

#include "search/CaseFolding.h"
#include "search/HankakuToZenkaku.h"
#include "search/ShiftJis.h"
#include "search/ZenkakuTable.h"

#include <cstring>

namespace brenvik {

namespace {

constexpr std::uint8_t CR = 0x0D;
constexpr std::uint8_t LF = 0x0A;
constexpr std::uint8_t Tab = 0x09;
constexpr std::uint8_t Blank = 0x20;
constexpr std::uint16_t IdeographicSpace = 0x8140;

constexpr std::uint16_t FullWidthSmallA = 0x8281;
constexpr std::uint16_t FullWidthSmallZ = 0x829A;
constexpr std::uint16_t FullWidthCaseStep = 0x8281 - 0x8260;

std::int64_t CountCharacters(std::string_view pattern)
{
    std::int64_t count = 0;
    for (std::size_t i = 0; i < pattern.size(); ++count)
        i += IsLeadByte(static_cast<std::uint8_t>(pattern[i])) && i + 1 < pattern.size() ? 2 : 1;
    return count;
}

} // namespace

TPatternMatcher::TPatternMatcher(std::string_view pattern, TSearchFlags flags)
    : flags_(flags)
    , pattern_(flags.Has(TSearchFlags::MatchCase) ? std::string(pattern) : UpperCasePattern(pattern))
{
    if (flags.Has(TSearchFlags::NoMatchZenkaku)) {
        pattern_ = HankakuToZenkaku(pattern_);
        charCount_ = CountCharacters(pattern_);
        extent_ = charCount_;
    } else {
        charCount_ = CountCharacters(pattern_);
        extent_ = static_cast<std::int64_t>(pattern_.size());
    }
    BuildStartBytes();
    exactBytes_ = flags.Has(TSearchFlags::MatchCase) && !flags.Has(TSearchFlags::NoMatchZenkaku)
        && !flags.Has(TSearchFlags::IncludeCRLF) && !flags.Has(TSearchFlags::IncludeSpace);
    std::size_t lastChar = 0;
    for (std::size_t i = 0; i < pattern_.size(); i += PatternLeadAt(i) ? 2 : 1)
        lastChar = i;
    endsWithLoneLead_ = !pattern_.empty() && lastChar + 1 == pattern_.size()
        && IsLeadByte(static_cast<std::uint8_t>(pattern_[lastChar]));
}

bool TPatternMatcher::PatternLeadAt(std::size_t index) const
{
    return IsLeadByte(static_cast<std::uint8_t>(pattern_[index])) && index + 1 < pattern_.size();
}

TPatternMatcher::TCharStep TPatternMatcher::MatchChar(
    const TSearchText& text, std::int64_t pos, std::size_t index) const
{
    const bool matchCase = flags_.Has(TSearchFlags::MatchCase);
    const bool patternLead = PatternLeadAt(index);
    const std::uint16_t patternChar = patternLead
        ? static_cast<std::uint16_t>(
            static_cast<std::uint8_t>(pattern_[index]) << 8 | static_cast<std::uint8_t>(pattern_[index + 1]))
        : static_cast<std::uint8_t>(pattern_[index]);
    const std::uint8_t byte = text.At(pos);

    // A lead byte with nothing after it is a lone byte, so nothing is read past the text.
    if (IsLeadByte(byte) && pos + 1 < text.Length()) {
        const auto textChar = static_cast<std::uint16_t>(byte << 8 | text.At(pos + 1));
        if (!patternLead)
            return {false, 2};
        return {matchCase ? textChar == patternChar : SameDoubleByteNoCase(patternChar, textChar), 2};
    }
    if (!flags_.Has(TSearchFlags::NoMatchZenkaku)) {
        const std::uint8_t folded = matchCase ? byte : UpperCaseTable[byte];
        return {!patternLead && folded == patternChar, 1};
    }
    const std::uint8_t next = text.At(pos + 1);
    const bool merged = MarkMergesWithKana(byte, next);
    std::uint16_t wide = merged ? MergedKana(byte, next) : ZenkakuTable[byte];
    if (!matchCase && wide >= FullWidthSmallA && wide <= FullWidthSmallZ)
        wide -= FullWidthCaseStep;
    return {IsDoubleByteCode(wide) == patternLead && wide == patternChar, merged ? 2 : 1};
}

std::int64_t TPatternMatcher::SkippableAt(const TSearchText& text, std::int64_t pos) const
{
    const std::uint8_t byte = text.At(pos);
    if (flags_.Has(TSearchFlags::IncludeCRLF) && (byte == CR || byte == LF))
        return 1;
    if (!flags_.Has(TSearchFlags::IncludeSpace))
        return 0;
    if (byte == Tab || byte == Blank)
        return 1;
    const bool ideographic = byte == (IdeographicSpace >> 8) && pos + 1 < text.Length()
        && text.At(pos + 1) == (IdeographicSpace & 0xFF);
    return ideographic ? 2 : 0;
}

std::optional<std::int64_t> TPatternMatcher::MatchBytesAt(const TSearchText& text, std::int64_t pos) const
{
    const auto size = static_cast<std::int64_t>(pattern_.size());
    if (pos + size > text.Length() || std::memcmp(text.Data() + pos, pattern_.data(), pattern_.size()) != 0)
        return std::nullopt;
    // A lone lead byte closing the pattern matches only a lone lead byte closing the text.
    if (!endsWithLoneLead_ || pos + size == text.Length())
        return size;
    return std::nullopt;
}

std::optional<std::int64_t> TPatternMatcher::MatchAt(const TSearchText& text, std::int64_t pos) const
{
    if (exactBytes_)
        return MatchBytesAt(text, pos);
    std::size_t index = 0;
    std::int64_t consumed = 0;
    std::int64_t skipped = 0;
    while (index < pattern_.size()) {
        const std::int64_t at = pos + consumed + skipped;
        if (at >= text.Length())
            return std::nullopt;
        const TCharStep step = MatchChar(text, at, index);
        if (step.Match) {
            consumed += step.TextBytes;
            index += PatternLeadAt(index) ? 2 : 1;
            continue;
        }
        // Only text after the first matched character may be skipped; a match never begins with a skip.
        const std::int64_t skip = consumed > 0 ? SkippableAt(text, at) : 0;
        if (skip == 0)
            return std::nullopt;
        skipped += skip;
    }
    return consumed + skipped;
}

bool TPatternMatcher::FirstCharMatches(std::uint8_t first, std::uint8_t second) const
{
    const char pair[2] = {static_cast<char>(first), static_cast<char>(second)};
    return MatchChar(TSearchText(std::string_view(pair, 2)), 0, 0).Match;
}

void TPatternMatcher::BuildStartBytes()
{
    if (pattern_.empty())
        return;
    const auto patternFirst = static_cast<std::uint8_t>(pattern_[0]);
    const bool matchCase = flags_.Has(TSearchFlags::MatchCase);
    int members = 0;
    for (unsigned value = 1; value < 256; ++value) {
        const auto byte = static_cast<std::uint8_t>(value);
        // A zero second byte stands for the end of the text, where a lead byte is a lone byte.
        bool can = FirstCharMatches(byte, 0);
        if (!IsLeadByte(byte)) {
            can = can || FirstCharMatches(byte, VoicedMark) || FirstCharMatches(byte, SemiVoicedMark);
        } else if (byte == patternFirst) {
            can = true;
        } else if (!matchCase && HasFoldsFromLead(byte)) {
            for (unsigned trail = 1; trail < 256 && !can; ++trail)
                can = FirstCharMatches(byte, static_cast<std::uint8_t>(trail));
        }
        canStart_[byte] = can;
        if (can) {
            ++members;
            soleStart_ = byte;
        }
    }
    if (members != 1)
        soleStart_.reset();
}

} // namespace brenvik
