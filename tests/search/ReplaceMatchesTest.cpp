// Replace-all as one walk: which matches it takes in each direction, what the changed stretch and
// the caret become, and text the engine alone would stop at (zero bytes).
#include "SjisText.h"

#include "search/PatternScan.h"
#include "search/ReplaceMatches.h"

#include <gtest/gtest.h>

namespace brenvik {
namespace {

using test::ToSjis;
using F = TSearchFlags;

// The whole new text after replacing, and the stretch's count and caret.
struct TApplied {
    std::string Text;
    int Count;
    std::int64_t Caret;
};

TApplied Apply(const std::string& text, TSearchRange selection, std::optional<TSearchRange> first,
    const std::string& pattern, const std::string& replacement, std::uint16_t flags)
{
    const TReplacedStretch stretch = ReplaceMatches(text, selection, first, pattern, replacement, flags);
    if (stretch.Count == 0)
        return {text, 0, -1};
    return {text.substr(0, std::size_t(stretch.Start)) + stretch.Text + text.substr(std::size_t(stretch.End)),
        stretch.Count, stretch.Caret};
}

TEST(ReplaceMatches, ReplacementsHoldingThePatternAreNeverSearchedAgain)
{
    const TApplied forward = Apply("a-a-a", {}, std::nullopt, "a", "aa", F::Down);
    EXPECT_EQ(forward.Text, "aa-aa-aa");
    EXPECT_EQ(forward.Count, 3);
    EXPECT_EQ(forward.Caret, 8); // after the last replacement
    const TApplied backward = Apply("a-a-a", {5, 0}, std::nullopt, "a", "aa", 0);
    EXPECT_EQ(backward.Text, "aa-aa-aa");
    EXPECT_EQ(backward.Caret, 0); // at the start of the last (lowest) replacement
    const std::string so = ToSjis("ソ");
    const TApplied kana = Apply(so + "x" + so, {}, std::nullopt, so, so + so, F::Down | F::MatchCase);
    EXPECT_EQ(kana.Text, so + so + "x" + so + so);
    EXPECT_EQ(kana.Count, 2);
}

TEST(ReplaceMatches, MatchesAtTheEdgesOfTheTextAreTaken)
{
    // Offset 0 backward from the end, and the very last bytes forward from the start.
    EXPECT_EQ(Apply("foo bar foo", {11, 0}, std::nullopt, "foo", "X", 0).Text, "X bar X");
    EXPECT_EQ(Apply("bar foo", {}, std::nullopt, "foo", "X", F::Down).Text, "bar X");
    // Forward from a selection that reaches the end: nothing.
    EXPECT_EQ(Apply("foo", {0, 3}, std::nullopt, "foo", "X", F::Down).Count, 0);
    EXPECT_EQ(Apply("", {}, std::nullopt, "foo", "X", F::Down).Count, 0);
}

TEST(ReplaceMatches, TheGivenFirstMatchIsReplacedAndTheWalkGoesOnFromIt)
{
    // The selection [0, 3) is itself a match: forward it is taken, not skipped.
    const TApplied forward = Apply("foo foo foo", {0, 3}, TSearchRange {0, 3}, "foo", "X", F::Down);
    EXPECT_EQ(forward.Text, "X X X");
    const TApplied backward = Apply("foo foo foo", {4, 3}, TSearchRange {4, 3}, "foo", "X", 0);
    EXPECT_EQ(backward.Text, "X X foo");
    EXPECT_EQ(backward.Caret, 0);
}

TEST(ReplaceMatches, TheStretchIsWholeLines)
{
    const TReplacedStretch middle = ReplaceMatches("one\r\ntwo foo\r\nthree", {}, std::nullopt, "foo", "X", F::Down);
    EXPECT_EQ(middle.Start, 5);
    EXPECT_EQ(middle.End, 14);
    EXPECT_EQ(middle.Text, "two X\r\n");
    EXPECT_EQ(middle.Caret, 10);
    // A match ending in a line break, and one in the last line without a break.
    const TReplacedStretch edges = ReplaceMatches("a\r\nb\r\nfoo", {}, std::nullopt, "a\r\n", "X", F::Down);
    EXPECT_EQ(edges.End, 3);
    EXPECT_EQ(ReplaceMatches("a\r\nb\r\nfoo", {}, std::nullopt, "foo", "X", F::Down).Text, "X");
}

TEST(ReplaceMatches, ZeroBytesAreOrdinaryText)
{
    const std::string text("foo\0foo\0foo", 11);
    const TApplied applied = Apply(text, {}, std::nullopt, "foo", "ab", F::Down);
    EXPECT_EQ(applied.Text, std::string("ab\0ab\0ab", 8));
    TPatternScan scan(text, "foo", F::Down);
    EXPECT_EQ(scan.Find({0, 3}), (TSearchRange {4, 3}));
    EXPECT_EQ(scan.Backward(11), (TSearchRange {8, 3}));
}

TEST(ReplaceMatches, TrailBytesAndSkippedBreaksKeepMatchesApart)
{
    // 表 ends in 0x5C: a pattern "\" never matches its trail byte.
    const std::string hyo = "\x95\x5C";
    EXPECT_EQ(Apply(hyo + "\\" + hyo, {}, std::nullopt, "\\", "/", F::Down | F::MatchCase).Text, hyo + "/" + hyo);
    // Backward with skipped line breaks, a match reaching into one already replaced is left.
    // ("ab\r\nab" at 0 would reach into "abab" at 4, as find-next would after replacing it.)
    const TApplied applied =
        Apply("ab\r\nabab", {8, 0}, std::nullopt, "abab", "X", F::IncludeCRLF | F::IncludeSpace);
    EXPECT_EQ(applied.Text, "ab\r\nX");
    EXPECT_EQ(applied.Count, 1);
    // Whole words: the trail byte 0x5C of 表 is a delimiter after "ab".
    EXPECT_EQ(Apply("ab" + hyo + " ab", {}, std::nullopt, "ab", "X", F::Down | F::WholeWord).Count, 1);
}

} // namespace
} // namespace brenvik
