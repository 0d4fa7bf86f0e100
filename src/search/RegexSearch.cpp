// One library search per call, with a step budget; a match the library reports inside a character (possible
// only in invalid Shift_JIS, where its idea of a character start and the editor's differ) is passed over.
// The library's forward range also bounds the end of a match, so a search always ranges to the end.
#include "search/RegexSearch.h"

#include "search/RegexLibrary.h"
#include "support/LeadByte.h"

#include <algorithm>

namespace brenvik {

TRegexSearch::TRegexSearch(const TRegexPattern& pattern, std::string_view text, TRegexLimits limits)
    : pattern_(pattern)
    , text_(text)
    , probe_(text_)
    , subjectEnd_(text_.Length())
    , limits_(limits)
    , region_(onig_region_new())
    , param_(onig_new_match_param())
{
    const std::int64_t last = text_.Length() - 1;
    if (last >= 0 && IsLeadByte(text_.At(last)) && !probe_.IsTrail(last))
        subjectEnd_ = last;
    onig_set_retry_limit_in_match_of_match_param(param_, limits_.StepsPerStart);
    onig_set_callout_user_data_of_match_param(param_, &text_);
}

TRegexSearch::~TRegexSearch()
{
    onig_region_free(region_, 1);
    onig_free_match_param(param_);
}

bool TRegexSearch::IsCharacterStart(std::int64_t pos)
{
    return pos <= 0 || pos >= text_.Length() || !probe_.IsTrail(pos);
}

std::int64_t TRegexSearch::NextCharacter(std::int64_t pos) const
{
    return pos + (IsLeadByte(text_.At(pos)) && pos + 1 < subjectEnd_ ? 2 : 1);
}

TRegexStatus TRegexSearch::Search(std::int64_t from, TRegexMatch& match)
{
    const auto span = static_cast<unsigned long>(subjectEnd_ - from);
    onig_set_retry_limit_in_search_of_match_param(param_, limits_.StepsPerSearch + limits_.StepsPerByte * span);
    const OnigUChar* subject = text_.Data();
    const int result = onig_search_with_param(pattern_.Library(), subject, subject + subjectEnd_, subject + from,
        subject + subjectEnd_, region_, ONIG_OPTION_NONE, param_);
    if (result == ONIG_MISMATCH)
        return TRegexStatus::NotFound;
    // Step limits, and the library's own stack limit: the expression is too costly for this text.
    if (result < 0)
        return TRegexStatus::TooComplex;
    match.Groups.clear();
    for (int group = 0; group < region_->num_regs; ++group)
        match.Groups.emplace_back(region_->beg[group], region_->end[group]);
    match.Start = region_->beg[0];
    match.End = region_->end[0];
    return TRegexStatus::Found;
}

TRegexResult TRegexSearch::Forward(std::int64_t from)
{
    if (!pattern_.Valid())
        return {};
    from = std::clamp<std::int64_t>(from, 0, subjectEnd_);
    TRegexMatch match;
    while (from <= subjectEnd_) {
        if (!IsCharacterStart(from))
            ++from;
        const TRegexStatus status = Search(from, match);
        if (status != TRegexStatus::Found)
            return {status, {}};
        if (IsCharacterStart(match.Start) && IsCharacterStart(match.End))
            return {status, std::move(match)};
        from = match.Start + 1;
    }
    return {};
}

// The library's own backward search misses matches that reach past its start, so the last match before
// before is found by forward searches: from ever larger windows below before until one starts in them,
// then halving the stretch between the best start so far and the first place known to hold none.
TRegexResult TRegexSearch::Backward(std::int64_t before)
{
    before = std::min(before, subjectEnd_ + 1);
    if (!pattern_.Valid() || before <= 0)
        return {};
    TRegexResult best;
    for (std::int64_t window = 4096;; window *= 4) {
        const std::int64_t low = std::max<std::int64_t>(0, before - window);
        best = Forward(low);
        if (best.Status == TRegexStatus::TooComplex)
            return best;
        if (best.Found() && best.Match.Start < before)
            break;
        if (low == 0)
            return {};
    }
    // No match starts in [none, before).
    std::int64_t none = before;
    while (best.Match.Start + 1 < none) {
        const std::int64_t middle = best.Match.Start + 1 + (none - best.Match.Start - 1) / 2;
        TRegexResult later = Forward(middle);
        if (later.Status == TRegexStatus::TooComplex)
            return later;
        if (later.Found() && later.Match.Start < none)
            best = std::move(later);
        else
            none = middle;
    }
    return best;
}

TRegexResult TRegexSearch::After(const TRegexMatch& previous)
{
    TRegexResult result = Forward(previous.End);
    if (!result.Found() || result.Match.Length() > 0 || result.Match.Start != previous.End)
        return result;
    if (previous.End >= subjectEnd_)
        return {};
    return Forward(NextCharacter(previous.End));
}

TRegexResult TRegexSearch::Find(TSearchRange selection, bool down)
{
    if (selection.Start < 0 || selection.Start > text_.Length() || selection.Length < 0)
        return {};
    if (!down)
        return Backward(selection.Start);
    const std::int64_t from = std::int64_t {selection.Start} + selection.Length;
    if (selection.Length > 0)
        return Forward(from);
    TRegexMatch caret;
    caret.Start = caret.End = from;
    return After(caret);
}

} // namespace brenvik
