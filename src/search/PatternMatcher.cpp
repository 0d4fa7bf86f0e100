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
    for (unsigned byte = 0; byte < 256; ++byte) {
        const auto kana = static_cast<std::uint8_t>(byte);
        singleCodes_[byte] = SingleByteChar(kana, 0).Code;
        for (const std::uint8_t mark : {VoicedMark, SemiVoicedMark}) {
            const TTextChar pair = SingleByteChar(kana, mark);
            if (pair.TextBytes == 2)
                mergedKana_.push_back({kana, mark, pair.Code});
        }
    }
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
    const std::uint16_t patternChar = PatternCharAt(index);
    const std::uint8_t byte = text.At(pos);

    // A lead byte with nothing after it is a lone byte, so nothing is read past the text.
    if (IsLeadByte(byte) && pos + 1 < text.Length()) {
        const auto textChar = static_cast<std::uint16_t>(byte << 8 | text.At(pos + 1));
        if (!patternLead)
            return {false, 2};
        return {matchCase ? textChar == patternChar : SameDoubleByteNoCase(patternChar, textChar), 2};
    }
    const TTextChar single = SingleByteChar(byte, text.At(pos + 1));
    return {IsDoubleByteCode(single.Code) == patternLead && single.Code == patternChar, single.TextBytes};
}

TPatternMatcher::TTextChar TPatternMatcher::SingleByteChar(std::uint8_t byte, std::uint8_t next) const
{
    const bool matchCase = flags_.Has(TSearchFlags::MatchCase);
    if (!flags_.Has(TSearchFlags::NoMatchZenkaku))
        return {matchCase ? byte : UpperCaseTable[byte], 1};
    const bool merged = MarkMergesWithKana(byte, next);
    std::uint16_t wide = merged ? MergedKana(byte, next) : ZenkakuTable[byte];
    if (!matchCase && wide >= FullWidthSmallA && wide <= FullWidthSmallZ)
        wide -= FullWidthCaseStep;
    return {wide, merged ? 2 : 1};
}

std::uint16_t TPatternMatcher::PatternCharAt(std::size_t index) const
{
    const auto first = static_cast<std::uint8_t>(pattern_[index]);
    return PatternLeadAt(index)
        ? static_cast<std::uint16_t>(first << 8 | static_cast<std::uint8_t>(pattern_[index + 1]))
        : first;
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

std::vector<TTextForm> TPatternMatcher::TextForms(std::size_t index) const
{
    std::vector<TTextForm> forms;
    const bool patternLead = PatternLeadAt(index);
    const std::uint16_t patternChar = PatternCharAt(index);
    const auto matches
        = [&](std::uint16_t code) { return IsDoubleByteCode(code) == patternLead && code == patternChar; };
    // Single bytes (a lead byte counts alone only at the end of the text) and kana joined with a mark.
    for (unsigned byte = 1; byte < 256; ++byte) {
        if (matches(singleCodes_[byte]))
            forms.push_back({{static_cast<std::uint8_t>(byte), 0}, 1});
    }
    for (const TMergedKana& merged : mergedKana_) {
        if (matches(merged.Code))
            forms.push_back({{merged.Kana, merged.Mark}, 2});
    }
    // A double-byte text character matches only a double-byte pattern character: itself or its small twin.
    if (patternLead) {
        const std::uint16_t code = patternChar;
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
