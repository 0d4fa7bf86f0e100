// Behaviour of the search engine on Japanese text: each option alone and together, both directions, bad
// input.
#include "SjisText.h"

#include "search/FindPattern.h"

#include <gtest/gtest.h>

namespace brenvik {
namespace {

using test::ToSjis;
using F = TSearchFlags;

// The match as (start, length), or (-1, -1) when nothing is found; the range must stay put on failure.
std::pair<int, int> Find(
    const std::string& text, const std::string& pattern, std::uint16_t flags, TSearchRange range = {})
{
    const TSearchRange before = range;
    if (!FindPattern(text, range, pattern, flags)) {
        EXPECT_EQ(range, before);
        return {-1, -1};
    }
    return {range.Start, range.Length};
}

const std::pair<int, int> None {-1, -1};

TEST(FindPattern, CaseIsIgnoredUnlessMatchCase)
{
    EXPECT_EQ(Find("xxABCxx", "abc", F::Down), std::make_pair(2, 3));
    EXPECT_EQ(Find("xxABCxx", "abc", F::Down | F::MatchCase), None);
    EXPECT_EQ(Find("xxabcxxABC", "ABC", F::Down | F::MatchCase), std::make_pair(7, 3));
    // Full-width Latin, Greek, Cyrillic and roman numerals fold; the pattern may be either case.
    const std::string text = ToSjis("値：ａｂｃ αβγ абв ") + "\xEE\xEF";
    EXPECT_EQ(Find(text, ToSjis("ＡＢＣ"), F::Down), std::make_pair(4, 6));
    EXPECT_EQ(Find(text, ToSjis("ＡＢＣ"), F::Down | F::MatchCase), None);
    EXPECT_EQ(Find(text, ToSjis("ΑΒΓ"), F::Down), std::make_pair(11, 6));
    EXPECT_EQ(Find(text, ToSjis("αβγ"), F::Down), std::make_pair(11, 6));
    EXPECT_EQ(Find(text, ToSjis("АБВ"), F::Down), std::make_pair(18, 6));
    EXPECT_EQ(Find(text, "\x87\x54", F::Down), std::make_pair(25, 2));
    EXPECT_EQ(Find(text, "\xEE\xEF", F::Down), std::make_pair(25, 2));
    // A half-width letter is not its full-width form without NoMatchZenkaku.
    EXPECT_EQ(Find(text, "abc", F::Down), None);
}

TEST(FindPattern, TrailBytesAreNeitherUpperCasedNorMatchedAlone)
{
    // ト (0x83 0x67): upper-casing its trail byte would look for エ (0x83 0x47).
    const std::string text = ToSjis("エトセトラ");
    EXPECT_EQ(Find(text, ToSjis("ト"), F::Down), std::make_pair(2, 2));
    EXPECT_EQ(Find(text, ToSjis("ト"), 0, {10, 0}), std::make_pair(6, 2));
    // 'g' and '\' stand in the text only as trail bytes of ト and ソ.
    EXPECT_EQ(Find(ToSjis("トソg"), "g", F::Down), std::make_pair(4, 1));
    EXPECT_EQ(Find(ToSjis("トソg"), "G", 0, {5, 0}), std::make_pair(4, 1));
    EXPECT_EQ(Find(ToSjis("トソ"), "\\", F::Down), None);
    EXPECT_EQ(Find(ToSjis("トソ"), "g", 0, {4, 0}), None);
    // Lead-valued trail bytes: 0x81 0x81 (＝) twice must not match 0x81 0x81 across the boundary.
    EXPECT_EQ(Find("\x81\x81\x81\x81", "\x81\x81", F::Down, {0, 2}), std::make_pair(2, 2));
    EXPECT_EQ(Find("a\x81\x81\x81\x81", "\x81\x81", F::Down, {2, 0}), std::make_pair(3, 2));
}

TEST(FindPattern, NoMatchZenkakuEqualsHalfAndFullWidthForms)
{
    const int flags = F::Down | F::NoMatchZenkaku;
    EXPECT_EQ(Find("x abc", ToSjis("ＡＢＣ"), flags), std::make_pair(2, 3));
    EXPECT_EQ(Find("x ABC", ToSjis("ＡＢＣ"), flags), std::make_pair(2, 3));
    EXPECT_EQ(Find("x abc", ToSjis("ＡＢＣ"), flags | F::MatchCase), None);
    EXPECT_EQ(Find(ToSjis("x ａｂｃ"), "ABC", flags), std::make_pair(2, 6));
    EXPECT_EQ(Find(ToSjis("x ａｂｃ"), "ABC", flags | F::MatchCase), None);
    EXPECT_EQ(Find(ToSjis("x ａｂｃ"), "abc", flags | F::MatchCase), std::make_pair(2, 6));
    // Voiced kana written as kana plus mark are one character.
    EXPECT_EQ(Find(ToSjis("ｶｶﾞｷ"), ToSjis("ガ"), flags), std::make_pair(1, 2));
    EXPECT_EQ(Find(ToSjis("ｶｶﾞｷ"), ToSjis("カ"), flags, {1, 0}), None);
    EXPECT_EQ(Find(ToSjis("ﾊﾟｰﾙ"), ToSjis("パール"), flags), std::make_pair(0, 4));
    EXPECT_EQ(Find(ToSjis("ﾊﾟｰﾙ"), ToSjis("ﾊﾟｰﾙ"), flags), std::make_pair(0, 4));
    EXPECT_EQ(Find(ToSjis("ヴｳﾞ"), ToSjis("ヴ"), flags, {0, 2}), std::make_pair(2, 2));
    EXPECT_EQ(Find(ToSjis("$name＝ﾃﾞｰﾀ"), ToSjis("＄ＮＡＭＥ=デ"), flags), std::make_pair(0, 9));
    EXPECT_EQ(Find("a\\b", ToSjis("￥"), flags), std::make_pair(1, 1));
    // Without the option the forms differ.
    EXPECT_EQ(Find(ToSjis("ｶﾞ"), ToSjis("ガ"), F::Down), None);
}

TEST(FindPattern, AMarkThatDoesNotCombineIsACharacterOfItsOwn)
{
    const int flags = F::Down | F::NoMatchZenkaku;
    // ｳﾟ is ウ and ゜; only ｳﾞ merges into ヴ.
    EXPECT_EQ(Find(ToSjis("ｳﾟ"), ToSjis("ウ゜"), flags), std::make_pair(0, 2));
    EXPECT_EQ(Find(ToSjis("ｳﾟ"), ToSjis("ウ"), flags), std::make_pair(0, 1));
    EXPECT_EQ(Find(ToSjis("ｳﾟｱ"), ToSjis("ウア"), flags), None);
    EXPECT_EQ(Find(ToSjis("ｳﾟｱ"), ToSjis("゜ア"), flags), std::make_pair(1, 2));
    // Backward, the step over ｳﾟ counts two characters as well.
    EXPECT_EQ(Find(ToSjis("ｳﾟｱ"), ToSjis("゜"), F::NoMatchZenkaku, {2, 0}), std::make_pair(1, 1));
    EXPECT_EQ(Find(ToSjis("ｶﾞｱ"), ToSjis("ガ"), F::NoMatchZenkaku, {2, 0}), std::make_pair(0, 2));
    // A mark after a double-byte character whose trail byte looks like ｶ stays alone.
    EXPECT_EQ(Find("\x83\xB6\xDE", ToSjis("゛"), F::NoMatchZenkaku, {3, 0}), std::make_pair(2, 1));
    // ﾟ has meaning only after ﾊ..ﾎ: ｶﾟ is カ and ゜, never キ.
    EXPECT_EQ(Find(ToSjis("ｶﾟ"), ToSjis("キ"), flags), None);
    EXPECT_EQ(Find(ToSjis("ｶﾟ"), ToSjis("カ゜"), flags), std::make_pair(0, 2));
    EXPECT_EQ(Find(ToSjis("キ"), ToSjis("ｶﾟ"), flags), None);
    // Marks with no kana before them.
    EXPECT_EQ(Find("\xDE\xDF", ToSjis("゛゜"), flags), std::make_pair(0, 2));
}

TEST(FindPattern, LineBreaksAndBlanksMaySplitAMatch)
{
    const int flags = F::Down | F::IncludeCRLF | F::IncludeSpace;
    EXPECT_EQ(Find("x foo\r\nbar", "foobar", flags), std::make_pair(2, 8));
    EXPECT_EQ(Find(ToSjis("x foo　bar"), "foobar", flags), std::make_pair(2, 8));
    EXPECT_EQ(Find("foo \t bar", "foobar", flags), std::make_pair(0, 9));
    EXPECT_EQ(Find("foo\r\nbar", "foobar", F::Down | F::IncludeCRLF), std::make_pair(0, 8));
    EXPECT_EQ(Find("foo bar", "foobar", F::Down | F::IncludeCRLF), None);
    EXPECT_EQ(Find("foo\nbar", "foobar", F::Down | F::IncludeSpace), None);
    EXPECT_EQ(Find("foo\r\nbar", "foobar", F::Down), None);
    // Nothing is skipped before the first matched character, and a pattern's own blank must match.
    EXPECT_EQ(Find("\r\nfoobar", "foobar", flags), std::make_pair(2, 6));
    EXPECT_EQ(Find("foobar", "foo bar", flags), None);
    // With widths ignored, a skipped ideographic space sits between kana pairs.
    EXPECT_EQ(Find(ToSjis("ｶﾞ　\r\nｷﾞ"), ToSjis("ガギ"), flags | F::NoMatchZenkaku), std::make_pair(0, 8));
    EXPECT_EQ(
        Find(ToSjis("ﾃｽﾄ\r\nﾃﾞｰﾀ"), ToSjis("トデ"), flags | F::NoMatchZenkaku, {1, 0}), std::make_pair(2, 5));
    EXPECT_EQ(Find("foo\r\nbar", "foobar", F::IncludeCRLF, {8, 0}), std::make_pair(0, 8));
}

TEST(FindPattern, WholeWordNeedsAWordStartAndADelimiterAfter)
{
    const int down = F::Down | F::WholeWord;
    EXPECT_EQ(Find("foo_bar", "foo", down), std::make_pair(0, 3));
    EXPECT_EQ(Find("x foo.", "foo", down), std::make_pair(2, 3));
    EXPECT_EQ(Find("foobar", "foo", down), None);
    EXPECT_EQ(Find("barfoo x", "foo", down), None);
    EXPECT_EQ(Find("bar_foo", "foo", down), std::make_pair(4, 3));
    EXPECT_EQ(Find("foofoo foo", "FOO", down), std::make_pair(7, 3));
    EXPECT_EQ(Find("foofoo foo", "FOO", down | F::MatchCase), None);
    // The last place the pattern fits gets the same checks as every other.
    EXPECT_EQ(Find("xfoo", "foo", down), None);
    EXPECT_EQ(Find("x foo", "foo", down), std::make_pair(2, 3));
    EXPECT_EQ(Find("foobar", "foo", F::WholeWord, {6, 0}), None);
    EXPECT_EQ(Find("foo bar", "foo", F::WholeWord, {7, 0}), std::make_pair(0, 3));
    EXPECT_EQ(Find("a foo foox", "foo", F::WholeWord, {10, 0}), std::make_pair(2, 3));
    // Kana and kanji are word bytes; a trail byte is classed by its own value, so ソ's 0x5C ends a word.
    EXPECT_EQ(Find(ToSjis("値foo"), "foo", down), None);
    EXPECT_EQ(Find(ToSjis("ソfoo"), "foo", down), std::make_pair(2, 3));
    EXPECT_EQ(Find(ToSjis("fooト"), "foo", down), None);
    EXPECT_EQ(Find(ToSjis("ｰ｢値｣"), ToSjis("値"), down), std::make_pair(2, 2));
    EXPECT_EQ(Find(ToSjis("「値」"), ToSjis("値"), down), None); // full-width brackets are word characters
    EXPECT_EQ(Find(ToSjis("ｶﾞｰ"), ToSjis("ガ"), down | F::NoMatchZenkaku), None);
    EXPECT_EQ(Find(ToSjis("ｶﾞ､"), ToSjis("ガ"), down | F::NoMatchZenkaku), std::make_pair(0, 2));
}

TEST(FindPattern, BackwardSearchEndsBeforeTheSelection)
{
    // From a selection at offset 10 a three-byte pattern may start at 7 at the latest.
    const std::string text = "abcabcabcabcabc";
    EXPECT_EQ(Find(text, "abc", 0, {10, 3}), std::make_pair(6, 3));
    EXPECT_EQ(Find(text, "bca", 0, {10, 3}), std::make_pair(7, 3));
    EXPECT_EQ(Find(text, "cab", 0, {10, 3}), std::make_pair(5, 3));
    EXPECT_EQ(Find(text, "abc", 0, {2, 0}), None);
    EXPECT_EQ(Find(text, "abc", 0, {3, 0}), std::make_pair(0, 3));
    // Repeated backward searches walk through the occurrences.
    TSearchRange range {15, 0};
    std::vector<int> starts;
    while (FindPattern(text, range, "ABC", 0))
        starts.push_back(range.Start);
    EXPECT_EQ(starts, (std::vector<int> {12, 9, 6, 3, 0}));
}

TEST(FindPattern, ForwardSearchStartsAfterTheSelection)
{
    const std::string text = ToSjis("検索と検索");
    TSearchRange range {};
    ASSERT_TRUE(FindPattern(text, range, ToSjis("検索"), F::Down));
    EXPECT_EQ(range, (TSearchRange {0, 4}));
    ASSERT_TRUE(FindPattern(text, range, ToSjis("検索"), F::Down));
    EXPECT_EQ(range, (TSearchRange {6, 4}));
    EXPECT_FALSE(FindPattern(text, range, ToSjis("検索"), F::Down));
    EXPECT_EQ(range, (TSearchRange {6, 4}));
    // A selection ending inside a character moves to the next character.
    EXPECT_EQ(Find(text, ToSjis("索"), F::Down, {0, 1}), std::make_pair(2, 2));
    EXPECT_EQ(Find(text, ToSjis("索"), F::Down, {0, 3}), std::make_pair(8, 2));
    // The option bits for replacing are not the engine's business.
    EXPECT_EQ(Find(text, ToSjis("と"), F::Down | F::Replace | F::ReplaceAll | F::ReplaceConfirm),
        std::make_pair(4, 2));
}

TEST(FindPattern, BadInputFailsWithoutTouchingTheRange)
{
    EXPECT_EQ(Find("", "a", F::Down), None);
    EXPECT_EQ(Find("abc", "", F::Down), None);
    EXPECT_EQ(Find(std::string("\0abc", 4), "a", F::Down), None);
    EXPECT_EQ(Find("abc", "a", F::Down, {-1, 0}), None);
    EXPECT_EQ(Find("abc", "a", F::Down, {4, 0}), None);
    EXPECT_EQ(Find("abc", "a", F::Down, {0, -1}), None);
    EXPECT_EQ(Find("abc", "c", F::Down, {0, 3}), None); // the selection reaches the end
    EXPECT_EQ(Find("abc", "c", F::Down, {2, 0x7FFFFFFF}), None); // no overflow
    EXPECT_EQ(Find("abc", "abcd", F::Down), None);
    EXPECT_EQ(Find("abc", "abcd", 0, {3, 0}), None);
    EXPECT_EQ(Find("ab", "abcdef", F::MatchCase, {1, 0}), None); // never a scan before the text start
    EXPECT_EQ(Find("abc", ToSjis("ＡＢＣＤ"), F::NoMatchZenkaku, {3, 0}), None);
    // The text ends at its zero byte.
    EXPECT_EQ(Find(std::string("ab\0cd", 5), "cd", F::Down), None);
    EXPECT_EQ(Find(std::string("ab\0cd", 5), "b", 0, {5, 0}), None);
}

TEST(FindPattern, LoneLeadBytesAndMarksAreSafe)
{
    for (const int flags : {0, 0x002, 0x008, 0x00A, 0x180, 0x18A}) {
        // A lead byte at the end of the text is one lone byte and never runs into the zero after it.
        EXPECT_EQ(Find("ab\x83", "\x83", flags | F::Down), std::make_pair(2, 1)) << flags;
        EXPECT_EQ(Find("ab\x83", "b\x83", flags, {3, 0}), std::make_pair(1, 2)) << flags;
        EXPECT_EQ(Find("ab\x83", ToSjis("ト"), flags | F::Down), None) << flags;
        EXPECT_EQ(Find("ab\x83\x67", "\x83", flags | F::Down), None) << flags;
        EXPECT_EQ(Find("\xDE\xDF\xDE", "\xDF", flags | F::Down), std::make_pair(1, 1)) << flags;
        EXPECT_EQ(Find("a\x81", "a\x81\x40", flags | F::Down), None) << flags;
    }
    // A search over a 100,000-byte line of lead bytes answers from its trail parity alone.
    const std::string line(100000, '\x81');
    EXPECT_EQ(Find(line + "x", "\x81x", F::Down), None);
    EXPECT_EQ(Find(line + "x", "\x81\x81x", F::Down | F::MatchCase), std::make_pair(99998, 3));
    EXPECT_EQ(Find(line + "x", "\x81\x81", 0, {100001, 0}), std::make_pair(99998, 2));
}

} // namespace
} // namespace brenvik
