// Candidate scan: positions the search, then compares the pattern at each character start in the direction.
// Candidates whose first byte cannot begin a match are passed over in bulk; the result is the same as
// comparing at every character start in turn.
#include "search/ScanPattern.h"

#include "search/PatternMatcher.h"
#include "search/SearchText.h"
#include "search/TrailProbe.h"
#include "search/WordDelimiters.h"
#include "search/ZenkakuTable.h"

#include <cstring>

namespace brenvik {

namespace {

class TScan {
public:
    TScan(std::string_view text, std::string_view pattern, TSearchFlags flags)
        : text_(text)
        , matcher_(pattern, flags)
        , probe_(text_)
        , wholeWord_(flags.Has(TSearchFlags::WholeWord))
        , zenkaku_(flags.Has(TSearchFlags::NoMatchZenkaku))
    {
    }

    std::optional<TSearchRange> Forward(std::int64_t from);
    std::optional<TSearchRange> Backward(std::int64_t from);

    bool PatternEmpty() const { return matcher_.Empty(); }
    std::int64_t TextLength() const { return text_.Length(); }

private:
    std::int64_t StepBackCharacter(std::int64_t pos);
    bool IsWordStart(std::int64_t pos) const;
    std::optional<TSearchRange> TryCandidate(std::int64_t pos);
    std::int64_t NextCandidate(std::int64_t from, std::int64_t last) const;
    std::int64_t PreviousCandidate(std::int64_t from) const;

    TSearchText text_;
    TPatternMatcher matcher_;
    TTrailProbe probe_;
    bool wholeWord_;
    bool zenkaku_;
};

bool TScan::IsWordStart(std::int64_t pos) const
{
    if (IsWordDelimiter(text_.At(pos)))
        return false;
    return pos == 0 || IsWordDelimiter(text_.At(pos - 1));
}

std::optional<TSearchRange> TScan::TryCandidate(std::int64_t pos)
{
    if (wholeWord_ && !IsWordStart(pos))
        return std::nullopt;
    // Most candidates fail at once, so the trail test waits for a match.
    const std::optional<std::int64_t> length = matcher_.MatchAt(text_, pos);
    if (!length || probe_.IsTrail(pos))
        return std::nullopt;
    // The terminating zero counts as a delimiter after a whole word.
    if (wholeWord_ && !IsWordDelimiter(text_.At(pos + *length)))
        return std::nullopt;
    return TSearchRange {static_cast<std::int32_t>(pos), static_cast<std::int32_t>(*length)};
}

std::int64_t TScan::NextCandidate(std::int64_t from, std::int64_t last) const
{
    const std::uint8_t* bytes = text_.Data();
    if (const auto sole = matcher_.SoleStartByte()) {
        const void* found = std::memchr(bytes + from, *sole, static_cast<std::size_t>(last - from + 1));
        return found ? static_cast<const std::uint8_t*>(found) - bytes : last + 1;
    }
    while (from <= last && !matcher_.CanStartWith(bytes[from]))
        ++from;
    return from;
}

std::int64_t TScan::PreviousCandidate(std::int64_t from) const
{
    if (from < 0)
        return -1;
    const std::uint8_t* bytes = text_.Data();
    if (const auto sole = matcher_.SoleStartByte()) {
        const void* found = memrchr(bytes, *sole, static_cast<std::size_t>(from + 1));
        return found ? static_cast<const std::uint8_t*>(found) - bytes : -1;
    }
    while (from >= 0 && !matcher_.CanStartWith(bytes[from]))
        --from;
    return from;
}

std::optional<TSearchRange> TScan::Forward(std::int64_t from)
{
    if (from < text_.Length() && probe_.IsTrail(from))
        ++from;
    const std::int64_t last = text_.Length() - matcher_.Extent();
    if (from > last)
        return std::nullopt;
    for (std::int64_t pos = NextCandidate(from, last); pos <= last; pos = NextCandidate(pos + 1, last)) {
        if (const auto match = TryCandidate(pos))
            return match;
    }
    return std::nullopt;
}

// One character back; a half-width kana and the mark merged with it are one character.
std::int64_t TScan::StepBackCharacter(std::int64_t pos)
{
    --pos;
    if (pos <= 0)
        return pos;
    const bool mergedMark = MarkMergesWithKana(text_.At(pos - 1), text_.At(pos)) && !probe_.IsTrail(pos - 1);
    return probe_.IsTrail(pos) || mergedMark ? pos - 1 : pos;
}

std::optional<TSearchRange> TScan::Backward(std::int64_t from)
{
    if (zenkaku_) {
        for (std::int64_t count = 0; count < matcher_.CharCount() && from >= 0; ++count)
            from = StepBackCharacter(from);
    } else {
        from -= matcher_.Extent();
    }
    if (from >= 0 && probe_.IsTrail(from))
        --from;
    if (from < 0)
        return std::nullopt;
    for (std::int64_t pos = PreviousCandidate(from); pos >= 0; pos = PreviousCandidate(pos - 1)) {
        if (const auto match = TryCandidate(pos))
            return match;
    }
    return std::nullopt;
}

} // namespace

std::optional<TSearchRange> ScanPattern(
    std::string_view text, TSearchRange selection, std::string_view pattern, TSearchFlags flags)
{
    TScan scan(text, pattern, flags);
    if (scan.PatternEmpty() || selection.Start < 0 || selection.Start > scan.TextLength()
        || selection.Length < 0)
        return std::nullopt;
    if (flags.Has(TSearchFlags::Down))
        return scan.Forward(std::int64_t {selection.Start} + selection.Length);
    return scan.Backward(selection.Start);
}

} // namespace brenvik
