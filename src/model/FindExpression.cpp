// Expression searches of a find session; an invalid pattern or replacement (the dialogs refuse both) finds
// and replaces nothing.
#include "model/FindExpression.h"

namespace brenvik {

void TFindExpression::Start(std::string_view search, std::string_view replacement, TSearchFlags options)
{
    FPattern = std::make_unique<TRegexPattern>(search, TRegexOptions::FromFlags(options));
    FReplacement = std::make_unique<TRegexReplacement>(replacement, *FPattern);
}

void TFindExpression::Clear()
{
    FReplacement.reset();
    FPattern.reset();
}

TRegexResult TFindExpression::Find(std::string_view text, TSearchRange selection, bool down)
{
    TRegexSearch search(*FPattern, text);
    TRegexResult result = search.Find(selection, down);
    if (result.Found())
        FLast = result.Match;
    return result;
}

std::optional<TRegexMatch> TFindExpression::MatchAt(std::string_view text, TSearchRange selection)
{
    TRegexSearch search(*FPattern, text);
    const TRegexResult result = search.Forward(selection.Start);
    if (!result.Found() || result.Match.Range() != selection)
        return std::nullopt;
    FLast = result.Match;
    return FLast;
}

std::string TFindExpression::Expansion(std::string_view text) const
{
    return FReplacement->Expand(text, FLast);
}

TRegexReplaced TFindExpression::ReplaceAll(
    std::string_view text, TSearchRange selection, const std::optional<TRegexMatch>& first, bool down)
{
    TRegexSearch search(*FPattern, text);
    return ReplaceExpressionMatches(search, text, selection, first, *FReplacement, down);
}

} // namespace brenvik
