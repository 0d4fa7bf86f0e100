// Undo and redo through the row list: limits, redo clearing and caret restoration.
#include "FakeEditor.h"
#include "RowsHelpers.h"

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

} // namespace
} // namespace brenvik::test
