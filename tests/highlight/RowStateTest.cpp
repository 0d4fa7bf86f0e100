// Row states across rows and wrap points: brackets, cut tokens, comments and strings.
#include "HighlightTestHelpers.h"

#include "highlight/EditorFountain.h"
#include "highlight/PERLFountain.h"
#include "highlight/PERLFountainParser.h"

#include <stdexcept>

namespace brenvik::test {
namespace {

RowTokenState State(int bracket, int element = 0, int remain = 0, int wrappedKind = 0, int lastKind = 0)
{
    return {bracket, element, remain, wrappedKind, lastKind};
}

class BracketRegions : public ::testing::Test {
protected:
    TEditorFountain fountain;
    TEditorScreenStrings rows;

    void SetUp() override { fountain.Brackets()->AddBracket("/*", "*/"); }
};

TEST_F(BracketRegions, ARegionSpanningLinesMakesEachMiddleRowOneBracketToken)
{
    FillRows(rows, {"a /* one", "two three", "four */ b"});
    auto parser = fountain.CreateParser();
    const std::vector<RowTokenState> states = RowStates(*parser, rows);
    EXPECT_EQ(states[1], State(0));
    EXPECT_EQ(states[2], State(0));
    EXPECT_EQ(
        ReadTokens(*parser, "two three", states[1]), (std::vector<Token> {{0, 9, tkBracket, "two three"}}));
    EXPECT_EQ(ReadTokens(*parser, "four */ b", states[2]),
        (std::vector<Token> {{0, 7, tkBracket, "four */"}, {8, 1, tkWord, "b"}}));
    EXPECT_EQ(parser->ScanRowState(2, rows, states[2]), State(-1));
}

TEST_F(BracketRegions, AClosingDelimiterSplitByAWrapIsCarriedAsOneByte)
{
    FillRows(rows, {"x /* abc *", "/ y"}, {raWrapped, raBreak});
    auto parser = fountain.CreateParser();
    const RowTokenState next = parser->ScanRowState(0, rows, State(-1));
    EXPECT_EQ(next, State(0, 0, 1, tkBracket));
    EXPECT_EQ(
        ReadTokens(*parser, "/ y", next), (std::vector<Token> {{0, 1, tkBracket, "/"}, {2, 1, tkWord, "y"}}));
    EXPECT_EQ(parser->BracketIndex(), -1);
    EXPECT_EQ(parser->ScanRowState(1, rows, next), State(-1));
}

TEST_F(BracketRegions, AnOpeningDelimiterAtTheStartOfAWrappedRowBelongsToThatRow)
{
    // "/*/" opens a region: the slash after the star does not close it.
    FillRows(rows, {"abc ", "/*/ d", "e */"}, {raWrapped, raBreak, raBreak});
    auto parser = fountain.CreateParser();
    const std::vector<RowTokenState> states = RowStates(*parser, rows);
    EXPECT_EQ(states[1], State(-1));
    EXPECT_EQ(states[2], State(0));
}

TEST_F(BracketRegions, AnEmptyRightBracketEndsTheRowsTokens)
{
    fountain.Brackets()->AddBracket("//", "");
    FillRows(rows, {"a // b", "c"});
    auto parser = fountain.CreateParser();
    EXPECT_EQ(Texts(ReadTokens(*parser, "a // b")), (std::vector<std::string> {"a"}));
    EXPECT_EQ(parser->ScanRowState(0, rows, State(-1)), State(-1));
    // A stored state naming a bracket that no longer exists yields no tokens, and no crash.
    EXPECT_TRUE(ReadTokens(*parser, "c", State(9)).empty());
}

TEST_F(BracketRegions, AFifteenthPairIsRefusedWithTheCollectionsMessage)
{
    for (int i = 1; i < TFountainBracketCollection::MaxCount; ++i)
        fountain.Brackets()->AddBracket("<" + std::to_string(i), ">");
    try {
        fountain.Brackets()->Add();
        FAIL() << "no exception";
    } catch (const std::runtime_error& e) {
        EXPECT_STREQ(e.what(), "TFountainBracketCollection\r\nYou can not add item over 14");
    }
    EXPECT_EQ(fountain.Brackets()->Count(), 14);
    auto parser = fountain.CreateParser();
    EXPECT_EQ(Kinds(ReadTokens(*parser, "<13 x>")), (std::vector<int> {tkBracket}));
}

class WrappedTokens : public ::testing::Test {
protected:
    TPERLFountain fountain;
    std::unique_ptr<TFountainParser> parser = fountain.CreateParser();
    TEditorScreenStrings rows;

