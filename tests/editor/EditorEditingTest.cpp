// The editor's editing operations: typing, deleting, Enter and Tab, selections replaced,
// box pastes, undo, and what they leave in the rows.
#include "EditorTestSupport.h"

#include <functional>

namespace brenvik::test {
namespace {

TEST_F(EditorTest, TypingBeyondTheRowEndPadsWithSpaces)
{
    editor.Caret()->SetFreeCaret(true);
    SetText("abc\r\n");
    editor.SetRowCol(0, 10);
    editor.TypeText("x");
    EXPECT_EQ(Text(), "abc       x\r\n");
    EXPECT_EQ(Caret(), (TEditorPos {0, 11}));
    Check();
}

TEST_F(EditorTest, TypingInsideTabFillInsertsBeforeTheTab)
{
    editor.Caret()->SetInTab(true);
    SetText("a\tb");
    editor.SetRowCol(0, 2);
    ASSERT_EQ(editor.Col(), 2);
    editor.TypeText("x");
    EXPECT_EQ(Text(), "ax\tb");
    EXPECT_EQ(Caret(), (TEditorPos {0, 2}));
}

TEST_F(EditorTest, OverwriteCoversColumnsAndSplitsNoDoubleByteCharacter)
{
    SetText(kA + kI + "z\r\n");
    editor.SetOverwrite(true);
    editor.SetRowCol(0, 0);
    editor.TypeText("x");
    EXPECT_EQ(Text(), "x " + kI + "z\r\n") << "the lead byte's character gives way to a space";
    editor.SetRowCol(0, 2);
    editor.TypeText("pq");
    EXPECT_EQ(Text(), "x pqz\r\n");
    Check();
}

TEST_F(EditorTest, EnterCarriesTheIndentationAsTabsOrSpaces)
{
    SetText("\t\tfoo(bar);\r\n");
    editor.SetRowCol(0, 11);
    editor.Enter();
    EXPECT_EQ(Text(), "\t\tfoo\r\n\t\t(bar);\r\n");
    EXPECT_EQ(Caret(), (TEditorPos {1, 8}));
    editor.Undo();
    editor.Caret()->SetTabIndent(false);
    editor.SetRowCol(0, 11);
    editor.Enter();
    EXPECT_EQ(Text(), "\t\tfoo\r\n        (bar);\r\n");
    editor.Undo();
    // Inside the indentation the new line is indented by the caret's column.
    SetText("        foo\r\n");
    editor.SetRowCol(0, 2);
    editor.Enter();
    EXPECT_EQ(Text(), "  \r\n        foo\r\n");
    EXPECT_EQ(Caret(), (TEditorPos {1, 2}));
    Check();
}

TEST_F(EditorTest, ShiftEnterOpensALineAboveAndEnterAtTheEndAppends)
{
    SetText("    x\r\n");
    editor.SetRowCol(0, 5);
    editor.Enter(true);
    EXPECT_EQ(Text(), "\t\r\n    x\r\n") << "TabIndent writes the indentation as a tab";
    EXPECT_EQ(Caret(), (TEditorPos {0, 4}));
    editor.SetRowCol(2, 0);
    editor.Enter();
    EXPECT_EQ(Text(), "\t\r\n    x\r\n\r\n");
    EXPECT_EQ(Caret(), (TEditorPos {3, 0}));
}

TEST_F(EditorTest, BackspaceUnindentsToTheNearestLessIndentedLine)
{
    SetText("a\r\n    b\r\n        c\r\n        \r\n");
    editor.SetRowCol(2, 8);
    editor.Backspace();
    EXPECT_EQ(Row(2), "    c");
    EXPECT_EQ(Caret(), (TEditorPos {2, 4}));
    // An empty row with the caret beyond its end (free caret) unindents too, it never joins.
    editor.Caret()->SetFreeCaret(true);
    SetText("\tx\r\n\r\n");
    editor.SetRowCol(1, 8);
    editor.Backspace();
    EXPECT_EQ(Text(), "\tx\r\n\r\n");
    EXPECT_EQ(Caret(), (TEditorPos {1, 4}));
    Check();
}

TEST_F(EditorTest, UnindentLooksOnlyAtRowsThatStartALine)
{
    WrapAt(20);
    // The first line wraps; its continuation row starts with no indentation.
    SetText("    " + std::string(30, 'w') + "\r\n        x\r\n");
    ASSERT_EQ(editor.RowAttribute(0), raWrapped);
    editor.SetRowCol(2, 8);
    editor.Backspace();
    EXPECT_EQ(Row(2), "    x");
}

TEST_F(EditorTest, BackspaceAtColumnZeroJoinsOrEatsIntoTheWrappedRowAbove)
{
    WrapAt(20);
    SetText(std::string(19, 'a') + kA + "tail\r\nnext\r\n");
    ASSERT_EQ(editor.RowAttribute(0), raWrapped);
    ASSERT_EQ(Row(1), kA + "tail");
    editor.SetRowCol(1, 0);
    editor.Backspace();
    EXPECT_EQ(Text(), std::string(18, 'a') + kA + "tail\r\nnext\r\n");
    const int line2 = editor.RowCount() - 1;
    editor.SetRowCol(line2, 0);
    editor.Backspace();
    EXPECT_EQ(Text(), std::string(18, 'a') + kA + "tailnext\r\n") << "the joined line keeps its break";
    Check();
}

TEST_F(EditorTest, BackspaceDeletesWholeCharactersAndTabs)
{
    SetText("a" + kHyo + "\tb\r\n");
    editor.SetRowCol(0, 4);
    editor.Backspace();
    EXPECT_EQ(Text(), "a" + kHyo + "b\r\n");
    editor.Backspace();
    EXPECT_EQ(Text(), "ab\r\n");
    EXPECT_EQ(Caret(), (TEditorPos {0, 1}));
    Check();
}

TEST_F(EditorTest, DeleteJoinsLinesKeepsBreaksAndStopsAtTheEndOfText)
{
    SetText("ab\r\ncd\r\nef");
    editor.SetRowCol(0, 2);
    editor.DeleteChar();
    EXPECT_EQ(Text(), "abcd\r\nef");
    editor.SetRowCol(1, 2);
    editor.DeleteChar();
    EXPECT_EQ(Text(), "abcd\r\nef") << "nothing after the last line of a text without final break";
    editor.SetRowCol(0, 1);
    SetText(kSo + "x");
    editor.SetRowCol(0, 0);
    editor.DeleteChar();
    EXPECT_EQ(Text(), "x");
    Check();
}

TEST_F(EditorTest, TypingOverASelectionThatEndsAfterTheLastRow)
{
    SetText("one\r\ntwo\r\n");
    editor.SetRowCol(1, 1);
    editor.StartSelection();
    editor.SetRowCol(2, 0);
    editor.ExtendSelection();
    editor.TypeText("X");
    EXPECT_EQ(Text(), "one\r\ntX");
    EXPECT_EQ(Caret(), (TEditorPos {1, 2}));
    Check();
}

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

TEST_F(EditorTest, SetSelTextPlacesTheCaretAfterTextWithAnyLineBreaks)
{
    SetText("[]\r\n");
    editor.SetRowCol(0, 1);
    editor.SetSelText("a\nb\rc\r\nd");
    EXPECT_EQ(Text(), "[a\r\nb\r\nc\r\nd]\r\n");
    EXPECT_EQ(Caret(), (TEditorPos {3, 1}));
}

TEST_F(EditorTest, BoxEditsCaretStartsAtTheLeftEdge)
{
    SetText("abcdef\r\nabcdef\r\n");
    editor.SetBoxSelection(true);
    editor.SetRowCol(1, 4);
    editor.StartSelection();
    editor.SetRowCol(0, 1);
    editor.ExtendSelection();
    editor.DeleteSelection();
    EXPECT_EQ(Text(), "aef\r\naef\r\n");
    EXPECT_EQ(Caret(), (TEditorPos {0, 1}));
}

TEST_F(EditorTest, BoxPasteInsertsAtOneColumnAddingRowsAndSpaces)
{
    SetText("abcdef\r\nab\r\n");
    editor.SetRowCol(0, 4);
    editor.PasteBox("X\r\nY\r\nZ\r\n");
    EXPECT_EQ(Text(), "abcdXef\r\nab  Y\r\n    Z\r\n") << "no blank row after the box";
    EXPECT_EQ(Caret(), (TEditorPos {2, 5}));
    Check();
}

TEST_F(EditorTest, BoxPasteOverASelectionOfSeveralRowsTakesEachRowOnce)
{
    SetText("0123\r\nabcd\r\nwxyz\r\nlast\r\n");
    editor.SetRowCol(0, 2);
    editor.StartSelection();
    editor.SetRowCol(1, 2);
    editor.ExtendSelection();
    editor.PasteBox("P\r\nQ");
    // The selection's rows become "01cd"; Q goes into the next row at column 3.
    EXPECT_EQ(Text(), "01Pcd\r\nwxQyz\r\nlast\r\n");
    Check();
}

TEST_F(EditorTest, UndoRestoresTextAndCaretAndRedoReplays)
{
    SetText("abc\r\n");
    editor.SetRowCol(0, 1);
    editor.TypeText("x");
    editor.SetRowCol(0, 3);
    editor.Undo();
    EXPECT_EQ(Text(), "abc\r\n");
    EXPECT_EQ(Caret(), (TEditorPos {0, 1}));
    editor.Redo();
    EXPECT_EQ(Text(), "axbc\r\n");
    editor.Undo();
    editor.TypeText("y");
    EXPECT_FALSE(editor.CanRedo());
    editor.SetUndoListMax(10);
    EXPECT_EQ(editor.UndoListMax(), 64);
    editor.SetUndoListMax(200);
    EXPECT_EQ(editor.UndoListMax(), 200);
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

TEST_F(EditorTest, ReadOnlyEditorChangesNothing)
{
    SetText("abc\r\ndef\r\n");
    editor.SetReadOnly(true);
    editor.SetRowCol(0, 1);
    editor.TypeText("x");
    editor.SetRowCol(0, 2);
    editor.Backspace();
    editor.DeleteChar();
    editor.Enter();
    editor.Tab();
    editor.SetSelText("q");
    editor.PasteBox("q");
    editor.SelectAll();
    editor.DeleteSelection();
    EXPECT_EQ(Text(), "abc\r\ndef\r\n");
    EXPECT_FALSE(editor.CanUndo());
}

TEST_F(EditorTest, TabTypesATabOrSpacesUpToTheNextStop)
{
    SetText("ab\r\n");
    editor.SetRowCol(0, 2);
    editor.Tab();
    EXPECT_EQ(Text(), "ab\t\r\n");
    EXPECT_EQ(editor.Col(), 4);
    editor.Caret()->SetSoftTab(true);
    editor.Tab();
    EXPECT_EQ(Text(), "ab\t    \r\n");
    editor.SetOverwrite(true);
    editor.SetRowCol(0, 0);
    editor.Tab();
    EXPECT_EQ(Text(), "ab\t    \r\n");
    EXPECT_EQ(editor.Col(), 4);
}

TEST_F(EditorTest, EveryOperationOnAnEmptyTextAndAfterTheLastRowIsSafe)
{
    const std::function<void()> operations[] = {[&] { editor.Backspace(); }, [&] { editor.DeleteChar(); },
        [&] { editor.Tab(); }, [&] { editor.DeleteSelection(); }, [&] { editor.SelectAll(); },
        [&] { editor.PasteBox("p\r\nq"); }, [&] { editor.SetSelText(""); },
        [&] { editor.WordMove(editor.Row(), editor.Col(), 1); },
        [&] { editor.WordMove(editor.Row(), editor.Col(), -1); }, [&] { editor.Undo(); },
        [&] { editor.Redo(); }, [&] { editor.SetSelText(kA); }, [&] { editor.Enter(); },
        [&] { editor.Enter(true); }};
    for (const std::string& text : {std::string(), std::string("ab\r\n"), std::string("\t" + kA + "\r\n")})
        for (const auto& operation : operations) {
            SetText(text);
            editor.SetRowCol(editor.RowCount(), 0);
            operation();
            Check();
            editor.SetReadOnly(true);
            const std::string before = Text();
            operation();
            EXPECT_EQ(Text(), before);
            editor.SetReadOnly(false);
        }
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
