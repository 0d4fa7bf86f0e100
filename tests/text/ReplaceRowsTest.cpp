// The editing primitive: what ReplaceRows does to rows, undo records and pending changes.
#include "FakeEditor.h"
#include "RowsHelpers.h"

#include <gtest/gtest.h>

namespace brenvik::test {
namespace {

using Rows = std::vector<RowShape>;

class ReplaceRowsTest : public ::testing::Test {
protected:
    FakeEditor Editor;
    TEditorScreenStrings& Store = *Editor.Rows;

    // The setup's own change is not one the tests look at.
    void Set(const Rows& rows)
    {
        SetRowsTo(Store, rows);
        Editor.ChangeCalls = 0;
        Editor.Changes.clear();
    }
    void ExpectRows(const Rows& rows)
    {
        EXPECT_EQ(RowsOf(Store), rows);
        EXPECT_EQ(Store.CheckRows(), "");
    }
};

TEST_F(ReplaceRowsTest, RefusesOutOfRangeAndEmptyRequestsWithoutRecordOrNotification)
{
    Set({{"a", raBreak}, {"b", raEndOfText}});
    Store.ReplaceRows(-1, 1, "x");
    Store.ReplaceRows(1, 2, "x");
    Store.ReplaceRows(0, 0, "");
    Store.ReplaceRows(3, 0, "x");
    ExpectRows({{"a", raBreak}, {"b", raEndOfText}});
    EXPECT_FALSE(Store.UndoObj().CanUndo());
    EXPECT_EQ(Editor.ChangeCalls, 0);
}

// Regression: inserting after a last row without a line break left that row inside the text.
TEST_F(ReplaceRowsTest, NothingGoesAfterAnEndOfTextRow)
{
    Set({{"a", raBreak}, {"b", raEndOfText}});
    Store.ReplaceRows(2, 0, "x\r\n");
    ExpectRows({{"a", raBreak}, {"b", raEndOfText}});
    EXPECT_FALSE(Store.UndoObj().CanUndo());
}

// Regression: the first keystroke in an empty text asked for the attribute of row -1.
TEST_F(ReplaceRowsTest, FirstKeystrokeInAnEmptyText)
{
    Store.ReplaceRows(0, 0, "a");
    ExpectRows({{"a", raEndOfText}});
    Store.Undo();
    ExpectRows({});
    Store.ReplaceRows(0, 0, "a\r\n");
    ExpectRows({{"a", raBreak}});
}

TEST_F(ReplaceRowsTest, AppendingAfterAFinalLineBreak)
{
    Set({{"a", raBreak}});
    Store.ReplaceRows(1, 0, "b");
    ExpectRows({{"a", raBreak}, {"b", raEndOfText}});
    EXPECT_EQ(Store.Text(), "a\r\nb");
}

TEST_F(ReplaceRowsTest, TextWithoutBreakAtALineEndJoinsTheNextLine)
{
    Set({{"a", raBreak}, {"b", raBreak}, {"c", raEndOfText}});
    Store.ReplaceRows(0, 1, "x");
    ExpectRows({{"xb", raBreak}, {"c", raEndOfText}});
    EXPECT_EQ(Store.PendingChange(), TPendingChange {}) << "cleared when the batch ended";
    ASSERT_EQ(Editor.Changes.size(), 1u);
    EXPECT_EQ(Editor.Changes[0], (TPendingChange {0, 2, 1, 0, true}));
}

TEST_F(ReplaceRowsTest, InsertingBeforeALineRejoinsIt)
{
    Set({{"a", raBreak}, {"b", raEndOfText}});
    Store.ReplaceRows(1, 0, "x\r\ny");
    ExpectRows({{"a", raBreak}, {"x", raBreak}, {"yb", raEndOfText}});
    EXPECT_EQ(Store.Text(), "a\r\nx\r\nyb");
}

// Regression: a span whose new text ended with a line break could keep raEndOfText and drop it.
TEST_F(ReplaceRowsTest, NewTextEndingInALineBreakEndsWithABreakRow)
{
    Set({{"a", raEndOfText}});
    Store.ReplaceRows(0, 1, "a\r");
    ExpectRows({{"a", raBreak}});
    EXPECT_EQ(Store.Text(), "a\r\n");
    Store.ReplaceRows(0, 1, "b\n");
    ExpectRows({{"b", raBreak}});
}

TEST_F(ReplaceRowsTest, LoneCrAndLfInTheTextSplitRows)
{
    Set({{"", raEndOfText}});
    Store.ReplaceRows(0, 1, "a\rb\nc\r\nd");
    ExpectRows({{"a", raBreak}, {"b", raBreak}, {"c", raBreak}, {"d", raEndOfText}});
}

TEST_F(ReplaceRowsTest, DeletingWholeLinesTakesTheFastPathAndUndoOnlyReinserts)
{
    Set({{"a", raBreak}, {"b", raBreak}, {"c", raEndOfText}});
    Store.ReplaceRows(1, 1, "");
    ExpectRows({{"a", raBreak}, {"c", raEndOfText}});
    const TUndoData& record = Store.UndoObj().UndoList().back();
    EXPECT_EQ(record.Line, 1);
    EXPECT_EQ(record.LineCount, 0);
    EXPECT_EQ(record.Text, "b\r\n");
    EXPECT_EQ(record.Attribute, raBreak);
    Store.Undo();
    ExpectRows({{"a", raBreak}, {"b", raBreak}, {"c", raEndOfText}});
}

TEST_F(ReplaceRowsTest, DeletingTheLastRowLeavesAFinalBreak)
{
    Set({{"a", raBreak}, {"b", raEndOfText}});
    Store.ReplaceRows(1, 1, "");
    ExpectRows({{"a", raBreak}});
    Store.Undo();
    ExpectRows({{"a", raBreak}, {"b", raEndOfText}});
}

TEST_F(ReplaceRowsTest, JapaneseTextIsKeptByteForByte)
{
    // 日本語\r\nテスト (Shift_JIS)
    const std::string text = "\x93\xFA\x96\x7B\x8C\xEA\r\n\x83\x65\x83\x58\x83\x67";
    Store.ReplaceRows(0, 0, text);
    ExpectRows({{"\x93\xFA\x96\x7B\x8C\xEA", raBreak}, {"\x83\x65\x83\x58\x83\x67", raEndOfText}});
    EXPECT_EQ(Store.Text(), text);
}

TEST_F(ReplaceRowsTest, EditorsHearOnceWhenTheOutermostBatchEnds)
{
    Set({{"a", raEndOfText}});
    Store.BeginUpdate();
    Store.ReplaceRows(0, 1, "b");
    Store.ReplaceRows(0, 1, "c");
    EXPECT_EQ(Editor.ChangeCalls, 0);
    Store.EndUpdate();
    EXPECT_EQ(Editor.ChangeCalls, 1);
}

TEST_F(ReplaceRowsTest, CaretsBeyondTheTextAreClampedAfterAChange)
{
    Set({{"a", raBreak}, {"b", raBreak}, {"c", raEndOfText}});
    Editor.Caret[0] = 2;
    Editor.Top = 2;
    Store.ReplaceRows(1, 2, "");
    EXPECT_EQ(Editor.Caret[0], 1) << "the row count: the text ends with a break";
    Store.ReplaceRows(1, 0, "z");
    Editor.Caret[0] = 5;
    Store.ReplaceRows(0, 1, "y\r\n");
    EXPECT_EQ(Editor.Caret[0], 1) << "the last row: it ends the text";
}

TEST(RowList, LineStartEndAndRowsTextFollowWrappedRows)
{
    FakeEditor editor;
    TEditorScreenStrings& rows = *editor.Rows;
    SetRowsTo(rows, {{"ab", raWrapped}, {"cd", raWrapped}, {"e", raBreak}, {"f", raEndOfText}});
    EXPECT_EQ(rows.LineStartRow(2), 0);
    EXPECT_EQ(rows.LineStartRow(3), 3);
    EXPECT_EQ(rows.LineEndRow(1), 2);
    EXPECT_EQ(rows.LineEndRow(-1), -1);
    TRowsText line = rows.RowsText(1, -1);
    EXPECT_EQ(line.Text, "cde\r\n");
    EXPECT_EQ(line.Attribute, raBreak);
    EXPECT_EQ(line.Rows, 2);
    EXPECT_EQ(rows.RowsText(2, 9).Text, "e\r\nf");
    TRowsText outside = rows.RowsText(4, 1);
    EXPECT_EQ(outside.Attribute, raNone);
    EXPECT_EQ(outside.Rows, 0);
}

TEST(RowList, ClearEmptiesUndoNotifiesAndHomesTheCarets)
{
    FakeEditor editor;
    TEditorScreenStrings& rows = *editor.Rows;
    rows.ReplaceRows(0, 0, "a\r\nb");
    editor.Caret[0] = 1;
    editor.Caret[1] = 1;
    editor.Selected = true;
    editor.Changes.clear();
    rows.Clear();
    EXPECT_EQ(rows.Count(), 0);
    EXPECT_FALSE(rows.UndoObj().CanUndo());
    EXPECT_FALSE(editor.Selected);
    EXPECT_EQ(editor.Caret[0], 0);
    EXPECT_EQ(editor.Caret[1], 0);
    ASSERT_EQ(editor.Changes.size(), 1u);
    EXPECT_EQ(editor.Changes[0], (TPendingChange {0, 2, 0, 0, true}));
}

TEST(RowList, SharedByEditorsUntilTheLastLeaves)
{
    auto rows = std::make_shared<TEditorScreenStrings>();
    std::weak_ptr<TEditorScreenStrings> watch = rows;
    {
        auto first = std::make_unique<FakeEditor>(rows);
        auto second = std::make_unique<FakeEditor>(rows);
        rows.reset();
        second->Focused = true;
        EXPECT_EQ(first->Rows->OwnerEditor(), first.get());
        EXPECT_EQ(first->Rows->ActiveEditor(), second.get());
        first->Rows->ReplaceRows(0, 0, "x");
        EXPECT_EQ(first->ChangeCalls, 1);
        EXPECT_EQ(second->ChangeCalls, 1);
        first.reset();
        EXPECT_EQ(second->Rows->OwnerEditor(), second.get());
        EXPECT_FALSE(watch.expired());
    }
    EXPECT_TRUE(watch.expired());
}

} // namespace
} // namespace brenvik::test
