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

TEST_F(PerlGrammar, ATrailByte0x5CEscapesTheNextByteAsInPerl)
{
    // 表 is 95 5C: Perl without an encoding reads its trail as a backslash, which escapes the slash
    // after it, so the first part of y/// ends at the next slash and the second runs to the next line.
    const auto kinds = RowKinds({"y/\x95\x5C/\x97\xA0/; $u;", "a/; $v;"});
    EXPECT_EQ(kinds[0], (std::vector<int> {tkPattern, tkTrailBackslash, tkPattern}));
    EXPECT_EQ(kinds[1], (std::vector<int> {tkPattern, tkSymbol, tkScalar, tkSymbol}));
    // In single quotes the backslash is text unless the delimiter or a backslash follows it.
    EXPECT_EQ(RowKinds({"'\x95\x5C\x8E\xA6' . '\x83\x5C\\' . '\x83\x5C';", "x';"}),
        (std::vector<std::vector<int>> {
            {tkSingleQuoted, tkSymbol, tkSingleQuoted, tkTrailBackslash, tkSingleQuoted, tkSymbol, tkSingleQuoted,
                tkTrailBackslash, tkSingleQuoted},
            {tkSingleQuoted, tkSymbol}}));
    // Where Perl reads each byte, the character is still one token, painted in the warning colour.
    auto parser = Fountain.CreateParser();
    // 表表示$x: the first trail escapes the second 表's lead, whose trail escapes 示's lead.
    EXPECT_EQ(ReadTokens(*parser, "\"\x95\x5C\x95\x5C\x8E\xA6$x\""),
        (std::vector<Token> {{0, 1, tkDoubleQuoted, "\""}, {1, 6, tkTrailBackslash, "\x95\x5C\x95\x5C\x8E\xA6"},
            {7, 2, tkScalar, "$x"}, {9, 1, tkDoubleQuoted, "\""}}));
    // 表ソ$x: ソ's trail escapes the sigil, which is text then.
    EXPECT_EQ(ReadTokens(*parser, "\"\x95\x5C\x83\x5C$x\""),
        (std::vector<Token> {{0, 1, tkDoubleQuoted, "\""}, {1, 5, tkTrailBackslash, "\x95\x5C\x83\x5C$"},
            {6, 2, tkDoubleQuoted, "x\""}}));
    // In an interpolating here-document body too; a quoted terminator keeps the body literal.
    EXPECT_EQ(RowKinds({"print <<EOM, <<'RAW';", "a\x95\x5C$x $y", "EOM", "\x95\x5C$x", "RAW"}),
        (std::vector<std::vector<int>> {{tkWord, tkHereDocOperator, tkSymbol, tkHereDocOperator, tkSymbol},
            {tkHereDocBody, tkTrailBackslash, tkHereDocBody, tkScalar}, {tkHereDocEnd}, {tkHereDocBody},
            {tkHereDocEnd}}));
    parser->BeginRow("\"\x95\x5C\"", RowTokenState::FirstRow());
    parser->ReadToken();
    parser->ReadToken();
    EXPECT_EQ(parser->TokenColor(), Fountain.TrailBackslash());
    EXPECT_EQ(Fountain.TrailBackslash()->BkColor(), clYellow);
}

// A script written in EUC-JP, UTF-8 or JIS holds no trail byte 0x5C: there 表 and ソ are plain
// characters, a string ends at its quote, and the row-state scan agrees with reading the tokens.
TEST_F(PerlGrammar, InAScriptOfAnotherCodeATrailByteIsNoBackslash)
{
    Fountain.SetTrailBytesEscape(false);
    const std::vector<std::string> lines {"$a = \"\x95\x5C\"; $b = '\x83\x5C' . q{\x83\x7D} . \"\\\x95\x5C\";",
        "y/\x95\x5C/\x97\xA0/; $u;", "print <<EOM;", "a\x95\x5C$x", "EOM", "$c;"};
    const auto kinds = RowKinds(lines);
    EXPECT_EQ(kinds[0], (std::vector<int> {tkScalar, tkSymbol, tkDoubleQuoted, tkSymbol, tkScalar, tkSymbol,
                            tkSingleQuoted, tkSymbol, tkQuoteLike, tkSymbol, tkDoubleQuoted, tkSymbol}));
    EXPECT_EQ(kinds[1], (std::vector<int> {tkPattern, tkSymbol, tkScalar, tkSymbol}));
    EXPECT_EQ(kinds[3], (std::vector<int> {tkHereDocBody, tkScalar}));
    EXPECT_EQ(kinds[5], (std::vector<int> {tkScalar, tkSymbol}));
    // Switching back reads the same rows as Perl reads Shift_JIS: the string runs on.
    Fountain.SetTrailBytesEscape(true);
    EXPECT_EQ(RowKinds(lines)[1].front(), tkDoubleQuoted);
}

TEST_F(PerlGrammar, StringsOfEveryKindRunOverLineEndsWithTheirVariables)
{
    const auto kinds = RowKinds({"$a = 'x", "y' . \"$b", "c $d\\\" $e\";", "print `ls", "$f` . qq{a {", "} $g} . qw(", "h)",
        "1;"});
    EXPECT_EQ(kinds[1], (std::vector<int> {tkSingleQuoted, tkSymbol, tkDoubleQuoted, tkScalar}));
    EXPECT_EQ(kinds[2], (std::vector<int> {tkDoubleQuoted, tkScalar, tkDoubleQuoted, tkScalar, tkDoubleQuoted, tkSymbol}))
        << "an escaped backslash does not escape the quote after it";
    EXPECT_EQ(kinds[4], (std::vector<int> {tkScalar, tkQuoteLike, tkSymbol, tkQuoteLike}));
    EXPECT_EQ(kinds[5], (std::vector<int> {tkQuoteLike, tkScalar, tkQuoteLike, tkSymbol, tkQuoteLike}));
    EXPECT_EQ(kinds[6], (std::vector<int> {tkQuoteLike}));
    EXPECT_EQ(kinds[7], (std::vector<int> {tkInteger, tkSymbol}));
    // 'it''s' is two strings to Perl, and a backslash escapes a single quote.
    EXPECT_EQ(RowKinds({"'it''s'; 'a\\' x", "';"})[0], (std::vector<int> {tkSingleQuoted, tkSingleQuoted, tkSymbol, tkSingleQuoted}));
}

