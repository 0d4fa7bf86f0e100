// The editor's built-in tokenizer with its switches, and its colour set.
#include "HighlightTestHelpers.h"

#include "highlight/EditorFountain.h"
#include "highlight/EditorParser.h"

namespace brenvik::test {
namespace {

class EditorRules : public ::testing::Test {
protected:
    TEditorFountain fountain;

    std::vector<Token> Scan(std::string_view row)
    {
        auto parser = fountain.CreateParser();
        return ReadTokens(*parser, row);
    }
};

TEST_F(EditorRules, CommenterQuotationAndHexPrefix)
{
    fountain.SetCommenter("//");
    EXPECT_EQ(Scan("a = 1; // note"),
        (std::vector<Token> {{0, 1, tkWord, "a"}, {2, 1, tkSymbol, "="}, {4, 1, tkInteger, "1"},
            {5, 1, tkSymbol, ";"}, {7, 7, tkComment, "// note"}}));
    fountain.SetQuotation("'");
    EXPECT_EQ(Texts(Scan("'it''s' x")), (std::vector<std::string> {"'it''s'", "x"}));
    EXPECT_EQ(Kinds(Scan("'it''s' x")), (std::vector<int> {tkQuotation, tkWord}));
    fountain.SetHexPrefix("0x");
    EXPECT_EQ(Scan("0XFF g"), (std::vector<Token> {{0, 4, tkHexDigits, "0XFF"}, {5, 1, tkWord, "g"}}));
}

TEST_F(EditorRules, ControlCodesPaintInStr)
{
    fountain.SetControlCode(true);
    EXPECT_EQ(Scan("#13 #$0D"),
        (std::vector<Token> {{0, 3, tkControlDecimal, "#13"}, {4, 4, tkControlHex, "#$0D"}}));
    auto parser = fountain.CreateParser();
    parser->BeginRow("#13", RowTokenState::FirstRow());
    parser->ReadToken();
    EXPECT_EQ(parser->TokenColor(), fountain.Colors()->Str());
}

TEST_F(EditorRules, MailAndUrlOnlyWhenSwitchedOn)
{
    const char* row = "a@b.jp http://x.jp";
    EXPECT_EQ(Kinds(Scan(row)),
        (std::vector<int> {tkWord, tkSymbol, tkWord, tkSymbol, tkWord, tkWord, tkSymbol, tkSymbol, tkSymbol,
            tkWord, tkSymbol, tkWord}));
    fountain.SetMail(true);
    fountain.SetUrl(true);
    EXPECT_EQ(Kinds(Scan(row)), (std::vector<int> {tkMail, tkUrl}));
}

TEST_F(EditorRules, AQuotationResumedAfterTheQuoteWasClearedYieldsNothing)
{
    RowTokenState state {-1, 0, 0, tkQuotation, 0};
    auto parser = fountain.CreateParser();
    EXPECT_TRUE(ReadTokens(*parser, "abc", state).empty());
    fountain.SetQuotation("\"");
    auto quoting = fountain.CreateParser();
    EXPECT_EQ(ReadTokens(*quoting, "ab\" c", state)[0], (Token {0, 3, tkQuotation, "ab\""}));
}

TEST(EditorColorsSet, ReserveIsTheFountainsOwnAndSelectStartsInverted)
{
    TEditorFountain fountain;
    TEditorColors& colors = *fountain.Colors();
    EXPECT_EQ(colors.Reserve(), fountain.Reserve());
    EXPECT_EQ(colors.Select()->BkColor(), clNavy);
    EXPECT_EQ(colors.Select()->Color(), clWhite);

    TEditorFountain other;
    other.Colors()->Reserve()->SetColor(clRed);
    other.Colors()->Ank()->SetStyle(fsItalic);
    int notified = 0;
    fountain.NotifyList().Add(TMethod(&notified, &notified, [&notified](QObject*) { ++notified; }));
    fountain.SetColors(other.Colors());
    EXPECT_EQ(notified, 1);
    EXPECT_EQ(fountain.Reserve()->Color(), clRed);
    EXPECT_TRUE(TFountain::HasItalic(fountain));
}

TEST(EditorColorsSet, SetAllSkipsSelectAndTellsTheEditorsOnce)
{
    TEditorFountain fountain;
    int notified = 0;
    fountain.NotifyList().Add(TMethod(&notified, &notified, [&notified](QObject*) { ++notified; }));
    fountain.SetAllBkColors(clYellow);
    fountain.SetAllColors(clTeal);
    fountain.SetAllStyles(fsUnderline);
    EXPECT_EQ(notified, 3);
    TEditorColors& colors = *fountain.Colors();
    for (TFountainColor* color : {colors.Ank(), colors.Comment(), colors.DBCS(), colors.Int(), colors.Mail(),
             colors.Reserve(), colors.Str(), colors.Symbol(), colors.Url()}) {
        EXPECT_EQ(color->BkColor(), clYellow);
        EXPECT_EQ(color->Color(), clTeal);
        EXPECT_EQ(color->Style(), fsUnderline);
    }
    EXPECT_EQ(colors.Select()->BkColor(), clNavy);
    EXPECT_EQ(colors.Select()->Color(), clWhite);
    EXPECT_EQ(colors.Select()->Style(), 0);
}

TEST(EditorBrackets, SetAllRecoloursEveryPairOnce)
{
    TEditorFountain fountain;
    fountain.Brackets()->AddBracket("(*", "*)");
    fountain.Brackets()->AddBracket("{", "}");
    int notified = 0;
    fountain.NotifyList().Add(TMethod(&notified, &notified, [&notified](QObject*) { ++notified; }));
    fountain.EditorBrackets()->SetAllColors(clMaroon);
    EXPECT_EQ(notified, 1);
    EXPECT_EQ(fountain.Brackets()->Brackets(0).ItemColor()->Color(), clMaroon);
    EXPECT_EQ(fountain.Brackets()->Brackets(1).ItemColor()->Color(), clMaroon);
}

} // namespace
} // namespace brenvik::test
