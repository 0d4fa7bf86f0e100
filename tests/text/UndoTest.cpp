// Undo and redo through the row list: limits, redo clearing and caret restoration.
#include "FakeEditor.h"
#include "RowsHelpers.h"
#include "text/EditorStrings.h"

#include <gtest/gtest.h>

namespace brenvik::test {
namespace {

TEST(Undo, HoldsTheLimitAndDropsTheOldestStep)
{
    FakeEditor editor;
    TEditorScreenStrings& rows = *editor.Rows;
    for (int i = 0; i < 65; ++i)
        rows.ReplaceRows(0, 0, "x");
    EXPECT_EQ(rows.UndoObj().UndoList().size(), 64u);
    int steps = 0;
    while (rows.UndoObj().CanUndo()) {
        rows.Undo();
        ++steps;
    }
    EXPECT_EQ(steps, 64);
    EXPECT_EQ(rows.Text(), "x") << "the first insertion can no longer be undone";
}

TEST(Undo, LimitNeverFallsBelow64)
{
    TEditorScreenStrings rows;
    rows.UndoObj().SetLimit(10);
    EXPECT_EQ(rows.UndoObj().Limit(), 64);
    rows.UndoObj().SetLimit(200);
    EXPECT_EQ(rows.UndoObj().Limit(), 200);
}

TEST(Undo, NewChangeClearsRedoAndRedoRestoresTextAndCaret)
{
    FakeEditor editor;
    TEditorScreenStrings& rows = *editor.Rows;
    rows.ReplaceRows(0, 0, "a");
    editor.Caret[1] = 1;
    rows.Undo();
    EXPECT_EQ(rows.Text(), "");
    EXPECT_EQ(editor.Caret[1], 0) << "back where the caret stood before typing";
    ASSERT_TRUE(rows.UndoObj().CanRedo());
    rows.ReplaceRows(0, 0, "b");
    EXPECT_FALSE(rows.UndoObj().CanRedo());

    editor.Caret[1] = 1;
    rows.Undo();
    editor.Caret[1] = 7; // moved elsewhere before redoing
    rows.Redo();
    EXPECT_EQ(rows.Text(), "b");
    EXPECT_EQ(editor.Caret[1], 1) << "where the caret stood when the undo was made";
    EXPECT_TRUE(rows.UndoObj().CanUndo());
    EXPECT_FALSE(rows.UndoObj().CanRedo());
}

TEST(Undo, RestoresAFinalRowWithoutLineBreak)
{
    FakeEditor editor;
    TEditorScreenStrings& rows = *editor.Rows;
    SetRowsTo(rows, {{"a", raBreak}, {"b", raEndOfText}});
    rows.ReplaceRows(1, 1, "bc\r\n");
    EXPECT_EQ(rows.Text(), "a\r\nbc\r\n");
    rows.Undo();
    EXPECT_EQ(RowsOf(rows), (std::vector<RowShape> {{"a", raBreak}, {"b", raEndOfText}}));
    rows.Redo();
    EXPECT_EQ(rows.Text(), "a\r\nbc\r\n");
}

TEST(Undo, EmptyListsDoNothing)
{
    FakeEditor editor;
    TEditorScreenStrings& rows = *editor.Rows;
    rows.Undo();
    rows.Redo();
    EXPECT_EQ(editor.ChangeCalls, 0);
    EXPECT_EQ(rows.Count(), 0);
}

TEST(Undo, ReplayReportsItsChangeToTheEditors)
{
    FakeEditor editor;
    TEditorScreenStrings& rows = *editor.Rows;
    SetRowsTo(rows, {{"a", raBreak}, {"b", raEndOfText}});
    rows.ReplaceRows(0, 2, "z");
    editor.Changes.clear();
    rows.Undo();
    ASSERT_EQ(editor.Changes.size(), 1u);
    EXPECT_EQ(editor.Changes[0], (TPendingChange {0, 1, 2, 0, true}));
}

// Wrapping at 20 without FollowRetMark, a line of 20 letters keeps an empty tail row. Taking
// the letters' row used to leave that row behind after the break, and undo then lost the break
// and put a raEndOfText row inside the text.
TEST(Undo, TakingAFullWrappedRowAndUndoingGivesTheExactRowsBack)
{
    FakeEditor editor;
    TEditorScreenStrings& rows = *editor.Rows;
    rows.WrapOption().SetWrapByte(20);
    rows.WrapOption().SetFollowRetMark(false);
    rows.SetWordWrap(true);
    const std::string letters(20, 'a');
    TEditorStrings(editor, editor.Rows).SetTextStr("x\r\n" + letters);
    const std::vector<RowShape> start {{"x", raBreak}, {letters, raWrapped}, {"", raEndOfText}};
    ASSERT_EQ(RowsOf(rows), start);

    rows.ReplaceRows(1, 1, "");
    EXPECT_EQ(RowsOf(rows), (std::vector<RowShape> {{"x", raBreak}})) << "no row after the last break";
    EXPECT_EQ(rows.CheckRows(), "");
    rows.ReplaceRows(0, 2, "y"); // past the rows now: refused
    EXPECT_EQ(rows.UndoObj().UndoList().size(), 1u);
    rows.Undo();
    EXPECT_EQ(RowsOf(rows), start);
    rows.Redo();
    EXPECT_EQ(RowsOf(rows), (std::vector<RowShape> {{"x", raBreak}}));
    rows.Undo();
    EXPECT_EQ(RowsOf(rows), start);
    EXPECT_EQ(rows.CheckRows(), "");
}

// The layout the fault reached, set up directly: an empty raEndOfText row after a break. Undo
// restores it as it was recorded, the break included.
TEST(Undo, AnEmptyLastRowAfterABreakComesBackExactly)
{
    FakeEditor editor;
    TEditorScreenStrings& rows = *editor.Rows;
    const std::vector<RowShape> start {{"x", raBreak}, {"", raEndOfText}};
    SetRowsTo(rows, start);
    rows.ReplaceRows(0, 2, "y");
    EXPECT_EQ(RowsOf(rows), (std::vector<RowShape> {{"y", raEndOfText}}));
    rows.Undo();
    EXPECT_EQ(RowsOf(rows), start);
    rows.Redo();
    EXPECT_EQ(RowsOf(rows), (std::vector<RowShape> {{"y", raEndOfText}}));
    rows.Undo();
    EXPECT_EQ(RowsOf(rows), start);
    EXPECT_EQ(rows.Text(), "x\r\n");
}

// Every public row move refuses a row or count outside the list, in release builds too.
TEST(Undo, RowMovesOutsideTheListDoNothing)
{
    FakeEditor editor;
    TEditorScreenStrings& rows = *editor.Rows;
    const std::vector<RowShape> start {{"a", raBreak}, {"b", raEndOfText}};
    SetRowsTo(rows, start);
    TEditorStringList extra = MakeRows({{"z", raBreak}});
    rows.InsertRows(3, extra);
    rows.InsertRows(-1, extra);
    rows.SetRows(1, 2, extra);
    rows.SetRows(3, 0, extra);
    rows.SetRows(0, -1, extra);
    rows.DeleteRows(2, 1);
    rows.ReplaceRows(1, 2, "q");
    rows.ReplaceRows(-1, 1, "q");
    EXPECT_EQ(RowsOf(rows), start);
    EXPECT_FALSE(rows.UndoObj().CanUndo());
    EXPECT_EQ(rows.RowsText(5, 1).Rows, 0);
    EXPECT_THROW(rows.Strings(2), std::out_of_range);
    EXPECT_THROW(rows.SetRowState(2, RowTokenState::FirstRow()), std::out_of_range);
}

} // namespace
} // namespace brenvik::test
