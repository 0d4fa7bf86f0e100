// The walk collects every match first, so that a search stopped for its cost changes nothing.
#include "search/RegexReplaceAll.h"

#include <algorithm>

namespace brenvik {

TRegexReplaced ReplaceExpressionMatches(TRegexSearch& search, std::string_view text, TSearchRange selection,
    const std::optional<TRegexMatch>& first, const TRegexReplacement& replacement, bool down)
{
    std::vector<TRegexMatch> matches;
    TRegexResult result = first ? TRegexResult {TRegexStatus::Found, *first} : search.Find(selection, down);
    while (result.Found()) {
        const TRegexMatch& match = result.Match;
        if (!down && !matches.empty() && match.End > matches.back().Start) {
            result = search.Backward(match.Start);
            continue;
        }
        matches.push_back(std::move(result.Match));
        result = down ? search.After(matches.back()) : search.Backward(matches.back().Start);
    }
    if (result.Status == TRegexStatus::TooComplex)
        return {TRegexStatus::TooComplex, {}};
    if (matches.empty())
        return {};
    if (!down)
        std::reverse(matches.begin(), matches.end());
    std::vector<TSearchRange> ranges;
    ranges.reserve(matches.size());
    for (const TRegexMatch& match : matches)
        ranges.push_back(match.Range());
    return {TRegexStatus::Found, ReplaceRanges(text, ranges, down,
                                     [&](std::string& out, std::size_t index) {
                                         replacement.AppendTo(out, text, matches[index]);
                                     })};
}

} // namespace brenvik
