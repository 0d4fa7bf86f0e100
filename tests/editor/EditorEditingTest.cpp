// The editor's own part of editing: its change notification, scrolling back after everything is
// deleted, and two editors sharing rows (the operations themselves: tests/model/ModelEditingTest.cpp).
#include "EditorTestSupport.h"

#include <functional>

namespace brenvik::test {
namespace {

TEST_F(EditorTest, DeletingEverythingLeavesAnEditorThatStillTypes)
{
    SetText("abc\r\n");
    editor.SelectAll();
    editor.DeleteSelection();
    EXPECT_EQ(editor.RowCount(), 0);
    EXPECT_EQ(Caret(), (TEditorPos {0, 0}));
    EXPECT_EQ(editor.TopRow(), 0);
    editor.TypeText("z");
    EXPECT_EQ(Text(), "z");
    Check();
}

TEST_F(EditorTest, EveryChangeSetsModifiedAndFiresOnChangeOnce)
{
    SetText("abc\r\ndef\r\n");
    editor.SetModified(false);
    int changes = 0;
    editor.OnChange = [&](TEditor* sender) {
        EXPECT_EQ(sender, &editor);
        ++changes;
    };
    editor.SetRowCol(0, 3);
    editor.TypeText("x");
    editor.Enter();
    editor.Backspace();
    editor.Undo();
    EXPECT_EQ(changes, 4);
    EXPECT_TRUE(editor.Modified());
    editor.SetRowCol(1, 1);
    EXPECT_EQ(changes, 4) << "caret moves are not changes";
}

TEST_F(EditorTest, TwoEditorsShareRowsAndUndoHistory)
{
    TEditor other;
    other.ShareLines(editor);
    SetText("shared\r\n");
    EXPECT_EQ(other.RowText(0), "shared");
    other.SetRowCol(0, 6);
    other.TypeText("!");
    EXPECT_EQ(Text(), "shared!\r\n");
    EXPECT_TRUE(editor.CanUndo());
    editor.Undo();
    EXPECT_EQ(other.RowText(0), "shared");
}

} // namespace
} // namespace brenvik::test
