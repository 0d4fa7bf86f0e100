// The literal engine's matches, each next one searched from the end of the last as find next does.
#include "grep/LiteralMatcher.h"

#include "search/PatternScan.h"

#include <algorithm>
#include <cstring>

namespace brenvik {

TLiteralMatcher::TLiteralMatcher(std::string pattern, TSearchFlags flags)
    : pattern_(std::move(pattern))
    , flags_(flags.Bits() | TSearchFlags::Down)
{
    const bool ascii = std::all_of(pattern_.begin(), pattern_.end(), [](char byte) { return byte > 0; });
    rawBytes_ = ascii && !pattern_.empty() && flags_.Has(TSearchFlags::MatchCase)
        && !flags_.Has(TSearchFlags::NoMatchZenkaku) && !flags_.Has(TSearchFlags::IncludeCRLF)
        && !flags_.Has(TSearchFlags::IncludeSpace);
}

bool TLiteralMatcher::MayMatch(std::string_view bytes) const
{
    return !rawBytes_ || ::memmem(bytes.data(), bytes.size(), pattern_.data(), pattern_.size()) != nullptr
        || std::memchr(bytes.data(), '\x1B', bytes.size()) != nullptr;
}

std::string TLiteralMatcher::ForEachMatch(std::string_view text, const std::function<bool(TSearchRange)>& found) const
{
    if (pattern_.empty() || text.empty())
        return {};
    TPatternScan scan(text, pattern_, flags_);
    std::int64_t from = 0;
    while (const std::optional<TSearchRange> match = scan.Forward(from)) {
        if (!found(*match))
            return {};
        from = std::int64_t {match->Start} + std::max(match->Length, 1);
    }
    return {};
}

} // namespace brenvik
