// Choosing and preparing the matcher.
#include "grep/MakeGrepMatcher.h"

#include "grep/ExpressionMatcher.h"
#include "grep/LiteralMatcher.h"
#include "jcode/SjisUnicode.h"
#include "search/RegexOptions.h"

namespace brenvik {

std::unique_ptr<TGrepMatcher> MakeGrepMatcher(
    const std::string& pattern, TSearchFlags flags, bool expression, std::string& error)
{
    if (!expression)
        return std::make_unique<TLiteralMatcher>(pattern, flags);
    auto compiled = std::make_unique<TRegexPattern>(pattern, TRegexOptions::FromFlags(flags));
    if (!compiled->Valid()) {
        // The library's words name parts of the pattern in Shift_JIS.
        const std::string reason = SjisToUnicode(compiled->Error().Reason).toUtf8().toStdString();
        error = compiled->Error().Message(reason);
        return nullptr;
    }
    return std::make_unique<TExpressionMatcher>(std::move(compiled));
}

} // namespace brenvik
