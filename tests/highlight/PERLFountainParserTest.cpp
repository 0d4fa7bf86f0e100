// The Perl tokenizer: sigils, #, strings, sub names and the explorer's inside-quotes switch.
#include "HighlightTestHelpers.h"

#include "highlight/ConfiguredFountains.h"
#include "highlight/PERLFountain.h"
#include "highlight/PERLFountainParser.h"

namespace brenvik::test {
namespace {

class PerlRules : public ::testing::Test {
protected:
    TPERLFountain fountain;
    std::unique_ptr<TFountainParser> parser = fountain.CreateParser();

    std::vector<Token> Scan(std::string_view row) { return ReadTokens(*parser, row); }
    // The colour of the token whose text is text.
    TFountainColor* ColorOf(std::string_view row, std::string_view text)
    {
        parser->BeginRow(row, RowTokenState::FirstRow());
        while (parser->ReadToken() != 0) {
            if (parser->TokenText() == text)
                return parser->TokenColor();
        }
        ADD_FAILURE() << "no token " << text;
        return nullptr;
    }
};

TEST_F(PerlRules, SigilsBeforeANameMakeVariables)
{
    for (const char* name : {"$_", "$1", "@ARGV", "%ENV", "&main::init", "$pkg'var", "$Foo::Bar::baz"})
        EXPECT_EQ(Scan(name).size(), 1u) << name;
    EXPECT_EQ(Kinds(Scan("$a @b %c &d")), (std::vector<int> {tkScalar, tkArray, tkHash, tkSubRoutineCall}));
    EXPECT_EQ(Scan("$Foo:: x"),
        (std::vector<Token> {
            {0, 4, tkScalar, "$Foo"}, {4, 1, tkSymbol, ":"}, {5, 1, tkSymbol, ":"}, {7, 1, tkWord, "x"}}));
    EXPECT_EQ(Kinds(Scan("$$ ${ @{")),
        (std::vector<int> {tkSymbol, tkSymbol, tkSymbol, tkSymbol, tkSymbol, tkSymbol}));
    EXPECT_EQ(Kinds(Scan("$a %2")), (std::vector<int> {tkScalar, tkHash}));
    EXPECT_EQ(
        Kinds(Scan("a && b & c")), (std::vector<int> {tkWord, tkSymbol, tkSymbol, tkWord, tkSymbol, tkWord}));
    EXPECT_EQ(
        Scan("&init;"), (std::vector<Token> {{0, 5, tkSubRoutineCall, "&init"}, {5, 1, tkSymbol, ";"}}));
}

TEST_F(PerlRules, SharpIsAColourValueALastIndexOrAComment)
{
    EXPECT_EQ(Scan("$#list"),
        (std::vector<Token> {{0, 1, tkSymbol, "$"}, {1, 1, tkSymbol, "#"}, {2, 4, tkWord, "list"}}));
    EXPECT_EQ(Scan("#ffffff;"), (std::vector<Token> {{0, 7, tkWord, "#ffffff"}, {7, 1, tkSymbol, ";"}}));
    EXPECT_EQ(Scan("#fffff x"), (std::vector<Token> {{0, 8, tkComment, "#fffff x"}}));
    EXPECT_EQ(
        Scan("x # \x82\xa0"), (std::vector<Token> {{0, 1, tkWord, "x"}, {2, 4, tkComment, "# \x82\xa0"}}));
    // A # at the row start has no byte before it, and the colour test reads no byte past the row.
    EXPECT_EQ(Kinds(Scan("#")), (std::vector<int> {tkComment}));
    EXPECT_EQ(Kinds(Scan("#abc")), (std::vector<int> {tkComment}));
}

// The simpler rules (the grammar off); PerlGrammarTest has Perl's own reading of strings.
TEST_F(PerlRules, WithoutTheGrammarStringsEndWithTheirRow)
{
    fountain.SetPerlGrammar(false);
    parser = fountain.CreateParser();
    const std::string body = "print \"<body bgcolor=#ffffff>\";";
    EXPECT_EQ(Kinds(Scan(body)), (std::vector<int> {tkWord, tkDoubleQuoted, tkSymbol}));
    EXPECT_EQ(Scan("\"a\\\"b\" x")[0].Text, "\"a\\\"b\"");
    EXPECT_EQ(Scan("\"a\\\\\" x")[0].Text, "\"a\\\\\" x") << "the quote after two backslashes stays escaped";
    // A doubled double quote ends the string; a doubled single quote does not.
    EXPECT_EQ(Texts(Scan("\"a\"\"b\"")), (std::vector<std::string> {"\"a\"", "\"b\""}));
    EXPECT_EQ(Texts(Scan("'it''s' x")), (std::vector<std::string> {"'it''s'", "x"}));
    EXPECT_EQ(Texts(Scan("'a\\' x")), (std::vector<std::string> {"'a\\'", "x"}));
    // A kanji whose trail byte is 0x5C keeps the following quote from closing the string.
    EXPECT_EQ(Scan("\"\x95\x5c\" x")[0].Size, 6);
    // Kanji whose trail bytes lie in the lead-byte range pair up before the closing quote; a
    // lone lead byte takes the quote or NUL after it as its trail.
    EXPECT_EQ(Scan("\"\x88\x9f\x88\xe0\" x")[0].Size, 6);
    EXPECT_EQ(Scan("\"\x88\x9f\x88\" x\" y")[0].Size, 8);
    EXPECT_EQ(Scan(std::string("# \x88\0 x", 6))[0].Size, 6);
    EXPECT_EQ(Scan(std::string("# \x88\x9f\0 x", 7))[0].Size, 4);
    EXPECT_EQ(Scan("\"open")[0], (Token {0, 5, tkDoubleQuoted, "\"open"}));
}

TEST_F(PerlRules, TheWordAfterSubIsASubroutineNameEvenWhenReserved)
{
    EXPECT_EQ(Kinds(Scan("sub print_all {")), (std::vector<int> {tkWord, tkSubRoutine, tkSymbol}));
    EXPECT_EQ(ColorOf("sub print_all {", "sub"), fountain.Reserve());
    EXPECT_EQ(ColorOf("sub print_all {", "print_all"), fountain.SubRoutine());
    EXPECT_EQ(ColorOf("sub print {", "print"), fountain.SubRoutine());
    EXPECT_EQ(ColorOf("print $x", "print"), fountain.Reserve());
    EXPECT_EQ(ColorOf("x subway", "subway"), fountain.Ank());
}

TEST_F(PerlRules, AsmStopsSubFromBeingSeen)
{
    parser->BeginRow("asm; sub f", RowTokenState::FirstRow());
    while (parser->ReadToken() != 0)
        EXPECT_NE(parser->TokenKind(), tkSubRoutine);
    EXPECT_EQ(parser->Element(), 2);
}

TEST_F(PerlRules, ColoursFollowTheTokenKinds)
{
    EXPECT_EQ(ColorOf("x = 1;", "1"), fountain.Int());
    EXPECT_EQ(ColorOf("x = 1;", "="), fountain.Symbol());
    EXPECT_EQ(ColorOf("x '\x82\xa0'", "'\x82\xa0'"), fountain.Str());
    EXPECT_EQ(ColorOf("x \x82\xa0", "\x82\xa0"), fountain.DBCS());
    EXPECT_EQ(ColorOf("@a", "@a"), fountain.Arrangement());
    EXPECT_EQ(ColorOf("%a", "%a"), fountain.AssocArr());
    EXPECT_EQ(ColorOf("&a", "&a"), fountain.SubRoutineCall());
    EXPECT_EQ(ColorOf("$a", "$a"), fountain.Variable());
    EXPECT_EQ(ColorOf("a\tb", "\t"), nullptr);
}

TEST_F(PerlRules, InsideDoubleQuotesTheExplorerSeesCode)
{
    TPERLFountainParser explorer(&fountain);
    explorer.ScanInsideDoubleQuotes = true;
    EXPECT_EQ(Kinds(ReadTokens(explorer, "\"Hello $name\"")),
        (std::vector<int> {tkSymbol, tkWord, tkScalar, tkSymbol}));
}

TEST(ConfiguredPerlFountain, HasTheMainWindowsWordsAndColours)
{
    TPERLFountain fountain;
    EXPECT_EQ(fountain.ReserveWordList()->Count(), 226);
    ConfigurePERLFountain(fountain);
    EXPECT_EQ(fountain.ReserveWordList()->Count(), 225);
    EXPECT_FALSE(fountain.IsReservedWord("until"));
    EXPECT_TRUE(fountain.IsReservedWord("Unless"));
    EXPECT_EQ(fountain.DBCS()->BkColor(), clRed);
    EXPECT_EQ(fountain.Variable()->Color(), clGreen);
    EXPECT_EQ(fountain.Variable()->Style(), fsBold);
    EXPECT_EQ(fountain.KeyWordStr()->BkColor(), clYellow);
    EXPECT_TRUE(fountain.HasFileExt(".PM"));
    EXPECT_EQ(fountain.Brackets()->Count(), 0);
}

} // namespace
} // namespace brenvik::test
