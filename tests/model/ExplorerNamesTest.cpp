// The explorer's rebuild: which names each list gets, their order, the carried line states.
#include "ExplorerTestSupport.h"

#include "highlight/HTMLFountain.h"
#include "model/ExplorerNames.h"
#include "text/EditorScreenStrings.h"

#include <gtest/gtest.h>

namespace brenvik::test {
namespace {

using TNames = std::vector<std::string>;

const TExplorerSorted kUnsorted {false, false, false, false};
const TExplorerSorted kSorted {true, true, true, true};

// A CGI script with Japanese comments and strings, qualified names and names only in strings.
std::string Sample()
{
    return "#!/usr/bin/perl\r\n"
           "# "
        + kComment
        + "\r\n"
          "require './jcode.pl';\r\n"
          "$zeta = \""
        + kNihon
        + "$only_in_string\";\r\n"
          "@list = (1, 2); $list[0] = 3;\r\n"
          "%ENV; $main::count++; $pkg'var = 1;\r\n"
          "&init;\r\n"
          "sub init {\r\n"
          "  my $Alpha = 1; my $alpha = 2; $zeta .= '"
        + kNihon
        + "';\r\n"
          "}\r\n"
          "sub\r\n"
          "finish { print \"$never\" }\r\n";
}

TExplorerNames Build(TPerlModel& t, const TExplorerSorted& sorted)
{
    return BuildExplorerNames(t.Model.Rows(), &t.Fountain, sorted);
}

TEST(ExplorerNamesTest, UnsortedListsKeepFirstAppearanceAndSkipStringsAndCalls)
{
    TPerlModel t;
    t.SetText(Sample());
    const TExplorerNames names = Build(t, kUnsorted);
    EXPECT_EQ(names[elVariable], (TNames {"zeta", "list", "main::count", "pkg'var", "Alpha", "alpha"}));
    EXPECT_EQ(names[elArrangement], (TNames {"list"}));
    EXPECT_EQ(names[elAssocArr], (TNames {"ENV"}));
    // A name after "sub" on the next line is still the subroutine's; "&init" is a call.
    EXPECT_EQ(names[elSubRoutine], (TNames {"init", "finish"}));
}

TEST(ExplorerNamesTest, SortedListsFollowTheLocaleCaseSensitivelyWithEveryByteDistinctName)
{
    TNames names {"b", "B", "a", "A", "a_1", "a1"};
    SortNames(names, QLocale(QLocale::English, QLocale::UnitedStates));
    // Case-sensitive: a and A are two entries, each next to its own letter.
    ASSERT_EQ(names.size(), 6u);
    const auto at
        = [&](const char* name) { return std::find(names.begin(), names.end(), name) - names.begin(); };
    EXPECT_LT(std::max(at("a"), at("A")), std::min(at("b"), at("B")));
    EXPECT_NE(at("a1"), at("a_1"));

    TPerlModel t;
    t.SetText(Sample());
    const TExplorerNames sorted = Build(t, {false, true, true, true});
    EXPECT_EQ(sorted[elSubRoutine], (TNames {"init", "finish"})) << "the subroutine flag is off";
    TNames expected = Build(t, kUnsorted)[elVariable];
    SortNames(expected);
    EXPECT_EQ(sorted[elVariable], expected);
    EXPECT_EQ(sorted[elVariable].size(), 6u);
}

TEST(ExplorerNamesTest, NamesInsideStringsOverLineEndsAreNotListedAndCodeAfterThemIs)
{
    TPerlModel t;
    t.SetText("$a = 'x\r\n$in_single';\r\n$b = \"y\r\n$in_double\";\r\n$c = qq{\r\n$in_qq};\r\n$after = 1;\r\n");
    EXPECT_EQ(Build(t, kUnsorted)[elVariable], (TNames {"a", "b", "c", "in_qq", "after"}))
        << "as with here-documents, qq and patterns interpolate into their own tokens";
}

TEST(ExplorerNamesTest, UniqueNamesAreUniqueByBytes)
{
    TNameSet set;
    for (const char* name : {"x", "X", "x", "x'y", "x::y", "X"})
        set.Add(name);
    EXPECT_EQ(set.Take(), (TNames {"x", "X", "x'y", "x::y"}));
}

TEST(ExplorerNamesTest, StatesAreCarriedWhereTheEditorHasNotScannedYet)
{
    // A load leaves every row state "not computed"; "sub" on one line names the word on the
    // next only when the state is carried.
    TPerlModel t;
    std::string text;
    for (int i = 0; i < 300; ++i)
        text += "$v" + std::to_string(i) + " = 1;\r\n";
    text += "sub\r\n  late_name { }\r\n";
    t.Model.Lines().LoadLines(
        [&](const TLineSink& sink) {
            size_t start = 0;
            for (size_t end; (end = text.find("\r\n", start)) != std::string::npos; start = end + 2)
                sink(std::string_view(text).substr(start, end - start));
        },
        true);
    ASSERT_EQ(t.Model.Rows().RowState(301).BracketIndex, -2);
    TExplorerStates states;
    const TExplorerNames names = BuildExplorerNames(t.Model.Rows(), &t.Fountain, kUnsorted, &states);
    EXPECT_EQ(names[elSubRoutine], (TNames {"late_name"}));
    EXPECT_EQ(names[elVariable].size(), 300u);

    // The carried states are the states the editor's own scan stores at each line start,
    // as far as that scan reaches; the scan is made to reach the "sub" line.
    ASSERT_EQ(states.ValidLines(), t.Model.Rows().LineCount());
    for (int row = 0; row < t.Model.RowCount(); row += 50)
        t.Model.Rows().Rescan(row, false);
    int compared = 0;
    for (int line = 0; line < states.ValidLines(); ++line) {
        const RowTokenState stored = t.Model.Rows().RowState(t.Model.Rows().RowOfLine(line));
        if (stored.BracketIndex == -2)
            continue;
        ++compared;
        EXPECT_EQ(states.At(line), stored) << "line " << line;
    }
    EXPECT_GT(compared, 250);
    EXPECT_NE(t.Model.Rows().RowState(301).BracketIndex, -2);
    EXPECT_EQ(states.At(301).Element, 1) << "after the word sub";
}

TEST(ExplorerNamesTest, WrappedRowsSlicedPassesAndRawTabsGiveTheSameLists)
{
    TPerlModel t;
    const std::string text = Sample() + Sample() + Sample() + Sample() + Sample() + Sample()
        + "\t$tabbed\t= @arr\t+ %h;\r\nsub " + kNihon + "x { $" + kNihon + " }\r\n";
    t.SetText(text);
    const TExplorerNames plain = Build(t, kUnsorted);
    EXPECT_EQ(plain[elVariable].back(), "tabbed");

    TExplorerBuild sliced(t.Model.Rows(), &t.Fountain, kUnsorted);
    int slices = 0;
    while (!sliced.RunFor(0))
        ++slices;
    EXPECT_GT(slices, 0);
    EXPECT_EQ(sliced.TakeNames(), plain);

    for (int width : {7, 12, 20}) {
        TPerlModel wrapped;
        wrapped.WrapAt(width);
        wrapped.SetText(text);
        ASSERT_GT(wrapped.Model.RowCount(), t.Model.RowCount());
        EXPECT_EQ(Build(wrapped, kUnsorted), plain) << "wrap " << width;
    }
}

TEST(ExplorerNamesTest, SingleQuotedBodiesPodAndTheDataSectionListNoNames)
{
    TPerlModel t;
    t.SetText("$code = 1;\r\nprint <<'EOM';\r\n$single\r\nEOM\r\n=head1 NAME\r\n$pod\r\n=cut\r\n"
              "$after = 2;\r\n__DATA__\r\n$data\r\n");
    EXPECT_EQ(Build(t, kUnsorted)[elVariable], (TNames {"code", "after"}));
}

TEST(ExplorerNamesTest, AnotherLanguageGivesEmptyLists)
{
    TPerlModel t;
    t.SetText(Sample());
    THTMLFountain html;
    ConfigureHTMLFountain(html);
    EXPECT_EQ(BuildExplorerNames(t.Model.Rows(), &html, kSorted), TExplorerNames {});
    EXPECT_EQ(BuildExplorerNames(t.Model.Rows(), nullptr, kSorted), TExplorerNames {});
}

} // namespace
} // namespace brenvik::test
