// The fuller Perl grammar on rows and row lists: bad input, word wrap and the fountain's switch.
#include "HighlightTestHelpers.h"

#include "highlight/ConfiguredFountains.h"
#include "highlight/FountainRowStateScanner.h"
#include "highlight/PERLFountain.h"
#include "highlight/PERLFountainParser.h"
#include "highlight/RowTokenizer.h"
#include "support/PropertyStream.h"
#include "text/FakeEditor.h"

#include <algorithm>

namespace brenvik::test {
namespace {

class PerlGrammar : public ::testing::Test {
protected:
    PerlGrammar() { ConfigurePERLFountain(Fountain); }

    // The kinds of every row's tokens, scanning the rows in order from the first.
    std::vector<std::vector<int>> RowKinds(
        const std::vector<std::string>& lines, const std::vector<TRowAttribute>& attributes = {})
    {
        auto parser = Fountain.CreateParser();
        TEditorScreenStrings rows;
        FillRows(rows, lines, attributes);
        const std::vector<RowTokenState> states = RowStates(*parser, rows);
        std::vector<std::vector<int>> kinds;
        std::string joined;
        for (int row = 0; row < rows.Count(); ++row) {
            TRowTokenizer tokens(*parser, joined);
            const bool wrapped = rows.RowAttribute(row) == raWrapped && row + 1 < rows.Count();
            tokens.Begin(rows.Strings(row), wrapped ? rows.Strings(row + 1) : std::string_view(),
                states[static_cast<size_t>(row)]);
            std::vector<int> rowKinds;
            for (TRowToken token; tokens.Next(token);) {
                rowKinds.push_back(token.Kind);
                if (rowKinds.size() > 2 * rows.Strings(row).size() + 2) {
                    ADD_FAILURE() << "row " << row << " does not advance";
                    break;
                }
            }
            kinds.push_back(rowKinds);
        }
        return kinds;
    }

