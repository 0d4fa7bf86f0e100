// grep's matcher over the expression layer: the matches of a forward walk over the whole text.
#pragma once

#include "grep/GrepMatcher.h"
#include "search/RegexPattern.h"

#include <memory>

namespace brenvik {

class TExpressionMatcher : public TGrepMatcher {
public:
    // pattern must be valid.
    explicit TExpressionMatcher(std::unique_ptr<TRegexPattern> pattern);
    std::string ForEachMatch(std::string_view text, const std::function<bool(TSearchRange)>& found) const override;

private:
    std::unique_ptr<TRegexPattern> pattern_;
};

} // namespace brenvik