    // Strings carried by the generic rules: the grammar off (with it a string is an open construct).
    void UseTheOriginalRules()
    {
        fountain.SetPerlGrammar(false);
        parser = fountain.CreateParser();
    }
};

TEST_F(WrappedTokens, AReservedWordCutByAWrapIsReservedInBothRows)
{
    FillRows(rows, {"x = pri", "nt $y;"}, {raWrapped, raBreak});
    const std::vector<RowTokenState> states = RowStates(*parser, rows);
    EXPECT_EQ(states[1], State(-1, 0, 2, tkReserved));
    const std::vector<Token> second = ReadTokens(*parser, "nt $y;", states[1]);
    EXPECT_EQ(second[0], (Token {0, 2, tkReserved, "nt"}));
    parser->BeginRow("nt $y;", states[1]);
    parser->ReadToken();
    EXPECT_EQ(parser->TokenColor(), fountain.Reserve());
    // The painter reads the first row with the second appended: the word is whole there.
    parser->BeginRow("x = print $y;", states[0]);
    parser->ReadToken();
    parser->ReadToken();
    parser->ReadToken();
    EXPECT_EQ(parser->TokenText(), "print");
    EXPECT_EQ(parser->TokenColor(), fountain.Reserve());
}

TEST_F(WrappedTokens, AStringGoesOnOverEveryWrappedRowOfItsLine)
{
    UseTheOriginalRules();
    FillRows(rows, {"$a = \"one", "two", "three\" . $b", "$c"}, {raWrapped, raWrapped, raBreak, raBreak});
    const std::vector<RowTokenState> states = RowStates(*parser, rows);
    EXPECT_EQ(states[1], State(-1, 0, 0, tkDoubleQuoted));
    EXPECT_EQ(states[2], State(-1, 0, 6, tkDoubleQuoted)) << "the string ends in this row";
    EXPECT_EQ(states[3], State(-1));
    EXPECT_EQ(ReadTokens(*parser, "two", states[1]), (std::vector<Token> {{0, 3, tkDoubleQuoted, "two"}}));
    EXPECT_EQ(Kinds(ReadTokens(*parser, "three\" . $b", states[2])),
        (std::vector<int> {tkDoubleQuoted, tkSymbol, tkScalar}));
}

TEST_F(WrappedTokens, AQuoteCutFromItsEscapeOrPartnerByAWrapStaysInsideTheString)
{
    UseTheOriginalRules();
    FillRows(
        rows, {"$a = \"x\\", "\" y\"; $z", "$t = 'it", "''s';"}, {raWrapped, raBreak, raWrapped, raBreak});
    const std::vector<RowTokenState> states = RowStates(*parser, rows);
    EXPECT_EQ(ReadTokens(*parser, rows.Strings(1), states[1]),
        (std::vector<Token> {
            {0, 4, tkDoubleQuoted, "\" y\""}, {4, 1, tkSymbol, ";"}, {6, 2, tkScalar, "$z"}}));
    EXPECT_EQ(ReadTokens(*parser, rows.Strings(3), states[3]),
        (std::vector<Token> {{0, 4, tkSingleQuoted, "''s'"}, {4, 1, tkSymbol, ";"}}));
}

TEST_F(WrappedTokens, ARunOverAWholeRowGoesOnOverTheMarksThatContinueIt)
{
    struct Case {
        const char* Pair; // a character of the run
        const char* Mark; // a pair that continues the run but starts none
        int Kind;
    };
    const Case cases[] = {
        {"\x83\x4a", "\x81\x5b", tkKatakana}, // カ and ー
        {"\x82\xa0", "\x81\x7c", tkHiragana}, // あ and the other prolonged-sound mark
        {"\x82\x50", "\x81\x43", tkWideDigits}, // １ and the full-width comma
    };
    for (const Case& c : cases) {
        const std::string first = Repeated(c.Pair, 10);
        const std::string second = c.Mark + Repeated(c.Pair, 9);
        const std::string third = Repeated(c.Pair, 2) + " ;";
        FillRows(rows, {first, second, third}, {raWrapped, raWrapped, raBreak});
        const std::vector<RowTokenState> states = RowStates(*parser, rows);
        // The run covers the second row whole, so that row resumes it by kind, not by a count.
        EXPECT_EQ(states[1], State(-1, 0, 0, c.Kind)) << c.Kind;
        EXPECT_EQ(ReadTokens(*parser, second, states[1]), (std::vector<Token> {{0, 20, c.Kind, second}}))
            << c.Kind;
        EXPECT_EQ(states[2], State(-1, 0, 4, c.Kind)) << c.Kind;
    }
}

TEST_F(WrappedTokens, TheRestOfAReservedWordIsScannedAsAFreshToken)
{
    UseTheOriginalRules();
    // Resumed through the rule of its first byte: a sigil or a quote there starts its token.
    EXPECT_EQ(ReadTokens(*parser, "&amp; x", State(-1, 0, 0, tkReserved)),
        (std::vector<Token> {{0, 4, tkReserved, "&amp"}, {4, 1, tkSymbol, ";"}, {6, 1, tkWord, "x"}}));
    EXPECT_EQ(ReadTokens(*parser, "\"ab\" x", State(-1, 0, 0, tkReserved)),
        (std::vector<Token> {{0, 4, tkReserved, "\"ab\""}, {5, 1, tkWord, "x"}}));
    // The rest of a name or a string resumed by its own kind has no sigil or quote to pass.
    EXPECT_EQ(ReadTokens(*parser, "amp; x", State(-1, 0, 0, tkSubRoutineCall)),
        (std::vector<Token> {{0, 3, tkSubRoutineCall, "amp"}, {3, 1, tkSymbol, ";"}, {5, 1, tkWord, "x"}}));
    EXPECT_EQ(ReadTokens(*parser, "ab\" x", State(-1, 0, 0, tkDoubleQuoted)),
        (std::vector<Token> {{0, 3, tkDoubleQuoted, "ab\""}, {4, 1, tkWord, "x"}}));
}

TEST_F(WrappedTokens, ACommentRunsToTheEndOfItsLogicalLineOnly)
{
    FillRows(
        rows, {"$x; # a comm", "ent that wraps", "and ends", "$y"}, {raWrapped, raWrapped, raBreak, raBreak});
    const std::vector<RowTokenState> states = RowStates(*parser, rows);
    EXPECT_EQ(states[1].WrappedKind, tkComment);
    EXPECT_EQ(states[2].WrappedKind, tkComment);
    EXPECT_EQ(states[3], State(-1));
    EXPECT_EQ(
        ReadTokens(*parser, "and ends", states[2]), (std::vector<Token> {{0, 8, tkComment, "and ends"}}));
}

TEST_F(WrappedTokens, TheNameAfterSubSurvivesAWrapAndALineBreak)
{
    FillRows(rows, {"sub print_a", "ll {", "sub", "  main {"}, {raWrapped, raBreak, raBreak, raBreak});
    const std::vector<RowTokenState> states = RowStates(*parser, rows);
    EXPECT_EQ(states[1], State(-1, 0, 2, tkSubRoutine));
    EXPECT_EQ(ReadTokens(*parser, "ll {", states[1])[0], (Token {0, 2, tkSubRoutine, "ll"}));
    EXPECT_EQ(states[3].Element, 1);
    EXPECT_EQ(ReadTokens(*parser, "  main {", states[3])[0], (Token {2, 4, tkSubRoutine, "main"}));
}

TEST_F(WrappedTokens, ARowWithoutTextPassesTheStateOn)
{
    FillRows(rows, {"", "$x"}, {raBreak, raBreak});
    EXPECT_EQ(parser->ScanRowState(0, rows, State(-1, 1)), State(-1, 1));
}

} // namespace
} // namespace brenvik::test
