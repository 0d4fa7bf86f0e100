// The expression layer's walk, each match handed on as a range; a walk stopped by the layer's step limits
// says so.
#include "grep/ExpressionMatcher.h"

#include "search/RegexSearch.h"

namespace brenvik {

TExpressionMatcher::TExpressionMatcher(std::unique_ptr<TRegexPattern> pattern)
    : pattern_(std::move(pattern))
{
}

std::string TExpressionMatcher::ForEachMatch(
    std::string_view text, const std::function<bool(TSearchRange)>& found) const
{
    TRegexSearch search(*pattern_, text);
    TRegexResult result = search.Forward(0);
    for (; result.Found(); result = search.After(result.Match)) {
        if (!found(result.Match.Range()))
            return {};
    }
    if (result.Status == TRegexStatus::TooComplex)
        return "式が複雑すぎるので、この先の検索を中断しました。";
    return {};
}

} // namespace brenvik
