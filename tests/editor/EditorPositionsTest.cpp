// The editor's position model: columns, caret validation, selections and byte offsets.
#include "EditorTestSupport.h"

#include "editor/EditorMessages.h"

namespace brenvik::test {
namespace {

TEST_F(EditorTest, TabAndDoubleByteColumnsHoldTheCaretOnCharacterBoundaries)
{
    SetText("a\tb\r\n" + kA + "b\r\n");
    EXPECT_EQ(editor.ColumnAttributes(0), "12331");
    EXPECT_EQ(editor.ColumnAttributes(1), "451");
    editor.SetRowCol(0, 1);
    editor.SetCol(2); // moving right into the tab's space
    EXPECT_EQ(editor.Col(), 4);
    editor.SetCol(3); // moving left into it
    EXPECT_EQ(editor.Col(), 1);
    editor.SetCol(9);
    EXPECT_EQ(editor.Col(), 5) << "FreeCaret off keeps the caret inside the row";
    editor.SetRowCol(1, 0);
    editor.SetCol(1);
    EXPECT_EQ(editor.Col(), 2) << "right onto a trail byte goes past the character";
    editor.SetCol(1);
    EXPECT_EQ(editor.Col(), 0) << "left onto a trail byte goes to its lead";
    Check();
}

TEST_F(EditorTest, ColumnConversionsCountTabFillAndDoubleBytes)
{
    SetText("a\t" + kHyo + "z");
    const std::string attributes = editor.ColumnAttributes(0);
    ASSERT_EQ(attributes, "1233451");
    EXPECT_EQ(editor.CharIndexAt(0, 2), 1) << "tab fill belongs to the tab";
    EXPECT_EQ(editor.CharIndexAt(0, 4), 2);
    EXPECT_EQ(editor.CharIndexAt(0, 40), 5) << "clamped to the row";
    EXPECT_EQ(editor.TextWidth("a\t" + kA), 6);
    EXPECT_EQ(editor.IndentWidth(" \t" + kWideSpace + "x"), 6);
    EXPECT_EQ(editor.IndentWidth(""), -1);
}

TEST_F(EditorTest, ALoneLeadByteAtTheRowEndIsOneColumnToTheCaretAndOffsets)
{
    SetText("ab\x82\r\nxyz");
    EXPECT_EQ(editor.RowWidth(0), 3);
    editor.SetRowCol(0, 10);
    EXPECT_EQ(editor.Col(), 3) << "the row end is after the lone byte";
    editor.PlaceCaretAfter(0, 3);
    EXPECT_EQ(Caret(), (TEditorPos {0, 3})) << "placing by bytes lands on the same column";
    EXPECT_EQ(editor.SelStart(), 3);
    editor.SetRowCol(0, 2);
    editor.DeleteChar();
    EXPECT_EQ(Row(0), "ab") << "the lone byte deletes as one byte";
    EXPECT_EQ(editor.CheckInvariant(), "");
}

TEST_F(EditorTest, KeepCaretReturnsToTheRememberedColumnOnLongerRows)
{
    SetText(std::string(30, 'a') + "\r\nabcde\r\n" + std::string(30, 'b') + "\r\n");
    editor.SetRowCol(0, 20);
    editor.SetRow(1);
    EXPECT_EQ(Caret(), (TEditorPos {1, 5}));
    editor.SetRow(2);
    EXPECT_EQ(Caret(), (TEditorPos {2, 20}));
    editor.SetCol(19); // a horizontal move forgets 20 and starts from 19
    editor.SetRow(1);
    editor.SetRow(0);
    EXPECT_EQ(Caret(), (TEditorPos {0, 19}));
}

TEST_F(EditorTest, WordWrapKeepsTheCaretOffTheEndOfAWrappedRow)
{
    WrapAt(20);
    SetText(std::string(30, 'a'));
    ASSERT_EQ(editor.RowCount(), 2);
    ASSERT_EQ(editor.RowAttribute(0), raWrapped);
    editor.SetRowCol(0, 20);
    EXPECT_EQ(Caret(), (TEditorPos {0, 19}));
    editor.SetRowCol(1, 10);
    EXPECT_EQ(Caret(), (TEditorPos {1, 10}));
    EXPECT_EQ(editor.LineOfRow(1), 0);
    EXPECT_EQ(editor.LineCharIndex(1, 4), 24);
}

TEST_F(EditorTest, OffsetsCountCrLfAfterBreaksAndNothingBetweenWrappedRows)
{
    WrapAt(20);
    SetText(std::string(25, 'a') + "\r\nxyz");
    ASSERT_EQ(editor.RowCount(), 3);
    editor.SetRowCol(2, 1);
    EXPECT_EQ(editor.SelStart(), 28);
    EXPECT_EQ(editor.Perform(EM_LINEINDEX, 1), 20);
    EXPECT_EQ(editor.Perform(EM_LINEINDEX, 2), 27);
    EXPECT_EQ(editor.Perform(EM_LINEINDEX, 3), -1) << "the row count after a raEndOfText row";
    EXPECT_EQ(editor.Perform(EM_LINEFROMCHAR, 26), 1);
    EXPECT_EQ(editor.Perform(EM_LINEFROMCHAR, 1000), 2) << "the walk stops at the last row";
    quint32 start = 0, end = 0;
    editor.SetSelStart(3);
    editor.SetSelLength(25);
    editor.Perform(EM_GETSEL, reinterpret_cast<qintptr>(&start), reinterpret_cast<qintptr>(&end));
    EXPECT_EQ(start, 3u);
    EXPECT_EQ(end, 28u);
    EXPECT_EQ(editor.SelText(), std::string(22, 'a') + "\r\nx");
}

TEST_F(EditorTest, SelLengthLandsWherePlaceCaretAfterWould)
{
    WrapAt(20);
    SetText(std::string(20, 'a') + "bcd\r\nxy\r\n");
    // The end of a wrapped row is column 0 of the next row.
    editor.SetSelStart(0);
    editor.SetSelLength(20);
    EXPECT_EQ(Caret(), (TEditorPos {1, 0}));
    EXPECT_EQ(editor.SelText(), std::string(20, 'a'));
    // To the end of a text with a final break: the row count at column 0.
    editor.SetSelStart(25);
    editor.SetSelLength(4);
    EXPECT_EQ(Caret(), (TEditorPos {3, 0}));
    EXPECT_EQ(editor.SelText(), "xy\r\n");
    EXPECT_EQ(editor.SelLength(), 4);
}

TEST_F(EditorTest, SetSelWithEndMinusOneSelectsToTheEndOfTheText)
{
    SetText("abc\r\ndef");
    editor.Perform(EM_SETSEL, 2, -1);
    EXPECT_EQ(editor.SelText(), "c\r\ndef");
    editor.Perform(EM_SETSEL, 0, -1);
    EXPECT_EQ(editor.SelLength(), 8);
    editor.Perform(EM_SETSEL, -1, 0);
    EXPECT_FALSE(editor.HasSelection());
    editor.Perform(EM_SETSEL, 7, 5);
    EXPECT_EQ(editor.SelText(), "de");
}

TEST_F(EditorTest, BoxSelectionCountsOnlyTheBytesEachRowHasInsideTheBox)
{
    SetText("abcdef\r\nab\r\nabc" + kA + "d\r\n");
    editor.SetBoxSelection(true);
    editor.SetRowCol(0, 1);
    editor.StartSelection();
    editor.Caret()->SetFreeCaret(true);
    editor.SetRowCol(2, 5);
    editor.ExtendSelection();
    EXPECT_EQ(editor.SelectionCols(), (TSelectionCols {0, 2, 1, 5}));
    // Columns 1..4 of each row: "bcde", "b", and "bc" with the double-byte character.
    EXPECT_EQ(editor.SelText(), "bcde\r\nb\r\nbc" + kA + "\r\n");
    EXPECT_EQ(editor.SelLength(), 4 + 1 + 4 + 3 * 2);
}

TEST_F(EditorTest, SelectionStatesMoveFromAnchoredToSelectedAndBack)
{
    SetText("hello world");
    int changes = 0;
    bool last = false;
    editor.OnSelectionChange = [&](TEditor*, bool selected) {
        ++changes;
        last = selected;
    };
    editor.SetRowCol(0, 2);
    editor.StartSelection();
    EXPECT_EQ(editor.SelectionState(), TSelectionState::Anchored);
    EXPECT_FALSE(editor.HasSelection());
    editor.SetCol(7);
    editor.ExtendSelection();
    EXPECT_TRUE(editor.HasSelection());
    EXPECT_EQ(editor.SelText(), "llo w");
    EXPECT_EQ(editor.SelStart(), 2);
    editor.SetCol(0);
    editor.ExtendSelection();
    EXPECT_EQ(editor.SelText(), "he") << "a caret left of the anchor selects backwards";
    editor.CancelSelection();
    EXPECT_EQ(editor.SelectionState(), TSelectionState::None);
    EXPECT_EQ(changes, 3);
    EXPECT_FALSE(last);
}

TEST_F(EditorTest, WordMoveStopsAtTokenStartsAndLineEnds)
{
    SetText("foo  bar(1)\r\nnext");
    editor.WordMove(0, 0, 1);
    EXPECT_EQ(Caret(), (TEditorPos {0, 5}));
    editor.WordMove(0, 5, 1);
    EXPECT_EQ(Caret(), (TEditorPos {0, 8}));
    editor.WordMove(0, 10, 1);
    EXPECT_EQ(Caret(), (TEditorPos {0, 11})) << "no token after: the end of the row";
    editor.WordMove(0, 11, 1);
    EXPECT_EQ(Caret(), (TEditorPos {1, 0}));
    editor.WordMove(1, 0, -1);
    EXPECT_EQ(Caret(), (TEditorPos {0, 11})) << "backward over a break stops at the row end";
    editor.WordMove(0, 11, -1);
    EXPECT_EQ(Caret(), (TEditorPos {0, 10}));
    editor.WordMove(0, 5, -1);
    EXPECT_EQ(Caret(), (TEditorPos {0, 0}));
}

TEST_F(EditorTest, ScrollCaretAndTheViewFollowingTheCaret)
{
    std::string text;
    for (int i = 0; i < 200; ++i)
        text += "row\r\n";
    SetText(text);
    editor.SetRowCol(150, 0);
    editor.ScrollCaret();
    const int rows = editor.VisibleRows();
    EXPECT_EQ(editor.TopRow(), 150 - rows / 3);
    editor.SetTopRow(100000);
    EXPECT_EQ(editor.TopRow(), 200);
    editor.SetTopRow(-5);
    EXPECT_EQ(editor.TopRow(), 0);
    EXPECT_EQ(editor.Perform(EM_GETFIRSTVISIBLELINE), 0);
}

} // namespace
} // namespace brenvik::test

namespace brenvik::test {
namespace {

TEST_F(EditorTest, TheCaretReachesEveryByteOfA10000ByteRowAndTypesThere)
{
    const std::string line(10000, 'q');
    SetText(line + "\r\nshort\r\n");
    editor.SetCol(editor.RowWidth(0)); // End
    EXPECT_EQ(editor.Col(), 10000);
    for (const char* c : {"X", "Y", "Z"})
        editor.TypeText(c);
    EXPECT_EQ(Row(0), line + "XYZ") << "typed in order at the row's end";
    EXPECT_EQ(editor.Col(), 10003);
    EXPECT_EQ(editor.SelStart(), 10003) << "the insertion point is the caret's byte";
    editor.ScrollCaret();
    EXPECT_LE(editor.TopCol(), editor.Col());
    EXPECT_GT(editor.TopCol() + editor.VisibleCols(), editor.Col()) << "the view shows the caret";
    // Beyond the row's end the caret still clamps to the row (no free caret).
    editor.SetRowCol(1, 9000);
    EXPECT_EQ(editor.Col(), 5);
    Check();
}

} // namespace
} // namespace brenvik::test
