// Go to use: candidates, the order of both directions, the caret's reference byte, word wrap,
// tabs and double-quoted strings.
#include "ExplorerTestSupport.h"

#include "model/ExplorerNavigation.h"
#include "text/EditorScreenStrings.h"

#include <gtest/gtest.h>

namespace brenvik::test {
namespace {

struct TNavigator : TPerlModel {
    TExplorerStates States;

    // Runs a command from the caret and selects the hit as the window does; the hit's
    // line and byte, or {-1, -1} when nothing was found.
    std::pair<int, int> Go(
        TExplorerList list, const std::string& name, bool forward, bool definitionsOnly = false)
    {
        TUseFinder finder(Model.Rows(), &Fountain, States);
        const TUseQuery query {list, name, definitionsOnly};
        const TLinePos from = TUseFinder::CaretPos(Model);
        const std::optional<TUseHit> hit = forward ? finder.Forward(query, from) : finder.Upward(query, from);
        if (!hit)
            return {-1, -1};
        SelectUse(Model, *hit);
        return {hit->Line, hit->Offset};
    }
    void CaretAtByte(int line, int byte)
    {
        Model.SetRowCol(line, Model.TextWidth(Model.RowText(line).substr(0, size_t(byte))));
    }
};

TEST(ExplorerNavigationTest, ForwardTakesStartsRightOfTheCaretAndWrapsToTheCaretLine)
{
    TNavigator t;
    t.SetText("$a=$b;\r\n");
    t.CaretAtByte(0, 2); // just after $a
    EXPECT_EQ(t.Go(elVariable, "b", true), std::make_pair(0, 3));
    EXPECT_EQ(t.Model.SelText(), "$b");
    // The caret stands at the hit's start, the anchor at its end.
    EXPECT_EQ(t.Model.Col(), 3);

    // A double-byte string before the caret: the second $a is left for the first, and back.
    t.SetText("$a = \"" + kNihon + "\"; $a++;\r\n");
    const int second = int(t.Model.RowText(0).find("$a++"));
    t.CaretAtByte(0, second);
    EXPECT_EQ(t.Go(elVariable, "a", true), std::make_pair(0, 0));
    EXPECT_EQ(t.Go(elVariable, "a", true), std::make_pair(0, second));
    EXPECT_EQ(t.Go(elVariable, "a", true), std::make_pair(0, 0));
}

TEST(ExplorerNavigationTest, ForwardVisitsLinesBelowThenFromTheTop)
{
    TNavigator t;
    t.SetText("$x = 1;\r\nprint $y;\r\n\t$x++;\r\n$z = $x . $x;\r\n");
    t.Model.SetRowCol(1, 0);
    EXPECT_EQ(t.Go(elVariable, "x", true), std::make_pair(2, 1));
    EXPECT_EQ(t.Model.Col(), 4) << "a tab stands before it";
    EXPECT_EQ(t.Go(elVariable, "x", true), std::make_pair(3, 5));
    EXPECT_EQ(t.Go(elVariable, "x", true), std::make_pair(3, 10));
    EXPECT_EQ(t.Go(elVariable, "x", true), std::make_pair(0, 0));
    // A miss changes nothing.
    EXPECT_EQ(t.Go(elVariable, "nothing", true), std::make_pair(-1, -1));
    EXPECT_EQ(t.Model.SelText(), "$x");
}

TEST(ExplorerNavigationTest, UpwardTakesTheCaretLineLeftOfTheCaretFirstAndReachesEveryUse)
{
    // Uses on line 8 and on line 10 at bytes 5 and 20; from line 10 byte 30 upward repeatedly.
    TNavigator t;
    std::string text;
    for (int line = 0; line < 12; ++line) {
        if (line == 8)
            text += "  $v = 1;";
        else if (line == 10)
            text += "my  ($v, $w); $w = $v + 1; $v .= 1;";
        text += "\r\n";
    }
    t.SetText(text);
    const std::string line10(t.Model.RowText(10));
    ASSERT_EQ(line10.find("$v"), 5u);
    const int third = int(line10.find("$v", 6));
    const int fourth = int(line10.rfind("$v"));
    t.CaretAtByte(10, fourth + 2);
    EXPECT_EQ(t.Go(elVariable, "v", false), std::make_pair(10, fourth));
    EXPECT_EQ(t.Go(elVariable, "v", false), std::make_pair(10, third));
    EXPECT_EQ(t.Go(elVariable, "v", false), std::make_pair(10, 5));
    EXPECT_EQ(t.Go(elVariable, "v", false), std::make_pair(8, 2));
    // Above line 8 there is none: from the last line up, the last use of the script.
    EXPECT_EQ(t.Go(elVariable, "v", false), std::make_pair(10, fourth));
}

TEST(ExplorerNavigationTest, CandidatesOfEachList)
{
    TNavigator t;
    t.SetText("@x = (1); $x[0] = 2; %x = (); $x{a} = 1; $x = 3;\r\n");
    const std::string row(t.Model.RowText(0));
    const auto visits = [&](TExplorerList list) {
        t.Model.SetRowCol(0, 0);
        std::vector<int> offsets;
        for (int i = 0; i < 6; ++i)
            offsets.push_back(t.Go(list, "x", true).second);
        return offsets;
    };
    const int array = 0, element = int(row.find("$x[")), hash = int(row.find("%x")),
              value = int(row.find("$x{")), scalar = int(row.find("$x = 3"));
    // The first use from the start of the line is after byte 0: the array itself comes last.
    EXPECT_EQ(visits(elArrangement), (std::vector<int> {element, value, scalar, array, element, value}));
    EXPECT_EQ(visits(elAssocArr), (std::vector<int> {element, hash, value, scalar, element, hash}));
    EXPECT_EQ(visits(elVariable), (std::vector<int> {element, value, scalar, element, value, scalar}));
}

TEST(ExplorerNavigationTest, UsesInsideDoubleQuotesBracedNamesAndApostrophes)
{
    TNavigator t;
    t.SetText("print \"<input value='$id'>\";\r\nprint \"${id}san $id\\\"\";\r\nprint 'x$id';\r\n");
    t.Model.SetRowCol(0, 0);
    EXPECT_EQ(t.Go(elVariable, "id", true), std::make_pair(0, 21)) << "the apostrophe hides nothing";
    EXPECT_EQ(t.Go(elVariable, "id", true), std::make_pair(1, 7));
    EXPECT_EQ(t.Model.SelText(), "${id}");
    EXPECT_EQ(t.Go(elVariable, "id", true), std::make_pair(1, 16));
    // A single-quoted string outside double quotes is still one string.
    EXPECT_EQ(t.Go(elVariable, "id", true), std::make_pair(0, 21));
}

TEST(ExplorerNavigationTest, HereDocumentBodiesPodAndTheDataSectionFollowTheGrammar)
{
    // With the fuller grammar an interpolating body holds uses; a single-quoted body, POD and
    // the text after __END__ hold none. The carried line states keep what each line leaves open.
    const std::string text = "my $id = 1;\r\nprint <<'EOM';\r\n$id single\r\nEOM\r\nprint <<\"EOM\";\r\n<b>$id</b>\r\n"
                             "EOM\r\n=pod\r\n$id pod\r\n=cut\r\n$id++;\r\n__END__\r\n$id data\r\n";
    TNavigator t;
    t.SetText(text);
    t.CaretAtByte(0, 5);
    EXPECT_EQ(t.Go(elVariable, "id", true), std::make_pair(5, 3));
    EXPECT_EQ(t.Go(elVariable, "id", true), std::make_pair(10, 0));
    EXPECT_EQ(t.Go(elVariable, "id", true), std::make_pair(0, 3)) << "round to the top, nothing after __END__";

    TNavigator original;
    original.Fountain.SetPerlGrammar(false);
    original.SetText(text);
    original.CaretAtByte(0, 5);
    EXPECT_EQ(original.Go(elVariable, "id", true), std::make_pair(2, 0)) << "the simpler rules read bodies as code";
}

TEST(ExplorerNavigationTest, StringsOverLineEndsHoldUsesOnlyWhereTheyInterpolate)
{
    // The single-quoted string hides $id over three lines; the double-quoted one shows its use on
    // its second line, and its close quote is not taken for an opening one.
    const std::string text = "my $id = 1;\r\n$s = '\r\n$id\r\n';\r\n$t = \"a\r\n<b>$id</b>\";\r\n$id++;\r\n";
    TNavigator t;
    t.SetText(text);
    t.CaretAtByte(0, 5);
    EXPECT_EQ(t.Go(elVariable, "id", true), std::make_pair(5, 3));
    EXPECT_EQ(t.Go(elVariable, "id", true), std::make_pair(6, 0));
    EXPECT_EQ(t.Go(elVariable, "id", false), std::make_pair(5, 3));
}

TEST(ExplorerNavigationTest, SubroutinesDefinitionsAndAmpersandCalls)
{
    TNavigator t;
    t.SetText("&init;\r\ninit();\r\nsub init {\r\n}\r\n&init();\r\n");
    t.Model.SetRowCol(0, 0);
    EXPECT_EQ(t.Go(elSubRoutine, "init", true, true), std::make_pair(2, 4));
    EXPECT_EQ(t.Go(elSubRoutine, "init", true, true), std::make_pair(2, 4)) << "the only definition";
    EXPECT_EQ(t.Go(elSubRoutine, "init", true), std::make_pair(4, 0)) << "calls without & are not found";
    EXPECT_EQ(t.Go(elSubRoutine, "init", true), std::make_pair(0, 0));
    EXPECT_EQ(t.Go(elSubRoutine, "init", false), std::make_pair(4, 0));
    EXPECT_EQ(t.Go(elSubRoutine, "nothing", false), std::make_pair(-1, -1));
}

TEST(ExplorerNavigationTest, WordWrapSelectsTheTokenWhereTheEditorPutIt)
{
    TNavigator t;
    t.WrapAt(20);
    t.SetText("a\x82\xa0\x82\xa2\x82\xa4\x82\xa6\x82\xa8\x82\xa9\x82\xab\x82\xad\x82\xaf\x82\xb1$"
              "x\r\n\t\t\t\t\t$x\r\n");
    ASSERT_GE(t.Model.RowCount(), 3);
    t.Model.SetRowCol(0, 0);
    const auto hit = t.Go(elVariable, "x", true);
    EXPECT_EQ(hit, std::make_pair(0, 21));
    EXPECT_EQ(t.Model.SelText(), "$x");
    EXPECT_EQ(t.Model.CheckInvariant(), "");
    // A tab-filled line wrapped at its tab limit.
    t.Go(elVariable, "x", true);
    EXPECT_EQ(t.Model.SelText(), "$x");
    EXPECT_EQ(t.Model.LineOfRow(t.Model.Row()), 1);
}

TEST(ExplorerNavigationTest, CaretAfterTheLastLineBreakAndANonPerlFountain)
{
    TNavigator t;
    t.SetText("$x;\r\n$x;\r\n");
    t.Model.SetRowCol(t.Model.RowCount(), 0);
    EXPECT_EQ(t.Go(elVariable, "x", true), std::make_pair(0, 0));
    t.Model.SetRowCol(t.Model.RowCount(), 0);
    EXPECT_EQ(t.Go(elVariable, "x", false), std::make_pair(1, 0));

    TUseFinder none(t.Model.Rows(), nullptr, t.States);
    EXPECT_FALSE(none.Forward({elVariable, "x"}, {0, 0}));
}

} // namespace
} // namespace brenvik::test
