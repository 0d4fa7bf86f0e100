// Candidate scan: positions the search, then compares the pattern at each character start in the direction.
// Only starts near a position where the pattern's anchor stands are compared; the result is the same as
// comparing at every character start in turn, since every match has its anchor in reach.
#include "search/PatternScan.h"

#include "search/ByteFrequency.h"
#include "search/WordDelimiters.h"
#include "search/ZenkakuTable.h"

#include <algorithm>

namespace brenvik {

TPatternScan::TPatternScan(std::string_view text, std::string_view pattern, TSearchFlags flags)
    : text_(text)
    , matcher_(pattern, flags)
    , probe_(text_)
    , anchor_(ChooseAnchor(matcher_, TByteFrequency(text_)))
    , anchorScan_(text_, anchor_)
    , down_(flags.Has(TSearchFlags::Down))
    , wholeWord_(flags.Has(TSearchFlags::WholeWord))
    , zenkaku_(flags.Has(TSearchFlags::NoMatchZenkaku))
{
}

std::optional<TSearchRange> TPatternScan::Find(TSearchRange selection)
{
    if (PatternEmpty() || selection.Start < 0 || selection.Start > TextLength() || selection.Length < 0)
        return std::nullopt;
    if (down_)
        return Forward(std::int64_t {selection.Start} + selection.Length);
    return Backward(selection.Start);
}

bool TPatternScan::IsWordStart(std::int64_t pos) const
{
    if (IsWordDelimiter(text_.At(pos)))
        return false;
    return pos == 0 || IsWordDelimiter(text_.At(pos - 1));
}

std::optional<TSearchRange> TPatternScan::TryCandidate(std::int64_t pos)
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

std::optional<TSearchRange> TPatternScan::TryStarts(std::int64_t first, std::int64_t last)
{
    for (std::int64_t pos = first; pos <= last; ++pos) {
        if (const auto match = TryCandidate(pos))
            return match;
    }
    return std::nullopt;
}

std::optional<TSearchRange> TPatternScan::TryStartsBackward(std::int64_t last, std::int64_t first)
{
    for (std::int64_t pos = last; pos >= first; --pos) {
        if (const auto match = TryCandidate(pos))
            return match;
    }
    return std::nullopt;
}

std::optional<TSearchRange> TPatternScan::Forward(std::int64_t from)
{
    if (from < text_.Length() && probe_.IsTrail(from))
        ++from;
    const std::int64_t last = text_.Length() - matcher_.Extent();
    if (from > last)
        return std::nullopt;
    if (!anchor_.Filters())
        return TryStarts(from, last);
    // Starts up to tried have been compared; each anchor found brings the starts that put it in reach.
    std::int64_t tried = from - 1;
    std::optional<TSearchRange> match;
    anchorScan_.Forward(from + anchor_.NearMin, std::min(last + anchor_.FarMax, text_.Length() - 1),
        [&](std::int64_t anchor) {
            const std::int64_t upTo = std::min(anchor - anchor_.NearMin, last);
            match = TryStarts(std::max(tried + 1, anchor - anchor_.FarMax), upTo);
            tried = std::max(tried, upTo);
            return match.has_value();
        });
    return match;
}

// One character back; a half-width kana and the mark merged with it are one character.
std::int64_t TPatternScan::StepBackCharacter(std::int64_t pos)
{
    --pos;
    if (pos <= 0)
        return pos;
    const bool mergedMark = MarkMergesWithKana(text_.At(pos - 1), text_.At(pos)) && !probe_.IsTrail(pos - 1);
    return probe_.IsTrail(pos) || mergedMark ? pos - 1 : pos;
}

std::optional<TSearchRange> TPatternScan::Backward(std::int64_t from)
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
    if (!anchor_.Filters())
        return TryStartsBackward(from, 0);
    // Starts from tried on have been compared.
    std::int64_t tried = from + 1;
    std::optional<TSearchRange> match;
    anchorScan_.Backward(
        anchor_.NearMin, std::min(from + anchor_.FarMax, text_.Length() - 1), [&](std::int64_t anchor) {
            const std::int64_t downTo = std::max<std::int64_t>(anchor - anchor_.FarMax, 0);
            match = TryStartsBackward(std::min(tried - 1, anchor - anchor_.NearMin), downTo);
            tried = std::min(tried, downTo);
            return match.has_value();
        });
    return match;
}

} // namespace brenvik
