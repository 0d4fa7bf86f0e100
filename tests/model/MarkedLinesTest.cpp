// Marks on logical lines following the edits of the real model: typing, Enter, joins, whole-line
// deletions, undo and redo, over wrapped rows; and a seeded storm of such edits checked against
// the lines' own names.
#include "ModelTestSupport.h"

#include <gtest/gtest.h>

#include <random>
#include <set>

namespace brenvik {
namespace {

using test::TTestModel;
constexpr TMarkKind kBook = TMarkKind::Bookmark;
constexpr TMarkKind kError = TMarkKind::SyntaxError;

std::vector<int> BookLines(const TTestModel& t)
{
    return t.Model.Marks().Lines(kBook);
}

TEST(MarkedLines, MovesWithLinesAboveAndStaysOnEditedLines)
{
    TTestModel t;
    t.SetText("a\r\nbb\r\ncc\r\ndd\r\n");
    TMarkedLines& marks = t.Model.Marks();
    marks.SetLines(kBook, {2, 0, 2, -1, 99});
    marks.SetLines(kError, {3});
    EXPECT_EQ(BookLines(t), (std::vector<int> {0, 2}));
    // Typing inside a marked line keeps its mark; Enter in the middle leaves it on the head.
    t.Model.SetRowCol(2, 1);
    t.Model.TypeKeys("x");
    t.Model.Enter();
    EXPECT_EQ(t.Text(), "a\r\nbb\r\ncx\r\nc\r\ndd\r\n");
    EXPECT_EQ(BookLines(t), (std::vector<int> {0, 2}));
    EXPECT_EQ(marks.Lines(kError), (std::vector<int> {4}));
    // Enter at the start of a marked line puts a line above it: the mark moves down.
    t.Model.SetRowCol(0, 0);
    t.Model.Enter();
    EXPECT_EQ(BookLines(t), (std::vector<int> {1, 3}));
    // Enter at its end puts a line below: the mark stays.
    t.Model.SetRowCol(1, 1);
    t.Model.Enter();
    EXPECT_EQ(t.Text(), "\r\na\r\n\r\nbb\r\ncx\r\nc\r\ndd\r\n");
    EXPECT_EQ(BookLines(t), (std::vector<int> {1, 4}));
    EXPECT_EQ(marks.Lines(kError), (std::vector<int> {6}));
    EXPECT_EQ(marks.KindsAt(6), 1u << unsigned(kError));
    EXPECT_EQ(marks.KindsAt(4), 1u << unsigned(kBook));
}

TEST(MarkedLines, TakenOutLinesTakeTheirMarksAndUndoDoesNotBringThem)
{
    TTestModel t;
    t.SetText("l0\r\nl1\r\nl2\r\nl3\r\nl4\r\n");
    t.Model.Marks().SetLines(kBook, {1, 2, 4});
    // Backspace at the start of line 2 joins it to line 1: line 2 is gone, line 1 edited.
    t.Model.SetRowCol(2, 0);
    t.Model.Backspace();
    EXPECT_EQ(t.Text(), "l0\r\nl1l2\r\nl3\r\nl4\r\n");
    EXPECT_EQ(BookLines(t), (std::vector<int> {1, 3}));
    // A selection of two whole lines, breaks included, deleted.
    t.Select({0, 0}, {2, 0});
    t.Model.DeleteSelection();
    EXPECT_EQ(t.Text(), "l3\r\nl4\r\n");
    EXPECT_EQ(BookLines(t), (std::vector<int> {1}));
    // Undo puts the lines back below and above the mark's line; the mark follows, and the
    // deleted line's mark stays gone.
    t.Model.Undo();
    EXPECT_EQ(t.Text(), "l0\r\nl1l2\r\nl3\r\nl4\r\n");
    EXPECT_EQ(BookLines(t), (std::vector<int> {3}));
    t.Model.Redo();
    EXPECT_EQ(BookLines(t), (std::vector<int> {1}));
    // A new text drops every mark.
    t.SetText("x\r\ny\r\n");
    EXPECT_TRUE(t.Model.Marks().Empty());
}

TEST(MarkedLines, WrappedLinesAreOneLineAndNextPreviousGoRound)
{
    TTestModel t;
    t.WrapAt(10);
    t.SetText("0123456789abcdefghij0123\r\nshort\r\n0123456789abc\r\nend");
    TMarkedLines& marks = t.Model.Marks();
    marks.SetLines(kBook, {1, 3});
    // Typing on the second row of the wrapped line 0 changes no line count.
    t.Model.SetRowCol(1, 3);
    t.Model.TypeKeys("zz");
    EXPECT_EQ(BookLines(t), (std::vector<int> {1, 3}));
    // A break typed inside line 0 makes a line above both marks.
    t.Model.SetRowCol(1, 0);
    t.Model.Enter();
    EXPECT_EQ(BookLines(t), (std::vector<int> {2, 4}));
    EXPECT_EQ(marks.Next(kBook, 0), 2);
    EXPECT_EQ(marks.Next(kBook, 2), 4);
    EXPECT_EQ(marks.Next(kBook, 4), 2);
    EXPECT_EQ(marks.Previous(kBook, 2), 4);
    EXPECT_EQ(marks.Previous(kBook, 3), 2);
    EXPECT_EQ(marks.Next(kError, 0), std::nullopt);
    EXPECT_TRUE(marks.Toggle(kBook, 0));
    EXPECT_FALSE(marks.Toggle(kBook, 2));
    EXPECT_EQ(BookLines(t), (std::vector<int> {0, 4}));
    // A model that shares the rows shares the marks, and hears the same edits.
    TTestModel other;
    other.Model.ShareRows(t.Model);
    EXPECT_EQ(&other.Model.Marks(), &marks);
    other.Model.SetRowCol(0, 0);
    other.Model.Enter();
    EXPECT_EQ(BookLines(t), (std::vector<int> {1, 5}));
}

// Lines named "L<n>" get edits that keep names apart: whole named lines put in or taken out,
// letters typed after a name, Enter at a line's end followed by a fresh name, undo and redo.
// After each step the marked lines are exactly the marked names still present.
TEST(MarkedLines, SeededStormFollowsNamedLines)
{
    for (unsigned seed = 1; seed <= 20; ++seed) {
        std::mt19937 random(seed);
        TTestModel t;
        std::string text;
        for (int i = 0; i < 30; ++i)
            text += "L" + std::to_string(i) + "\r\n";
        t.SetText(text);
        std::set<std::string> marked;
        std::vector<int> lines;
        for (int i = 0; i < 30; i += 3) {
            lines.push_back(i);
            marked.insert("L" + std::to_string(i));
        }
        t.Model.Marks().SetLines(kBook, lines);
        int fresh = 1000;
        auto pick = [&](int n) { return int(random() % unsigned(std::max(n, 1))); };
        for (int step = 0; step < 200; ++step) {
            const int count = t.Model.Lines().GetCount();
            const int line = pick(count);
            const int row = t.Model.Lines().LineToRow(line);
            switch (pick(6)) {
            case 0: // a named line put in above line
                t.Model.SetRowCol(row, 0);
                t.Model.TypeText("L" + std::to_string(fresh++) + "\r\n");
                break;
            case 1: // a whole line taken out, its break with it
                if (line + 1 < count) {
                    t.Select({row, 0}, {row + 1, 0});
                    t.Model.DeleteSelection();
                }
                break;
            case 2: // letters typed after a name
                t.Model.SetRowCol(row, 0);
                t.Model.MoveToRowEnd();
                t.Model.TypeKeys("_x");
                break;
            case 3: // a new line below, named
                t.Model.SetRowCol(row, 0);
                t.Model.MoveToRowEnd();
                t.Model.Enter();
                t.Model.TypeText("L" + std::to_string(fresh++));
                break;
            case 4:
                t.Model.Undo();
                break;
            default:
                t.Model.Redo();
                break;
            }
            // Names present now; a marked name that left the text never comes back marked.
            std::set<std::string> present;
            for (int i = 0; i < t.Model.Lines().GetCount(); ++i) {
                std::string name = t.Model.Lines().Get(i);
                name = name.substr(0, name.find('_'));
                present.insert(name);
            }
            std::erase_if(marked, [&](const std::string& name) { return !present.contains(name); });
            std::set<std::string> shown;
            for (int markedLine : BookLines(t)) {
                std::string name = t.Model.Lines().Get(markedLine);
                shown.insert(name.substr(0, name.find('_')));
            }
            ASSERT_EQ(shown, marked) << "seed " << seed << " step " << step;
        }
    }
}

} // namespace
} // namespace brenvik
