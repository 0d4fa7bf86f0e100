// The expression layer over Shift_JIS text: anchors and line breaks of every kind, character starts,
// captures, both directions, whole words, the step limit and the refusals.
#include "SjisText.h"

#include "search/RegexPattern.h"
#include "search/RegexSearch.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace brenvik {
namespace {

using test::ToSjis;

// Every match of a forward walk as (start, end).
std::vector<std::pair<std::int64_t, std::int64_t>> Walk(
    const std::string& pattern, const std::string& text, TRegexOptions options = {})
{
    const TRegexPattern compiled(pattern, options);
    EXPECT_TRUE(compiled.Valid()) << pattern << ": " << compiled.Error().Reason;
    TRegexSearch search(compiled, text);
    std::vector<std::pair<std::int64_t, std::int64_t>> matches;
    for (TRegexResult result = search.Forward(0); result.Found(); result = search.After(result.Match))
        matches.emplace_back(result.Match.Start, result.Match.End);
    return matches;
}

using Spans = std::vector<std::pair<std::int64_t, std::int64_t>>;

TEST(RegexSearch, AnchorsHoldAtLineEdgesOfEveryLineEndNeverInsideCrLf)
{
    // Lines "sub a", "sub b", "sub c", "x sub d" ended by CR LF, CR and LF.
    const std::string text = "sub a\r\nsub b\rsub c\nx sub d";
    EXPECT_EQ(Walk("^sub", text), (Spans {{0, 3}, {7, 10}, {13, 16}}));
    EXPECT_EQ(Walk("\\w$", text), (Spans {{4, 5}, {11, 12}, {17, 18}, {25, 26}}));
    // An empty line between two breaks of each kind.
    EXPECT_EQ(Walk("^$", "a\r\n\r\nb\r\rc\n\nd"), (Spans {{3, 3}, {7, 7}, {10, 10}}));
    // \n and a typed break match one whole break, whatever its kind; . never matches a break.
    EXPECT_EQ(Walk("a\\nb", "a\r\nb a\rb a\nb"), (Spans {{0, 4}, {5, 8}, {9, 12}}));
    EXPECT_EQ(Walk("a\r\nb", "a\rb"), (Spans {{0, 3}}));
    EXPECT_EQ(Walk("a\\r\\nb", "a\nb"), (Spans {{0, 3}}));
    EXPECT_EQ(Walk(".+", "ab\r\ncd\re"), (Spans {{0, 2}, {4, 6}, {7, 8}}));
    EXPECT_EQ(Walk("[^\\n]+", "ab\r\ncd"), (Spans {{0, 2}, {4, 6}}));
    // \s may take a break, but a match never ends between its CR and LF.
    EXPECT_EQ(Walk("b\\s", "b\r\nb\n"), (Spans {{3, 5}}));
    EXPECT_EQ(Walk("b\\s+", "b\r\nb\n"), (Spans {{0, 3}, {3, 5}}));
    EXPECT_EQ(Walk("x\\Z", "x\r\n"), (Spans {{0, 1}}));
}

TEST(RegexSearch, MultiLineMatchesSpanTheDocumentsBreaks)
{
    const std::string text = ToSjis("print \"表示\\n\";\r\nsub 処理 {\r\n}\r\n");
    EXPECT_EQ(Walk("print\\s+\"[^\"]*\\\\n\"", text), (Spans {{0, 14}}));
    EXPECT_EQ(Walk("\\{\\n\\}", text), (Spans {{26, 30}}));
    EXPECT_EQ(Walk("^sub\\s+(\\S+)", text), (Spans {{17, 25}}));
}

TEST(RegexSearch, MatchesStartAndEndOnlyAtCharacterStarts)
{
    // ソ (0x83 0x5C) and 表 (0x95 0x5C) end in a backslash byte; ト (0x83 0x67) in 'g'; ＝ (0x81 0x81) is
    // lead-valued twice.
    const std::string text = ToSjis("ソ表トg＝＝");
    EXPECT_EQ(Walk("\\\\", text), Spans {});
    EXPECT_EQ(Walk("\\x5C", text), Spans {});
    EXPECT_EQ(Walk("g", text), (Spans {{6, 7}}));
    EXPECT_EQ(Walk("\\x81\\x81", text), (Spans {{7, 9}, {9, 11}}));
    EXPECT_EQ(Walk(ToSjis("＝"), text), (Spans {{7, 9}, {9, 11}}));
    EXPECT_EQ(Walk(".", text).size(), 6u);
    // Searches from inside a character begin after it, both ways.
    const TRegexPattern any(".", {});
    TRegexSearch search(any, text);
    EXPECT_EQ(search.Forward(1).Match.Start, 2);
    EXPECT_EQ(search.Backward(4).Match.Start, 2);
    EXPECT_EQ(search.Backward(3).Match.Start, 2);
    EXPECT_EQ(search.Backward(2).Match.Start, 0);
    // A lone lead byte closing the text is no character: nothing matches it.
    EXPECT_EQ(Walk("[\\x00-\\xFF]|.", "a\x83"), (Spans {{0, 1}}));
    EXPECT_EQ(Walk("a$", "a\x83"), (Spans {{0, 1}}));
}

TEST(RegexSearch, NulBytesAreOrdinaryText)
{
    const std::string text("a\0b\0", 4);
    EXPECT_EQ(Walk("\\x00", text), (Spans {{1, 2}, {3, 4}}));
    EXPECT_EQ(Walk("a.b", text), (Spans {{0, 3}}));
    EXPECT_EQ(Walk("b", text), (Spans {{2, 3}}));
}

TEST(RegexSearch, GroupsAreCapturedByNumberAndName)
{
    const std::string text = ToSjis("$in{'名前'} = 1;");
    const TRegexPattern pattern("\\$in\\{'(?<key>[^']+)'\\}\\s*(=)", {});
    ASSERT_TRUE(pattern.Valid());
    EXPECT_EQ(pattern.GroupCount(), 2);
    EXPECT_EQ(pattern.GroupNumbers("key"), std::vector<int> {1});
    EXPECT_TRUE(pattern.GroupNumbers("nothing").empty());
    TRegexSearch search(pattern, text);
    const TRegexResult result = search.Forward(0);
    ASSERT_TRUE(result.Found());
    ASSERT_EQ(result.Match.Groups.size(), 3u);
    EXPECT_EQ(result.Match.Groups[1], (std::pair<std::int64_t, std::int64_t> {5, 9}));
    EXPECT_EQ(result.Match.Groups[2], (std::pair<std::int64_t, std::int64_t> {12, 13}));
    // A group that took no part.
    const TRegexPattern optional("a(x)?b", {});
    TRegexSearch second(optional, "ab");
    EXPECT_EQ(second.Forward(0).Match.Groups[1].first, -1);
}

TEST(RegexSearch, FindStepsFromASelectionInBothDirections)
{
    const std::string text = "ab ab ab";
    const TRegexPattern pattern("ab", {});
    TRegexSearch search(pattern, text);
    EXPECT_EQ(search.Find({3, 2}, true).Match.Start, 6);
    EXPECT_EQ(search.Find({3, 2}, false).Match.Start, 0);
    EXPECT_FALSE(search.Find({0, 2}, false).Found());
    EXPECT_FALSE(search.Find({9, 0}, true).Found());
    EXPECT_FALSE(search.Find({-1, 0}, true).Found());
    // An empty match where the caret stands is passed over, so that find next moves on.
    const TRegexPattern lineStart("^", {});
    TRegexSearch lines(lineStart, "a\r\nb\r\nc");
    EXPECT_EQ(lines.Find({0, 0}, true).Match.Start, 3);
    EXPECT_EQ(lines.Find({3, 0}, true).Match.Start, 6);
    EXPECT_EQ(lines.Find({6, 0}, false).Match.Start, 3);
    // A walk of empty and non-empty matches advances past each.
    EXPECT_EQ(Walk("x*", "xab"), (Spans {{0, 1}, {2, 2}, {3, 3}}));
}

TEST(RegexSearch, WholeWordsUseTheLiteralSearchDelimiters)
{
    const TRegexOptions word {false, false, true};
    // The underscore is a delimiter; so is a trail byte 0x5C (ソ), but not a trail byte 'g' (ト).
    EXPECT_EQ(Walk("foo", "foo_x xfoo foo", word), (Spans {{0, 3}, {11, 14}}));
    EXPECT_EQ(Walk("a\\w*", ToSjis("ソab トab"), word), (Spans {{2, 4}}));
    EXPECT_EQ(Walk("\\w+", "ab cd", word), (Spans {{0, 2}, {3, 5}}));
    // The lone lead byte closing a text is a word byte after a match, as literal search reads it.
    EXPECT_EQ(Walk("a", "a\x83", word), Spans {});
}

TEST(RegexSearch, CatastrophicBacktrackingStopsAsTooComplex)
{
    const std::string text = std::string(100'000, 'a') + "!";
    const TRegexPattern pattern("(a+)+$", {});
    TRegexSearch search(pattern, text);
    EXPECT_EQ(search.Forward(0).Status, TRegexStatus::TooComplex);
    EXPECT_EQ(search.Backward(static_cast<std::int64_t>(text.size())).Status, TRegexStatus::TooComplex);
    // The same expression over text it matches at once.
    const std::string matching(100'000, 'a');
    TRegexSearch easy(pattern, matching);
    EXPECT_EQ(easy.Forward(0).Match.End, 100'000);
}

TEST(RegexSearch, BadExpressionsAreRefusedWithReasonAndPlace)
{
    struct TCase {
        std::string Pattern;
        int Column;
    };
    const TCase cases[] = {
        {"a{2,1}", 6},
        {"ab(c", 3},
        {"a)b", 2},
        {"[b-a]", 4},
        {"(?<n>a)\\k<m>", 12},
        {ToSjis("表*+?(?z)"), 7},
        {"\\", 1},
    };
    for (const TCase& bad : cases) {
        const TRegexPattern pattern(bad.Pattern, {});
        EXPECT_FALSE(pattern.Valid()) << bad.Pattern;
        EXPECT_FALSE(pattern.Error().Reason.empty()) << bad.Pattern;
        EXPECT_EQ(pattern.Error().Column, bad.Column) << bad.Pattern << ": " << pattern.Error().Reason;
    }
    const TRegexPattern wrong("a{2,1}", {});
    EXPECT_EQ(wrong.Error().Message(wrong.Error().Reason),
        "正規表現が正しくありません: upper is smaller than lower in repeat range（6 文字目）");
    const TRegexPattern huge(std::string(TRegexPattern::MaxPatternBytes + 1, 'a'), {});
    EXPECT_FALSE(huge.Valid());
    EXPECT_TRUE(huge.Error().TooLong);
    EXPECT_TRUE(TRegexPattern(std::string(TRegexPattern::MaxPatternBytes, 'a'), {}).Valid());
    // An invalid pattern searches nothing.
    TRegexSearch search(wrong, "aaa");
    EXPECT_FALSE(search.Forward(0).Found());
}

} // namespace
} // namespace brenvik