TEST_F(PerlGrammar, ABackslashAtAWrapEscapesTheNextRowsFirstByteAndAtALineEndTheBreak)
{
    const auto wrapped = RowKinds({"$a = \"x\\", "\" y\"; $z"}, {raWrapped, raBreak});
    EXPECT_EQ(wrapped[1], (std::vector<int> {tkDoubleQuoted, tkSymbol, tkScalar}));
    const auto broken = RowKinds({"$a = \"x\\", "\" y", "\""});
    EXPECT_EQ(broken[1], (std::vector<int> {tkDoubleQuoted, tkWord}));
    EXPECT_EQ(broken[2], (std::vector<int> {tkDoubleQuoted})) << "a new string";
}

TEST_F(PerlGrammar, TheDataSectionBeginsWhereverPerlTakesEndOrDataAsAWord)
{
    EXPECT_EQ(RowKinds({"$h{__END__} = 1; $x->__END__; f(__DATA__ => 2);", "$y"})[1], (std::vector<int> {tkScalar}));
    EXPECT_EQ(RowKinds({"1; __END__ $x", "$y"}), (std::vector<std::vector<int>> {{tkInteger, tkSymbol, tkDataSection}, {tkDataSection}}));
    EXPECT_EQ(RowKinds({"  __DATA__", "$y"})[1], (std::vector<int> {tkDataSection}));
    // After __END__ POD is read as POD, as pod tools read it; after __DATA__ it is data.
    EXPECT_EQ(RowKinds({"__END__", "=head1 x", "", "=cut", "y"}),
        (std::vector<std::vector<int>> {{tkDataSection}, {tkPod}, {}, {tkPod}, {tkDataSection}}));
    EXPECT_EQ(RowKinds({"__DATA__", "=head1 x"})[1], (std::vector<int> {tkDataSection}));
    // Inside a string or POD the word is text.
    EXPECT_EQ(RowKinds({"print '", "__END__", "';", "=pod", "__END__", "=cut", "", "$y"}).back(), (std::vector<int> {tkScalar}));
}

TEST_F(PerlGrammar, TypingInALongStringRescansOnlyTheEditedRow)
{
    FakeEditor editor;
    editor.Scanner = [this] { return std::make_unique<TFountainRowStateScanner>(Fountain); };
    std::vector<std::string> lines = {"$a = \"start"};
    for (int i = 0; i < 1000; ++i)
        lines.push_back("text $v " + std::to_string(i));
    lines.push_back("end\";");
    lines.push_back("$code;");
    FillRows(*editor.Rows, lines);
    editor.Rows->RescanAll();
    editor.Rows->Rescan(editor.Rows->Count() - 1, false);
    editor.Changes.clear();
    editor.Rows->ReplaceRows(500, 1, "text $v \\\" q{ 499\r\n");
    ASSERT_EQ(editor.Changes.size(), 1u);
    EXPECT_EQ(editor.Changes[0].Rescanned, 2) << "the edited row and the row after its break, which compares equal";
    EXPECT_NE(editor.Rows->RowState(501).Context, 0);
    // A quote that closes the string changes every row after it: the rescan goes on (two screens).
    editor.Changes.clear();
    editor.Rows->ReplaceRows(500, 1, "text\";\r\n");
    ASSERT_EQ(editor.Changes.size(), 1u);
    EXPECT_GT(editor.Changes[0].Rescanned, 2);
    EXPECT_EQ(editor.Rows->RowState(501).Context, 0);
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
    // A row of a string that reads like a built-in is string text.
    TEditorScreenStrings rows;
    FillRows(rows, {"$x = \"", "print", "\";"});
    const std::vector<RowTokenState> states = RowStates(*parser, rows);
    parser->BeginRow("print", states[1]);
    ASSERT_EQ(parser->ReadToken(), tkDoubleQuoted);
    EXPECT_EQ(parser->TokenColor(), Fountain.Str());
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

TEST(PerlOpenConstructs, EveryFieldSurvivesTheContextTableAndCutBytesReadAsNothingOpen)
{
    TPerlOpenConstructs open;
    open.HereDocuments = {{false, true, "EOM"}, {true, false, std::string(300, 'T')}};
    open.InBody = open.DataSection = open.AfterEnd = open.Pod = open.PodEndsWithLine = true;
    open.QuoteOpen = true;
    open.Quote = {'s', '{', '}', 513, true, false, true};
    const std::string bytes = open.Encode();
    EXPECT_EQ(TPerlOpenConstructs::Decode(bytes), open);
    open.Quote.Escaped = open.AfterEnd = false;
    EXPECT_EQ(TPerlOpenConstructs::Decode(open.Encode()), open);
    EXPECT_EQ(TPerlOpenConstructs::Decode(bytes.substr(0, bytes.size() - 1)), TPerlOpenConstructs {});
    EXPECT_TRUE(TPerlOpenConstructs {}.Encode().empty());
}

} // namespace
} // namespace brenvik::test
