// The generic scanning rules, through the editor's built-in tokenizer with nothing switched on.
#include "HighlightTestHelpers.h"

#include "highlight/EditorFountain.h"
#include "highlight/EditorParser.h"
#include "highlight/HTMLFountain.h"
#include "highlight/PERLFountain.h"

#include <random>
#include <stdexcept>

namespace brenvik::test {
namespace {

class GenericRules : public ::testing::Test {
protected:
    TEditorFountain fountain;
    std::unique_ptr<TFountainParser> parser = fountain.CreateParser();

    std::vector<Token> Scan(std::string_view row) { return ReadTokens(*parser, row); }
};

TEST_F(GenericRules, NumbersTakeThePointOnlyBeforeDigitsOrAnExponent)
{
    EXPECT_EQ(Scan("1..2"),
        (std::vector<Token> {
            {0, 1, tkFloat, "1"}, {1, 1, tkSymbol, "."}, {2, 1, tkSymbol, "."}, {3, 1, tkInteger, "2"}}));
    EXPECT_EQ(Scan("12e"), (std::vector<Token> {{0, 3, tkFloat, "12e"}}));
    EXPECT_EQ(Scan("3.14E+5"), (std::vector<Token> {{0, 7, tkFloat, "3.14E+5"}}));
    EXPECT_EQ(Scan("7.e-2x"), (std::vector<Token> {{0, 5, tkFloat, "7.e-2"}, {5, 1, tkWord, "x"}}));
    EXPECT_EQ(Kinds(Scan("42 abc_9\tz")), (std::vector<int> {tkInteger, tkWord, tkTab, tkWord}));
}

TEST_F(GenericRules, BlanksAndControlBytesFormNoTokens)
{
    EXPECT_TRUE(Scan("").empty());
    EXPECT_TRUE(Scan("  \x01\x08\x0b ").empty());
    EXPECT_EQ(Scan(" \x7f ,"), (std::vector<Token> {{1, 1, tkSymbol, "\x7f"}, {3, 1, tkSymbol, ","}}));
}

TEST_F(GenericRules, JapaneseRunsAreCutByCharacterClass)
{
    // ひらがなー カタカナ 漢字 ０，１ ＡＢ 、 ｱｲ ｡
    const std::string row = "\x82\xd0\x82\xe7\x81\x5b \x83\x4a\x83\x5e\x81\x5b \x8a\xbf\x8e\x9a "
                            "\x82\x4f\x81\x43\x82\x50 \x82\x60\x82\x61 \x81\x41 \xb1\xb2 \xa1";
    EXPECT_EQ(Kinds(Scan(row)),
        (std::vector<int> {tkHiragana, tkKatakana, tkKanji, tkWideDigits, tkWideLatin, tkWideSymbol,
            tkNarrowKana, tkNarrowKanaSymbol}));
    EXPECT_EQ(Scan(row)[0].Size, 6);
    EXPECT_EQ(Scan(row)[3].Size, 6);
    // A kanji whose trail byte is a backslash or a letter stays one character.
    EXPECT_EQ(Scan("\x95\x5c\x8e\x66x"),
        (std::vector<Token> {{0, 4, tkKanji, "\x95\x5c\x8e\x66"}, {4, 1, tkWord, "x"}}));
}

TEST_F(GenericRules, MalformedShiftJisIsScannedByteWiseWithinTheRow)
{
    // A lead byte at the row end takes its one byte only.
    EXPECT_EQ(Scan("a\x88"), (std::vector<Token> {{0, 1, tkWord, "a"}, {1, 1, tkKanji, "\x88"}}));
    EXPECT_EQ(Scan("\x81"), (std::vector<Token> {{0, 1, tkWideSymbol, "\x81"}}));
    EXPECT_EQ(Scan("\x82"), (std::vector<Token> {{0, 1, tkWideSymbol, "\x82"}}));
    // 0x82 or 0x83 before a byte below 0x40, and 0x83 before 0xF1-0xFF: the lead byte alone.
    EXPECT_EQ(Scan("\x82\"x"),
        (std::vector<Token> {{0, 1, tkWideSymbol, "\x82"}, {1, 1, tkSymbol, "\""}, {2, 1, tkWord, "x"}}));
    EXPECT_EQ(Scan("\x83\xf5"), (std::vector<Token> {{0, 1, tkWideSymbol, "\x83"}, {1, 1, tkKanji, "\xf5"}}));
    EXPECT_EQ(Kinds(Scan("\xfd\xfe\xff")), (std::vector<int> {tkSymbol, tkSymbol, tkSymbol}));
    // A NUL ends the row's tokens.
    EXPECT_EQ(Texts(Scan(std::string("ab\0cd", 5))), (std::vector<std::string> {"ab"}));
    // A string or comment whose last byte is a lead byte ends with the row.
    fountain.SetQuotation("'");
    fountain.SetCommenter("//");
    parser = fountain.CreateParser();
    EXPECT_EQ(Scan("'a\x88"), (std::vector<Token> {{0, 3, tkQuotation, "'a\x88"}}));
    EXPECT_EQ(Scan("//\x88"), (std::vector<Token> {{0, 3, tkComment, "//\x88"}}));
}

TEST_F(GenericRules, RandomBytesNeverLeaveTheRowOrStall)
{
    std::mt19937 random(20261207);
    TPERLFountain perl;
    THTMLFountain html;
    fountain.Brackets()->AddBracket("/*", "*/");
    fountain.SetQuotation("'");
    fountain.SetMail(true);
    std::vector<std::unique_ptr<TFountainParser>> parsers;
    parsers.push_back(fountain.CreateParser());
    parsers.push_back(perl.CreateParser());
    parsers.push_back(html.CreateParser());
    TEditorScreenStrings rows;
    for (int round = 0; round < 2000; ++round) {
        // A quarter of the bytes are lead bytes, quotes and delimiters (or the literal's NUL).
        std::string row(random() % 40, '\0');
        for (char& c : row)
            c = static_cast<char>(random() % 4 == 0 ? "\x81\x82\x83\xfc\"'#$<>=&/*@."[random() % 17] : random() % 256);
        TEditorStringList added;
        added.Add(row);
        added.SetRowAttribute(0, random() % 2 ? raWrapped : raBreak);
        rows.InsertRows(rows.Count(), added);
        for (auto& p : parsers) {
            int covered = 0;
            for (const Token& t : ReadTokens(*p, row)) {
                EXPECT_GE(t.Offset, covered) << "tokens overlap";
                covered = t.Offset + t.Size;
            }
            EXPECT_LE(covered, static_cast<int>(row.size()));
        }
    }
    for (auto& p : parsers) {
        for (const RowTokenState& s : RowStates(*p, rows)) {
            EXPECT_TRUE(s.BracketIndex >= -1 && s.BracketIndex < 14);
            EXPECT_TRUE(s.Element >= 0 && s.Element < 16);
            EXPECT_TRUE(s.Remain >= 0 && s.Remain < 256);
        }
    }
}

TEST_F(GenericRules, HugeRowsAreScannedWhole)
{
    for (const std::string& unit :
        {std::string("a.b-c"), std::string("\x82\xa0"), std::string(" x"), std::string("\x88")}) {
        std::string row;
        while (row.size() < 100000)
            row += unit;
        int covered = 0;
        for (const Token& t : ReadTokens(*parser, row))
            covered = t.Offset + t.Size;
        EXPECT_EQ(covered, static_cast<int>(row.size())) << unit;
    }
}

TEST_F(GenericRules, MatchWordNeedsADelimiterAndIgnoresCase)
{
    parser->BeginRow("Sub subx sub", RowTokenState::FirstRow());
    EXPECT_FALSE(parser->MatchWord(""));
    EXPECT_TRUE(parser->MatchWord("SUB"));
    EXPECT_EQ(parser->ReadToken(), tkWord);
    EXPECT_EQ(parser->TokenText(), "subx");
    parser->BeginRow("subx", RowTokenState::FirstRow());
    EXPECT_FALSE(parser->MatchWord("sub"));
    parser->BeginRow("su", RowTokenState::FirstRow());
    EXPECT_FALSE(parser->MatchWord("sub"));
}

TEST_F(GenericRules, ReservedWordsIgnoreCaseAndPaintInReserve)
{
    fountain.ReserveWordList()->Add("print");
    auto p = fountain.CreateParser();
    p->BeginRow("PRINT printer", RowTokenState::FirstRow());
    ASSERT_EQ(p->ReadToken(), tkWord);
    EXPECT_TRUE(p->TokenIsReserved());
    EXPECT_EQ(p->TokenColor(), fountain.Reserve());
    ASSERT_EQ(p->ReadToken(), tkWord);
    EXPECT_FALSE(p->TokenIsReserved());
    EXPECT_EQ(p->TokenColor(), fountain.Colors()->Ank());
}

TEST(FountainParser, NeedsAFountain)
{
    try {
        TEditorParser parser(nullptr);
        FAIL() << "no exception";
    } catch (const std::invalid_argument& e) {
        EXPECT_STREQ(e.what(), "TFountainParser.Create need instance of TFountain");
    }
}

} // namespace
} // namespace brenvik::test
