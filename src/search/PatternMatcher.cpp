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

} // namespace

TPatternMatcher::TPatternMatcher(std::string_view pattern, TSearchFlags flags)
    : flags_(flags)
    , pattern_(flags.Has(TSearchFlags::MatchCase) ? std::string(pattern) : UpperCasePattern(pattern))
{
    const bool zenkaku = flags.Has(TSearchFlags::NoMatchZenkaku);
    if (zenkaku)
        pattern_ = HankakuToZenkaku(pattern_);
    for (std::size_t i = 0; i < pattern_.size(); i += PatternLeadAt(i) ? 2 : 1)
        charStarts_.push_back(i);
    charCount_ = static_cast<std::int64_t>(charStarts_.size());
    extent_ = zenkaku ? charCount_ : static_cast<std::int64_t>(pattern_.size());
    const bool skips = flags.Has(TSearchFlags::IncludeCRLF) || flags.Has(TSearchFlags::IncludeSpace);
    fixedWidth_ = !zenkaku && !skips;
    exactBytes_ = fixedWidth_ && flags.Has(TSearchFlags::MatchCase);
    endsWithLoneLead_ = !pattern_.empty() && charStarts_.back() + 1 == pattern_.size()
        && IsLeadByte(static_cast<std::uint8_t>(pattern_.back()));
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

bool TPatternMatcher::MatchesAlone(std::size_t index, std::uint8_t first, std::uint8_t second) const
{
    const char bytes[2] = {static_cast<char>(first), static_cast<char>(second)};
    const TSearchText text(std::string_view(bytes, second ? 2 : 1));
    const TCharStep step = MatchChar(text, 0, index);
    return step.Match && step.TextBytes == text.Length();
}

std::vector<TTextForm> TPatternMatcher::TextForms(std::size_t index) const
{
    std::vector<TTextForm> forms;
    // Single bytes (a lead byte counts alone only at the end of the text) and kana joined with a mark.
    for (unsigned value = 1; value < 256; ++value) {
        const auto byte = static_cast<std::uint8_t>(value);
        if (MatchesAlone(index, byte, 0))
            forms.push_back({{byte, 0}, 1});
        for (const std::uint8_t mark : {VoicedMark, SemiVoicedMark}) {
            if (MarkMergesWithKana(byte, mark) && MatchesAlone(index, byte, mark))
                forms.push_back({{byte, mark}, 2});
        }
    }
    // A double-byte text character matches only a double-byte pattern character: itself or its small twin.
    if (PatternLeadAt(index)) {
        const auto code = static_cast<std::uint16_t>(
            static_cast<std::uint8_t>(pattern_[index]) << 8 | static_cast<std::uint8_t>(pattern_[index + 1]));
        const std::uint16_t twin = flags_.Has(TSearchFlags::MatchCase) ? 0 : LowerCaseTwin(code);
        for (const std::uint16_t form : {code, twin}) {
            if (form != 0)
                forms.push_back({{static_cast<std::uint8_t>(form >> 8), static_cast<std::uint8_t>(form)}, 2});
        }
    }
    return forms;
}

std::vector<std::uint8_t> TPatternMatcher::SkippableFirstBytes() const
{
    std::vector<std::uint8_t> bytes;
    if (flags_.Has(TSearchFlags::IncludeCRLF))
        bytes.insert(bytes.end(), {CR, LF});
    if (flags_.Has(TSearchFlags::IncludeSpace))
        bytes.insert(bytes.end(), {Tab, Blank, static_cast<std::uint8_t>(IdeographicSpace >> 8)});
    return bytes;
}

} // namespace brenvik
