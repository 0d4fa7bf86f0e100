// Replace-all as one walk: one prepared scan goes from match to match over the unchanged text while the
// new stretch is assembled, so the cost is one pass, not one search of the whole text per match.
#include "search/ReplaceMatches.h"

#include "search/PatternScan.h"

#include <algorithm>
#include <vector>

namespace brenvik {

namespace {

std::vector<TSearchRange> WalkMatches(
    TPatternScan& scan, TSearchRange selection, std::optional<TSearchRange> first, bool down)
{
    std::vector<TSearchRange> matches;
    std::optional<TSearchRange> match = first ? first : scan.Find(selection);
    while (match) {
        // Backward, a match that skips line breaks or blanks may reach into the one found before it; that
        // text is replaced already.
        if (!down && !matches.empty() && std::int64_t {match->Start} + match->Length > matches.back().Start) {
            match = scan.Backward(match->Start);
            continue;
        }
        matches.push_back(*match);
        match = down ? scan.Forward(std::int64_t {match->Start} + match->Length) : scan.Backward(match->Start);
    }
    return matches;
}

} // namespace

TReplacedStretch ReplaceRanges(std::string_view text, const std::vector<TSearchRange>& matches, bool down,
    const std::function<void(std::string& out, std::size_t index)>& append, std::size_t replacedBytes)
{
    TReplacedStretch stretch;
    const std::size_t firstByte = static_cast<std::size_t>(matches.front().Start);
    const std::size_t lastEnd = static_cast<std::size_t>(std::int64_t {matches.back().Start} + matches.back().Length);
    const std::size_t lineStart = firstByte == 0 ? std::string_view::npos : text.rfind('\n', firstByte - 1);
    stretch.Start = lineStart == std::string_view::npos ? 0 : std::int64_t(lineStart + 1);
    const std::size_t lineEnd = lastEnd == 0 ? text.find('\n') : text.find('\n', lastEnd - 1);
    stretch.End = lineEnd == std::string_view::npos ? std::int64_t(text.size()) : std::int64_t(lineEnd + 1);
    stretch.Count = static_cast<int>(matches.size());
    std::size_t size = static_cast<std::size_t>(stretch.End - stretch.Start) + replacedBytes;
    for (const TSearchRange& match : matches)
        size -= static_cast<std::size_t>(match.Length);
    stretch.Text.reserve(size);
    std::int64_t copied = stretch.Start;
    for (std::size_t index = 0; index < matches.size(); ++index) {
        const TSearchRange& match = matches[index];
        stretch.Text.append(text.substr(static_cast<std::size_t>(copied), static_cast<std::size_t>(match.Start - copied)));
        append(stretch.Text, index);
        copied = std::int64_t {match.Start} + match.Length;
    }
    // Forward the caret ends after the last replacement, backward at the first (lowest) one.
    stretch.Caret = down ? stretch.Start + static_cast<std::int64_t>(stretch.Text.size()) : matches.front().Start;
    stretch.Text.append(text.substr(static_cast<std::size_t>(copied), static_cast<std::size_t>(stretch.End - copied)));
    return stretch;
}

TReplacedStretch ReplaceMatches(std::string_view text, TSearchRange selection, std::optional<TSearchRange> first,
    std::string_view pattern, std::string_view replacement, TSearchFlags flags)
{
    TPatternScan scan(text, pattern, flags);
    const bool down = flags.Has(TSearchFlags::Down);
    std::vector<TSearchRange> matches = WalkMatches(scan, selection, first, down);
    if (matches.empty())
        return {};
    if (!down)
        std::reverse(matches.begin(), matches.end());
    return ReplaceRanges(
        text, matches, down, [&](std::string& out, std::size_t) { out.append(replacement); },
        matches.size() * replacement.size());
}

} // namespace brenvik