    TPERLFountain Fountain;
};

TEST_F(PerlGrammar, AHereDocumentWithoutTerminatorRunsToTheEndOfTheText)
{
    const auto kinds = RowKinds({"print <<EOM;", "a $b", "EOM ", "\tEOM", "", "last"});
    EXPECT_EQ(kinds[1], (std::vector<int> {tkHereDocBody, tkScalar}));
    // A blank after the terminator or before it (without ~) makes a body line, as in Perl.
    EXPECT_EQ(kinds[2], (std::vector<int> {tkHereDocBody}));
    EXPECT_EQ(kinds[3], (std::vector<int> {tkHereDocBody}));
    EXPECT_TRUE(kinds[4].empty());
    EXPECT_EQ(kinds[5], (std::vector<int> {tkHereDocBody}));
}

TEST_F(PerlGrammar, AThousandHereDocumentsOnOneLineTakeTheirBodiesInOrder)
{
    std::vector<std::string> lines = {"print "};
    for (int i = 0; i < 1000; ++i)
        lines[0] += "<<T" + std::to_string(i) + ", ";
    for (int i = 0; i < 1000; ++i) {
        lines.push_back("T" + std::to_string(i + 1)); // a body line of this one, the next one's terminator
        lines.push_back("T" + std::to_string(i));
    }
    lines.push_back("$code;");
    const auto kinds = RowKinds(lines);
    EXPECT_EQ(std::count(kinds[0].begin(), kinds[0].end(), tkHereDocOperator), 1000);
    for (int i = 0; i < 1000; ++i) {
        ASSERT_EQ(kinds[static_cast<size_t>(1 + 2 * i)], (std::vector<int> {tkHereDocBody})) << i;
        ASSERT_EQ(kinds[static_cast<size_t>(2 + 2 * i)], (std::vector<int> {tkHereDocEnd})) << i;
    }
    EXPECT_EQ(kinds.back(), (std::vector<int> {tkScalar, tkSymbol}));
}

TEST_F(PerlGrammar, ADoubleByteTrailByteIsNeverADelimiterOrAnEscape)
{
    // 表 is 95 5C: its trail byte is a backslash, which must not escape the slash after it.
    const auto kinds = RowKinds({"$s =~ s/\x95\x5C/x/; $t = q\x95\x5C;", "y/\x95\x5C/\x97\xA0/; $u;"});
    EXPECT_EQ(kinds[0], (std::vector<int> {tkScalar, tkSymbol, tkSymbol, tkPattern, tkSymbol, tkScalar, tkSymbol,
                            tkWord, tkKanji, tkSymbol}));
    EXPECT_EQ(kinds[1], (std::vector<int> {tkPattern, tkSymbol, tkScalar, tkSymbol}));
}

TEST_F(PerlGrammar, UnclosedOperatorsAtTheEndOfTheTextStayOpenWithoutHanging)
{
    const auto kinds = RowKinds({"$x =~ s{a{b}", "c}{", "d $e", "", "q(" + std::string(100000, '(')});
    EXPECT_EQ(kinds[1], (std::vector<int> {tkPattern}));
    EXPECT_EQ(kinds[2], (std::vector<int> {tkPattern, tkScalar}));
    EXPECT_TRUE(kinds[3].empty());
    EXPECT_EQ(kinds[4], (std::vector<int> {tkPattern}));
}

TEST_F(PerlGrammar, LongRowsAndNulBytesInBodiesAreText)
{
    const std::string longRow(100000, 'x');
    const std::string withNul = std::string("a") + '\0' + "$b";
    const auto kinds = RowKinds({"print <<'E', <<\"F\";", longRow, "E", withNul, longRow + "$v", "F", "1;"});
    EXPECT_EQ(kinds[1], (std::vector<int> {tkHereDocBody}));
    EXPECT_EQ(kinds[3], (std::vector<int> {tkHereDocBody, tkScalar}));
    EXPECT_EQ(kinds[4], (std::vector<int> {tkHereDocBody, tkScalar}));
    EXPECT_EQ(kinds[5], (std::vector<int> {tkHereDocEnd}));
    EXPECT_EQ(kinds[6], (std::vector<int> {tkInteger, tkSymbol}));
}

TEST_F(PerlGrammar, AWrappedBodyLineEndingInTheTerminatorsTextStaysBody)
{
    // The row "EOM" continues a wrapped body line: it is no terminator. The next line is.
    const auto kinds = RowKinds({"print <<EOM;", "aaaaaaaaaaaaaaaaaaaa", "EOM", "EOM", "=head1 x", "=cut", "$y"},
        {raBreak, raWrapped, raBreak, raBreak, raBreak, raBreak, raBreak});
    EXPECT_EQ(kinds[2], (std::vector<int> {tkHereDocBody}));
    EXPECT_EQ(kinds[3], (std::vector<int> {tkHereDocEnd}));
    EXPECT_EQ(kinds[4], (std::vector<int> {tkPod}));
    EXPECT_EQ(kinds[5], (std::vector<int> {tkPod}));
    EXPECT_EQ(kinds[6], (std::vector<int> {tkScalar}));
}

TEST_F(PerlGrammar, NewKindsTakeTheStringAndCommentColours)
{
    auto parser = Fountain.CreateParser();
    const std::vector<std::pair<std::string, TFountainColor*>> cases = {
        {"qw(a b)", Fountain.Str()}, {"s/a/b/", Fountain.Str()}, {"print <<EOM", Fountain.Str()}};
    for (const auto& [text, color] : cases) {
        parser->BeginRow(text, RowTokenState::FirstRow());
        TFountainColor* last = nullptr;
        while (parser->ReadToken() != 0)
            last = parser->TokenColor();
        EXPECT_EQ(last, color) << text;
    }
    parser->BeginRow("=pod", RowTokenState::FirstRow());
    ASSERT_EQ(parser->ReadToken(), tkPod);
    EXPECT_EQ(parser->TokenColor(), Fountain.Comment());
}

TEST_F(PerlGrammar, SwitchingTheGrammarTellsTheEditorsAndChangesTheParsers)
{
    int changes = 0;
    struct Counter {
        int* Count;
        void Changed(QObject*) { ++*Count; }
    } counter {&changes};
    Fountain.NotifyList().Add(TMethod::Of(&counter, &Counter::Changed));
    Fountain.SetPerlGrammar(true); // unchanged: no notification
    EXPECT_EQ(changes, 0);
    Fountain.SetPerlGrammar(false);
    EXPECT_EQ(changes, 1);
    EXPECT_EQ(RowKinds({"s/a/b/;"})[0], (std::vector<int> {tkWord, tkSymbol, tkWord, tkSymbol, tkWord, tkSymbol,
                                             tkSymbol}));
    // The switch is stored with the fountain's other published properties.
    TPERLFountain restored;
    ASSERT_TRUE(restored.PerlGrammar());
    ASSERT_TRUE(LoadProperties(restored, SaveProperties(Fountain)));
    EXPECT_FALSE(restored.PerlGrammar());
}

TEST_F(PerlGrammar, OpeningAHereDocumentAtTheTopRescansTwoScreensAndLeavesTheRestForLater)
{
    FakeEditor editor; // 200 pixels of rows 10 high: the horizon is 40 rows past the edit
    editor.Scanner = [this] { return std::make_unique<TFountainRowStateScanner>(Fountain); };
    FillRows(*editor.Rows, std::vector<std::string>(10000, "$x = 1;"));
    editor.Rows->RescanAll();
    editor.Rows->ReplaceRows(0, 1, "print <<EOM;\r\n"); // the keystroke's edit of row 0
    ASSERT_EQ(editor.Rows->Count(), 10000);
    for (int row = 1; row <= 40; ++row)
        ASSERT_NE(editor.Rows->RowState(row).Context, 0) << "row " << row << " is a body row";
    for (int row : {41, 500, 9999})
        EXPECT_FALSE(editor.Rows->RowStateComputed(row)) << "row " << row;
    // Painting a later row computes it from the last computed row on, as a body row.
    editor.Rows->Rescan(500, false);
    auto parser = Fountain.CreateParser();
    parser->UseContexts(editor.Rows->Contexts());
    EXPECT_EQ(ReadTokens(*parser, editor.Rows->Strings(500), editor.Rows->RowState(500)),
        (std::vector<Token> {{0, 2, tkScalar, "$x"}, {2, 5, tkHereDocBody, " = 1;"}}));
}

} // namespace
} // namespace brenvik::test
