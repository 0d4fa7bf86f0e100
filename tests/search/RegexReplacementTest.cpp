// Replacement texts of expression searches and replace-all as one stretch.
#include "SjisText.h"

#include "search/RegexReplaceAll.h"
#include "search/RegexReplacement.h"

#include <gtest/gtest.h>

namespace brenvik {
namespace {

using test::ToSjis;

std::string Expanded(const std::string& pattern, const std::string& text, const std::string& replacement)
{
    const TRegexPattern compiled(pattern, {});
    const TRegexReplacement expansion(replacement, compiled);
    EXPECT_TRUE(expansion.Valid()) << replacement;
    TRegexSearch search(compiled, text);
    const TRegexResult result = search.Forward(0);
    EXPECT_TRUE(result.Found());
    return expansion.Expand(text, result.Match);
}

TEST(RegexReplacement, EveryEscapeAndReference)
{
    const std::string pattern = "(?<key>\\w+)=(\\d)?(x)?";
    EXPECT_EQ(Expanded(pattern, "ab=1", "$2:$1"), "1:ab");
    EXPECT_EQ(Expanded(pattern, "ab=1", "${key}/${2}"), "ab/1");
    EXPECT_EQ(Expanded(pattern, "ab=1", "[$&]"), "[ab=1]");
    EXPECT_EQ(Expanded(pattern, "ab=", "<$2$3>"), "<>");
    EXPECT_EQ(Expanded(pattern, "ab=1", "a\\nb\\tc"), "a\r\nb\tc");
    EXPECT_EQ(Expanded(pattern, "ab=1", "\\\\1 \\$1 $ $x \\q"), "\\1 $1 $ $x \\q");
    EXPECT_EQ(Expanded("(a)(b)(c)(d)(e)(f)(g)(h)(i)", "abcdefghi", "$9$10"), "ia0");
    // Trail bytes 0x5C (ソ, 表) and 0x24 (ѕ has none; 〆 0x8189 has none): characters, never escapes.
    EXPECT_EQ(Expanded("(\\w)", "z", ToSjis("表$1ソ\\n")), ToSjis("表zソ") + "\r\n");
    // The line break is the caller's.
    const TRegexPattern any(".", {});
    TRegexSearch search(any, "q");
    EXPECT_EQ(TRegexReplacement("\\n", any, "\n").Expand("q", search.Forward(0).Match), "\n");
}

TEST(RegexReplacement, UndefinedGroupsAreRefusedBeforeAnythingChanges)
{
    const TRegexPattern pattern("(a)(?<name>b)", {});
    for (const char* bad : {"$3", "${nothing}", "${9}", "x${name"}) {
        const TRegexReplacement replacement(bad, pattern);
        EXPECT_FALSE(replacement.Valid()) << bad;
        EXPECT_FALSE(replacement.ErrorReference().empty());
    }
    const TRegexReplacement third("$3", pattern);
    EXPECT_EQ(third.Message(third.ErrorReference()), "置換文字列の $3 に当たるグループがありません");
    EXPECT_TRUE(TRegexReplacement("$2${name}$0", pattern).Valid());
}

TEST(RegexReplacement, ReplaceAllGathersOneStretchOfWholeLines)
{
    const std::string text = "keep\r\n$msg = 1; $msgs\r\nx $msg\r\nkeep";
    const TRegexPattern pattern("\\$msg\\b", {});
    const TRegexReplacement replacement(ToSjis("$本文"), pattern);
    TRegexSearch search(pattern, text);
    const TRegexReplaced replaced = ReplaceExpressionMatches(search, text, {0, 0}, std::nullopt, replacement, true);
    ASSERT_EQ(replaced.Status, TRegexStatus::Found);
    EXPECT_EQ(replaced.Stretch.Count, 2);
    EXPECT_EQ(replaced.Stretch.Start, 6);
    EXPECT_EQ(replaced.Stretch.End, 31);
    EXPECT_EQ(replaced.Stretch.Text, ToSjis("$本文 = 1; $msgs\r\nx $本文\r\n"));
    // Backward from the end, the caret lands at the first replacement.
    const TRegexReplaced up = ReplaceExpressionMatches(search, text, {35, 0}, std::nullopt, replacement, false);
    EXPECT_EQ(up.Stretch.Text, replaced.Stretch.Text);
    EXPECT_EQ(up.Stretch.Caret, 6);
    // Empty matches are replaced once each and the walk ends.
    const TRegexPattern starts("^", {});
    TRegexSearch lines(starts, "a\r\nb");
    const TRegexReplaced marked
        = ReplaceExpressionMatches(lines, "a\r\nb", {0, 0}, TRegexMatch {0, 0, {{0, 0}}}, TRegexReplacement("> ", starts), true);
    const std::string after = marked.Stretch.Text + std::string("a\r\nb").substr(marked.Stretch.End);
    EXPECT_EQ(after, "> a\r\n> b");
    EXPECT_EQ(marked.Stretch.Count, 2);
}

TEST(RegexReplacement, AReplaceAllThatRunsAwayChangesNothing)
{
    const std::string text = "ok\r\n" + std::string(30'000, 'a') + "!";
    const TRegexPattern pattern("ok|(a+)+$", {});
    const TRegexReplacement replacement("x", pattern);
    TRegexSearch search(pattern, text, {100'000, 100'000'000, 64});
    const TRegexReplaced replaced = ReplaceExpressionMatches(search, text, {0, 0}, std::nullopt, replacement, true);
    EXPECT_EQ(replaced.Status, TRegexStatus::TooComplex);
    EXPECT_EQ(replaced.Stretch.Count, 0);
    EXPECT_TRUE(replaced.Stretch.Text.empty());
}

} // namespace
} // namespace brenvik
