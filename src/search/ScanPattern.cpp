// The engine's scan over a zero-terminated text: the candidate loop of TPatternScan, stopped at the first
// zero byte.
#include "search/ScanPattern.h"

#include "search/PatternScan.h"

#include <algorithm>
#include <cstring>

namespace brenvik {

namespace {

// The scan with every byte of the view taken as text.
std::optional<TSearchRange> ScanBytes(
    std::string_view text, TSearchRange selection, std::string_view pattern, TSearchFlags flags)
{
    return TPatternScan(text, pattern, flags).Find(selection);
}

} // namespace

// The text ends at its first zero byte, but the bytes up to a match (and up to the selection) are all the
// scan read to decide; so it scans the whole view and looks for a zero only there. A match in the text is
// a match in the view at the same place, with the same candidates failing before it; only a zero before the
// match's end or the selection makes the view's answer wrong, and then the scan is repeated on the text.
// Without a match every byte was read: a lead byte just before a zero is a lone lead byte in the text, which
// a pattern ending in one matches, but a pair with the zero in the view.
std::optional<TSearchRange> ScanPattern(
    std::string_view text, TSearchRange selection, std::string_view pattern, TSearchFlags flags)
{
    const std::optional<TSearchRange> match = ScanBytes(text, selection, pattern, flags);
    const auto decided = !match ? text.size()
                                : static_cast<std::size_t>(std::max<std::int64_t>(
                                    selection.Start, std::int64_t {match->Start} + match->Length));
    const void* zero = std::memchr(text.data(), 0, std::min(decided, text.size()));
    if (!zero)
        return match;
    return ScanBytes(text.substr(0, static_cast<const char*>(zero) - text.data()), selection, pattern, flags);
}

} // namespace brenvik
