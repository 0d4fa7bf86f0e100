// The case and width options over expressions: literal characters widened to every form, classes and
// escapes left as written.
#include "SjisText.h"

#include "search/RegexPattern.h"
#include "search/RegexSearch.h"

#include <gtest/gtest.h>

namespace brenvik {
namespace {

using test::ToSjis;

// The starts of every match.
std::vector<std::int64_t> Starts(const std::string& pattern, const std::string& text, TRegexOptions options)
{
    const TRegexPattern compiled(ToSjis(pattern), options);
    EXPECT_TRUE(compiled.Valid()) << compiled.Error().Reason;
    const std::string sjis = ToSjis(text);
    TRegexSearch search(compiled, sjis);
    std::vector<std::int64_t> starts;
    for (TRegexResult result = search.Forward(0); result.Found(); result = search.After(result.Match))
        starts.push_back(result.Match.Start);
    return starts;
}

using Starts_ = std::vector<std::int64_t>;
constexpr TRegexOptions Exact {false, false, false};
constexpr TRegexOptions Width {false, true, false};
constexpr TRegexOptions Case {true, false, false};
constexpr TRegexOptions Both {true, true, false};

TEST(RegexOptions, WidthMatchesKanaWithMarksLettersAndDigitsInEitherForm)
{
    // ｶﾞ (two bytes) and ガ (one double-byte character) alike, either way round.
    EXPECT_EQ(Starts("ガ", "ｶﾞ ガ ｶ", Width), (Starts_ {0, 3}));
    EXPECT_EQ(Starts("ｶﾞ", "ｶﾞ ガ ｶ", Width), (Starts_ {0, 3}));
    EXPECT_EQ(Starts("ガ", "ｶﾞ ガ", Exact), (Starts_ {3}));
    // ｶ read with its mark is ガ, never カ.
    EXPECT_EQ(Starts("カ", "ｶﾞ ｶ カ", Width), (Starts_ {3, 5}));
    EXPECT_EQ(Starts("ｱ", "ア ｱ", Width), (Starts_ {0, 3}));
    EXPECT_EQ(Starts("A", "Ａ A ａ a", Width), (Starts_ {0, 3}));
    EXPECT_EQ(Starts("A", "Ａ A ａ a", Both), (Starts_ {0, 3, 5, 8}));
    EXPECT_EQ(Starts("１２", "12 １２ 1２", Width), (Starts_ {0, 3, 8}));
    // A quantifier applies to the whole of a widened character.
    EXPECT_EQ(Starts("ｶﾞ+x", "ガｶﾞx", Width), (Starts_ {0}));
}

TEST(RegexOptions, ClassesAndEscapesStayAsWritten)
{
    EXPECT_EQ(Starts("[ｱ]", "ア ｱ", Width), (Starts_ {3}));
    EXPECT_EQ(Starts("\\d+", "１２ 12", Width), (Starts_ {5}));
    EXPECT_EQ(Starts("\\x41", "Ａ A", Width), (Starts_ {3}));
    // Escaped punctuation is a literal character: it widens.
    EXPECT_EQ(Starts("\\$x", "＄x $x", Width), (Starts_ {0, 4}));
    // Group names and repeat counts are not literal text.
    EXPECT_EQ(Starts("(?<a1>a){2}", "aa ａａ", Width), (Starts_ {0, 3}));
}

TEST(RegexOptions, IgnoreCaseFoldsFullWidthGreekAndCyrillicLetters)
{
    EXPECT_EQ(Starts("ａｂｃ", "ＡＢＣ ａｂｃ", Case), (Starts_ {0, 7}));
    EXPECT_EQ(Starts("αβ", "ΑΒ αβ", Case), (Starts_ {0, 5}));
    EXPECT_EQ(Starts("ж", "Ж ж", Case), (Starts_ {0, 3}));
    EXPECT_EQ(Starts("ａｂｃ", "ＡＢＣ ａｂｃ", Exact), (Starts_ {7}));
    // ASCII classes fold through the library.
    EXPECT_EQ(Starts("[a-c]+", "ABC", Case), (Starts_ {0}));
    // ト's trail byte is 'g': never a letter to fold.
    EXPECT_EQ(Starts("G", "トg", Case), (Starts_ {2}));
}

} // namespace
} // namespace brenvik
