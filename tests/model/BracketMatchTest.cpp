// Bracket pairs read through the Perl and HTML tokenizers: brackets in strings, here-documents,
// patterns and comments pair only among their own kind; trail bytes are never brackets.
#include "ModelTestSupport.h"

#include "highlight/ConfiguredFountains.h"
#include "highlight/HTMLFountain.h"
#include "highlight/PERLFountain.h"
#include "model/BracketMatch.h"

#include <gtest/gtest.h>

namespace brenvik::test {
namespace {

class BracketMatchTest : public ::testing::Test {
protected:
    BracketMatchTest()
    {
        ConfigurePERLFountain(perl);
        ConfigureHTMLFountain(html);
        t.Owner.Fountain = &perl;
    }
    // The pair at a caret as "open row:col - close row:col", or "none".
    std::string PairAt(TEditorPos caret, TFountain& fountain)
    {
        TBracketMatch match(t.Model, fountain);
        const std::optional<TBracketPair> pair = match.At(caret);
        if (!pair)
            return "none";
        return std::to_string(pair->Open.Row) + ":" + std::to_string(pair->Open.Col) + " - "
            + std::to_string(pair->Close.Row) + ":" + std::to_string(pair->Close.Col);
    }
    std::string PairAt(TEditorPos caret) { return PairAt(caret, perl); }

    TPERLFountain perl;
    THTMLFountain html;
    TTestModel t;
};

TEST_F(BracketMatchTest, CodeBracketsSkipThoseInStringsAndFindTheirPartnerEitherWay)
{
    t.SetText("if (f(\"(\", $h{x}) && /\\)/) { print ')'; }\r\n");
    EXPECT_EQ(PairAt({0, 3}), "0:3 - 0:25") << "caret before the opening bracket";
    EXPECT_EQ(PairAt({0, 4}), "0:3 - 0:25") << "caret after it";
    EXPECT_EQ(PairAt({0, 25}), "0:3 - 0:25") << "from the closing bracket back";
    EXPECT_EQ(PairAt({0, 5}), "0:5 - 0:16");
    EXPECT_EQ(PairAt({0, 14}), "0:13 - 0:15");
    EXPECT_EQ(PairAt({0, 27}), "0:27 - 0:40");
    EXPECT_EQ(PairAt({0, 7}), "none") << "the string's bracket has no partner in strings";
    EXPECT_EQ(PairAt({0, 1}), "none") << "no bracket by the caret";
    TBracketMatch match(t.Model, perl);
    EXPECT_TRUE(match.At({0, 4})->CaretAtOpen);
    EXPECT_FALSE(match.At({0, 26})->CaretAtOpen);
}

TEST_F(BracketMatchTest, HereDocumentsPatternsAndTrailBytesAcrossLines)
{
    // A here-document's brace, a pattern's own braces, and a kanji whose trail byte is }.
    t.SetText("sub f {\r\n"
              "  print <<\"EOM\";\r\n"
              "}\r\n"
              "EOM\r\n"
              "  s{a}{b};\r\n"
              "  # }\r\n"
              "  x(\x88\x7d);\r\n"
              "}\r\n");
    EXPECT_EQ(PairAt({0, 6}), "0:6 - 7:0");
    EXPECT_EQ(PairAt({7, 1}), "0:6 - 7:0");
    EXPECT_EQ(PairAt({4, 3}), "4:3 - 4:5");
    EXPECT_EQ(PairAt({4, 6}), "4:6 - 4:8");
    EXPECT_EQ(PairAt({6, 3}), "6:3 - 6:6");
}

TEST_F(BracketMatchTest, WrappedLinesAndTheScanLimit)
{
    t.WrapAt(20);
    t.SetText("print join(',', 1234567890, 12);\r\n");
    ASSERT_EQ(t.Model.RowAttribute(0), raWrapped);
    EXPECT_EQ(PairAt({0, 10}), "0:10 - 1:10");
    EXPECT_EQ(PairAt({1, 11}), "0:10 - 1:10");
    std::string far = "{\r\n";
    for (int i = 0; i < TBracketMatch::ScanLines + 1; ++i)
        far += "x;\r\n";
    t.SetText(far + "}\r\n");
    EXPECT_EQ(PairAt({0, 0}), "none") << "the partner lies past the scan limit";
    t.SetText("{\r\nx;\r\n}\r\n");
    EXPECT_EQ(PairAt({0, 0}), "0:0 - 2:0");
}

TEST_F(BracketMatchTest, AngleBracketsPairOnlyInHtml)
{
    t.Owner.Fountain = &html;
    t.SetText("<a href=\"x>\" title='<'>(t)\r\n");
    EXPECT_EQ(PairAt({0, 0}, html), "0:0 - 0:22");
    EXPECT_EQ(PairAt({0, 24}, html), "0:23 - 0:25");
    t.Owner.Fountain = &perl;
    t.SetText("if ($a < $b) { $c = <STDIN>; }\r\n");
    EXPECT_EQ(PairAt({0, 6}), "none");
    EXPECT_EQ(PairAt({0, 20}), "none");
}

} // namespace
} // namespace brenvik::test
