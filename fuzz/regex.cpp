// The expression layer on arbitrary Shift_JIS text, pattern, replacement and options:
//   - any pattern compiles or is refused with a reason and a place inside it;
//   - a forward walk advances, and every match starts and ends at a character start of the text, never
//     between the CR and LF of one break, never on a lone lead byte that closes the text;
//   - a backward search finds the last match of the walk that starts before its point (\G, which anchors at
//     a search's own start, aside);
//   - replace-all replaces exactly the walk's matches, and a replacement refused is refused before any.
#include "CharacterStarts.h"
#include "FuzzCheck.h"

#include "search/RegexReplaceAll.h"
#include "support/LeadByte.h"

#include <fuzzer/FuzzedDataProvider.h>

#include <algorithm>
#include <cstdint>
#include <string>
#include <vector>

using namespace brenvik;
using fuzz::CharacterStarts;
using fuzz::Require;

namespace {

constexpr std::size_t kMostPattern = 48;
constexpr std::size_t kMostText = 4096;
// Small budgets keep every input fast; a search that hits them stops as too complex.
constexpr TRegexLimits kLimits {20'000, 200'000, 8, 64 * 1024};

bool InsideBreak(std::string_view text, std::int64_t pos)
{
    return pos > 0 && pos < static_cast<std::int64_t>(text.size()) && text[pos - 1] == '\r' && text[pos] == '\n';
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    FuzzedDataProvider input(data, size);
    const auto bits = input.ConsumeIntegral<std::uint8_t>();
    const TRegexOptions options {(bits & 1) != 0, (bits & 2) != 0, (bits & 4) != 0};
    const std::string pattern = input.ConsumeRandomLengthString(kMostPattern);
    const std::string replacement = input.ConsumeRandomLengthString(kMostPattern);
    const std::string text = input.ConsumeRandomLengthString(kMostText);

    const TRegexPattern compiled(pattern, options);
    if (!compiled.Valid()) {
        const TRegexError& error = compiled.Error();
        Require(!error.Reason.empty() || error.TooLong, "a refused pattern has a reason");
        const std::vector<bool> starts = CharacterStarts(pattern);
        const auto characters = std::count(starts.begin(), starts.end(), true) - 1;
        Require(error.Column >= 0 && error.Column <= characters, "the place of an error is in the pattern");
        return 0;
    }
    // Half the inputs have a literal prefix found by the literal engine first.
    TRegexLimits limits = kLimits;
    limits.PrefixScanMinBytes = (bits & 8) ? 0 : limits.PrefixScanMinBytes;
    TRegexSearch search(compiled, text, limits);
    const std::vector<bool> starts = CharacterStarts(text);
    const bool loneLead = !text.empty() && IsLeadByte(static_cast<std::uint8_t>(text.back())) && starts[text.size() - 1];
    const auto subjectEnd = static_cast<std::int64_t>(text.size()) - (loneLead ? 1 : 0);
    std::vector<TRegexMatch> walk;
    TRegexResult result = search.Find({0, 0}, true);
    for (; result.Found(); result = search.After(walk.back())) {
        const TRegexMatch& match = result.Match;
        Require(match.Start <= match.End && match.End <= subjectEnd, "a match lies inside the text");
        Require(starts[match.Start] && starts[match.End], "a match starts and ends at character starts");
        Require(!InsideBreak(text, match.Start) && !InsideBreak(text, match.End), "a match never splits CR LF");
        Require(walk.empty() || match.Start > walk.back().Start || match.End > walk.back().End,
            "a walk advances");
        Require(walk.empty() || match.Start >= walk.back().End, "a walk's matches do not overlap");
        walk.push_back(match);
    }
    if (result.Status == TRegexStatus::TooComplex)
        return 0;
    // Backward from just after each walked start finds that start.
    for (const TRegexMatch& match : pattern.find("\\G") == std::string::npos ? walk : std::vector<TRegexMatch> {}) {
        const TRegexResult back = search.Backward(match.Start + 1);
        if (back.Status == TRegexStatus::TooComplex)
            return 0;
        Require(back.Found() && back.Match.Start == match.Start, "a backward search finds the walked match");
    }
    const TRegexReplacement expansion(replacement, compiled);
    if (!expansion.Valid())
        return 0;
    const TRegexReplaced replaced = ReplaceExpressionMatches(search, text, {0, 0}, std::nullopt, expansion, true);
    if (replaced.Status == TRegexStatus::TooComplex)
        return 0;
    Require(replaced.Stretch.Count == static_cast<int>(walk.size()), "replace-all replaces the walk's matches");
    if (!walk.empty()) {
        std::string expected = text.substr(0, replaced.Stretch.Start);
        std::int64_t copied = replaced.Stretch.Start;
        for (const TRegexMatch& match : walk) {
            expected.append(text, copied, match.Start - copied);
            expansion.AppendTo(expected, text, match);
            copied = match.End;
        }
        expected.append(text, copied, replaced.Stretch.End - copied);
        Require(expected.substr(replaced.Stretch.Start) == replaced.Stretch.Text, "the stretch is the text replaced");
    }
    return 0;
}
