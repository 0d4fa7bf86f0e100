// The editor's input driven by real Qt events: keys, characters, the input method, mouse
// selection and dragging, scrolling and the context menu.
#include "EditorTestSupport.h"

#include "editor/EditorMargin.h"
#include "editor/EditorMessages.h"
#include "editor/EditorPopupMenu.h"

#include <QApplication>
#include <QClipboard>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QScrollBar>
#include <QTest>

namespace brenvik::test {
namespace {

class EditorInputTest : public EditorTest {
protected:
    EditorInputTest()
    {
        editor.show();
        editor.activateWindow();
        editor.setFocus();
        QApplication::processEvents();
    }

    void Key(int key, Qt::KeyboardModifiers modifiers = Qt::NoModifier, const QString& text = {},
        bool autoRepeat = false)
    {
        QKeyEvent press(QEvent::KeyPress, key, modifiers, text, autoRepeat);
        QApplication::sendEvent(&editor, &press);
        QKeyEvent release(QEvent::KeyRelease, key, modifiers, text, autoRepeat);
        QApplication::sendEvent(&editor, &release);
    }
    void Type(const QString& text) { Key(0, Qt::NoModifier, text); }

    // The viewport point in the middle of a cell's left half.
    QPoint Cell(int row, int col) const
    {
        return {editor.LeftOffset() + (col - editor.TopCol()) * editor.ColWidth() + editor.ColWidth() / 4,
            editor.TopOffset() + (row - editor.TopRow()) * editor.RowHeight() + editor.RowHeight() / 2};
    }
    void Mouse(QEvent::Type type, QPoint point, Qt::KeyboardModifiers modifiers = Qt::NoModifier)
    {
        const Qt::MouseButton button = type == QEvent::MouseMove ? Qt::NoButton : Qt::LeftButton;
        const Qt::MouseButtons buttons = type == QEvent::MouseButtonRelease ? Qt::NoButton : Qt::LeftButton;
        QMouseEvent event(
            type, QPointF(point), editor.viewport()->mapToGlobal(QPointF(point)), button, buttons, modifiers);
        QApplication::sendEvent(editor.viewport(), &event);
    }
    void Drag(QPoint from, QPoint to, Qt::KeyboardModifiers modifiers = Qt::NoModifier)
    {
        Mouse(QEvent::MouseButtonPress, from, modifiers);
        // A selection drag starts on the first move and follows the mouse from the next.
        Mouse(QEvent::MouseMove, to, modifiers);
        Mouse(QEvent::MouseMove, to, modifiers);
        Mouse(QEvent::MouseButtonRelease, to, modifiers);
    }
    void Select(TEditorPos from, TEditorPos to)
    {
        editor.SetRowCol(from.Row, from.Col);
        editor.StartSelection();
        editor.SetRowCol(to.Row, to.Col);
        editor.ExtendSelection();
    }
};

TEST_F(EditorInputTest, ShiftArrowsSelectAndPlainArrowsCancel)
{
    ASSERT_TRUE(editor.hasFocus());
    SetText("ab" + kA + "\r\ncd\r\n");
    Key(Qt::Key_Right, Qt::ShiftModifier);
    EXPECT_EQ(editor.SelText(), "a");
    Key(Qt::Key_End, Qt::ShiftModifier);
    EXPECT_EQ(editor.SelText(), "ab" + kA);
    Key(Qt::Key_Right);
    EXPECT_FALSE(editor.HasSelection());
    EXPECT_EQ(Caret(), (TEditorPos {1, 0})) << "at the row end Right goes on to the next row";
    Key(Qt::Key_Left);
    EXPECT_EQ(Caret(), (TEditorPos {0, 4}));
    Key(Qt::Key_Home, Qt::ControlModifier);
    Key(Qt::Key_End, Qt::ControlModifier);
    EXPECT_EQ(Caret(), (TEditorPos {2, 0}));
    editor.Caret()->SetNextLine(false);
    Key(Qt::Key_Left);
    EXPECT_EQ(Caret(), (TEditorPos {2, 0})) << "NextLine off keeps Left on the row";
}

TEST_F(EditorInputTest, HeldArrowsStepTwoRowsAtTheWindowsEdge)
{
    std::string text;
    for (int i = 0; i < 300; ++i)
        text += "line\r\n";
    SetText(text);
    const int rows = editor.VisibleRows();
    editor.SetRowCol(rows - 1, 0);
    Key(Qt::Key_Down);
    EXPECT_EQ(editor.Row(), rows) << "a single press moves one row";
    EXPECT_EQ(editor.TopRow(), 1);
    Key(Qt::Key_Down, Qt::NoModifier, {}, true);
    EXPECT_EQ(editor.Row(), rows + 2);
    EXPECT_EQ(editor.TopRow(), 3);
    editor.SetRowCol(3, 0);
    Key(Qt::Key_Up, Qt::NoModifier, {}, true);
    EXPECT_EQ(editor.Row(), 1);
    Key(Qt::Key_Down, Qt::ControlModifier);
    EXPECT_EQ(editor.TopRow(), 2);
    EXPECT_EQ(editor.Row(), 2) << "the caret stays in the window when Ctrl+Down scrolls";
}

TEST_F(EditorInputTest, PageKeysMoveViewAndCaretTogetherAndStopAtTheEnd)
{
    std::string text;
    for (int i = 0; i < 100; ++i)
        text += "line\r\n";
    SetText(text + "last");
    const int rows = editor.VisibleRows();
    editor.SetRowCol(2, 0);
    Key(Qt::Key_PageDown);
    EXPECT_EQ(editor.TopRow(), rows - 1);
    EXPECT_EQ(editor.Row(), 2 + rows - 1);
    for (int i = 0; i < 20; ++i)
        Key(Qt::Key_PageDown);
    EXPECT_EQ(editor.TopRow(), 100) << "the top stops at the raEndOfText last row";
    EXPECT_EQ(editor.Row(), 100);
    Key(Qt::Key_PageUp);
    EXPECT_EQ(editor.TopRow(), 100 - (rows - 1));
    editor.SetTopRow(0);
    editor.SetRowCol(5, 0);
    Key(Qt::Key_PageUp);
    EXPECT_EQ(editor.Row(), 0);
}

TEST_F(EditorInputTest, CharactersAndInputMethodResultsAreTypedOnce)
{
    SetText("");
    Type("a");
    Type(QString::fromUtf8("表"));
    Key(Qt::Key_Tab);
    Key(Qt::Key_Return);
    Type(QString::fromUtf8("€")); // no Shift_JIS form: refused
    QInputMethodEvent commit;
    commit.setCommitString(QString::fromUtf8("日本語"));
    QApplication::sendEvent(&editor, &commit);
    Type("x"); // nothing after a commit is swallowed
    EXPECT_EQ(Text(), "a" + kHyo + "\t\r\n\x93\xfa\x96\x7b\x8c\xea" + "x");
    Key(Qt::Key_Backspace);
    EXPECT_EQ(Row(1), "\x93\xfa\x96\x7b\x8c\xea");
    const QRect caret = static_cast<QWidget&>(editor).inputMethodQuery(Qt::ImCursorRectangle).toRect();
    EXPECT_EQ(caret, editor.CaretRect().translated(editor.viewport()->pos()));
    editor.SetReadOnly(true);
    Type("q");
    EXPECT_EQ(Row(1), "\x93\xfa\x96\x7b\x8c\xea");
}

// Chords with Alt or Meta that reach the editor insert nothing, over a selection neither; AltGr
// (a group switch) still types.
TEST_F(EditorInputTest, AltAndMetaChordsNeverType)
{
    SetText("abc");
    editor.SetRowCol(0, 3);
    for (Qt::KeyboardModifiers modifiers : {Qt::KeyboardModifiers(Qt::AltModifier), Qt::KeyboardModifiers(Qt::MetaModifier),
             Qt::AltModifier | Qt::ShiftModifier}) {
        QTest::keyClick(&editor, Qt::Key_Q, modifiers);
        QTest::keyClick(&editor, Qt::Key_K, modifiers);
    }
    Select({0, 0}, {0, 2});
    QTest::keyClick(&editor, Qt::Key_X, Qt::AltModifier);
    EXPECT_EQ(Text(), "abc");
    EXPECT_EQ(editor.SelText(), "ab");
    Key(Qt::Key_At, Qt::GroupSwitchModifier, QStringLiteral("@"));
    EXPECT_EQ(Text(), "@c");
}

// A double click takes the run of one character class under the pointer, a Perl sigil with an
// ASCII word; a third click soon after takes the whole logical line, its break included.
TEST_F(EditorInputTest, DoubleClickSelectsAWordAndTripleClickTheLine)
{
    // print $name漢字かなカナＡＢ; (UTF-8 in the comment)
    const std::string kanji = "\x8a\xbf\x8e\x9a", hira = "\x82\xa9\x82\xc8", kata = "\x83\x4a\x83\x69",
                      wide = "\x82\x60\x82\x61";
    SetText("print $name" + kanji + hira + kata + wide + ";\r\nnext\r\n");
    const auto doubleClick = [this](int col, int row = 0) {
        Mouse(QEvent::MouseButtonPress, Cell(row, col));
        Mouse(QEvent::MouseButtonRelease, Cell(row, col));
        QMouseEvent event(QEvent::MouseButtonDblClick, QPointF(Cell(row, col)),
            editor.viewport()->mapToGlobal(QPointF(Cell(row, col))), Qt::LeftButton, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(editor.viewport(), &event);
        Mouse(QEvent::MouseButtonRelease, Cell(row, col));
    };
    const std::pair<int, std::string> cases[] = {{1, "print"}, {8, "$name"}, {6, "$name"}, {12, kanji},
        {15, hira}, {19, kata}, {23, wide}, {27, ";"}, {5, " "}};
    for (const auto& [col, word] : cases) {
        doubleClick(col);
        EXPECT_EQ(editor.SelText(), word) << "column " << col;
    }
    const std::string line = "print $name" + kanji + hira + kata + wide + ";\r\n";
    doubleClick(2);
    Mouse(QEvent::MouseButtonPress, Cell(0, 2));
    Mouse(QEvent::MouseButtonRelease, Cell(0, 2));
    EXPECT_EQ(editor.SelText(), line);
    // A wrapped line is taken whole from any of its rows; a double click inside the selection
    // still takes a word.
    WrapAt(20);
    ASSERT_EQ(Row(1), kata + wide + ";");
    doubleClick(2, 1);
    EXPECT_EQ(editor.SelText(), kata);
    Mouse(QEvent::MouseButtonPress, Cell(1, 2));
    Mouse(QEvent::MouseButtonRelease, Cell(1, 2));
    EXPECT_EQ(editor.SelText(), line);
    doubleClick(1, 1);
    EXPECT_EQ(editor.SelText(), kata);
    Check();
}

// End on a wrapped row stands after its last character, where typing goes; pressed again it
// goes to the end of the logical line.
TEST_F(EditorInputTest, EndOnAWrappedRowStandsAfterItsLastCharacter)
{
    SetText("abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNO\r\nz");
    WrapAt(20);
    ASSERT_EQ(Row(0), "abcdefghijklmnopqrst");
    Key(Qt::Key_End);
    EXPECT_EQ(Caret(), (TEditorPos {0, 20}));
    Type("X");
    EXPECT_EQ(Text(), "abcdefghijklmnopqrstXuvwxyzABCDEFGHIJKLMNO\r\nz");
    editor.SetRowCol(0, 3);
    Key(Qt::Key_End);
    Key(Qt::Key_End);
    Type("Y");
    EXPECT_EQ(Text(), "abcdefghijklmnopqrstXuvwxyzABCDEFGHIJKLMNOY\r\nz");
    // Shift+End selects to the row's end; End on an unwrapped row is its end as before.
    editor.SetRowCol(0, 2);
    Key(Qt::Key_End, Qt::ShiftModifier);
    EXPECT_EQ(editor.SelText(), "cdefghijklmnopqrst");
    editor.SetRowCol(3, 0);
    Key(Qt::Key_End);
    EXPECT_EQ(Caret(), (TEditorPos {3, 1}));
    Check();
}

// Shift+Alt+arrows and Alt+drag select a box; over a short row the keyboard's box keeps its
// column. The box mode they switch on ends with the selection; one chosen from the menu stays.
TEST_F(EditorInputTest, AltGesturesSelectABoxThatKeepsItsColumn)
{
    SetText("abcdef\r\nab\r\nabcdef\r\n");
    editor.SetRowCol(0, 1);
    for (int i = 0; i < 3; ++i)
        Key(Qt::Key_Right, Qt::ShiftModifier | Qt::AltModifier);
    Key(Qt::Key_Down, Qt::ShiftModifier | Qt::AltModifier);
    EXPECT_EQ(editor.SelectionCols().EndCol, 4) << "the short row did not narrow the box";
    EXPECT_EQ(editor.SelText(), "bcd\r\nb\r\n");
    Key(Qt::Key_Down, Qt::ShiftModifier | Qt::AltModifier);
    EXPECT_TRUE(editor.BoxSelection());
    EXPECT_EQ(editor.SelText(), "bcd\r\nb\r\nbcd\r\n");
    Key(Qt::Key_Down);
    EXPECT_FALSE(editor.HasSelection());
    EXPECT_FALSE(editor.BoxSelection());

    Drag(Cell(0, 2), Cell(2, 4), Qt::AltModifier);
    EXPECT_TRUE(editor.BoxSelection());
    EXPECT_EQ(editor.SelText(), "cd\r\n\r\ncd\r\n");
    Mouse(QEvent::MouseButtonPress, Cell(1, 0));
    Mouse(QEvent::MouseButtonRelease, Cell(1, 0));
    EXPECT_FALSE(editor.BoxSelection());

    editor.SetBoxSelection(true);
    Select({0, 0}, {1, 1});
    Key(Qt::Key_Down);
    EXPECT_TRUE(editor.BoxSelection()) << "chosen, not started by Alt";
    Check();
}

// Typed keys undo one word at a time: a word with the blanks after it, a step also ended by a
// caret moved elsewhere or a pause; edits other than typing stay steps of their own.
TEST_F(EditorInputTest, TypingUndoesAWordAtATime)
{
    SetText("");
    for (const QChar c : QStringLiteral("foo bar  baz"))
        Type(QString(c));
    editor.Undo();
    EXPECT_EQ(Text(), "foo bar  ");
    editor.Undo();
    EXPECT_EQ(Text(), "foo ");
    editor.Redo();
    EXPECT_EQ(Text(), "foo bar  ");
    Type("x");
    Key(Qt::Key_Home);
    Type("y");
    Type("z");
    editor.Undo();
    EXPECT_EQ(Text(), "foo bar  x");
    Key(Qt::Key_End);
    Key(Qt::Key_Backspace);
    Type("q");
    editor.Undo();
    EXPECT_EQ(Text(), "foo bar  ");
    editor.Undo();
    EXPECT_EQ(Text(), "foo bar  x") << "the backspace was a step of its own";
    Key(Qt::Key_End);
    Type("1");
    QTest::qWait(TEditorModel::TypingPauseMs + 100);
    Type("2");
    editor.Undo();
    EXPECT_EQ(Text(), "foo bar  x1") << "after a pause a new step";
    Check();
}

TEST_F(EditorInputTest, ClicksRoundToTheNearestBoundaryAndDragsSelect)
{
    SetText("abcdef\r\nghijkl\r\n");
    QPoint right = Cell(0, 2);
    right.rx() += editor.ColWidth() / 2; // the right half of column 2
    Mouse(QEvent::MouseButtonPress, right);
    Mouse(QEvent::MouseButtonRelease, right);
    EXPECT_EQ(Caret(), (TEditorPos {0, 3}));
    Drag(Cell(0, 1), Cell(1, 3));
    EXPECT_EQ(editor.SelText(), "bcdef\r\nghi");
    Mouse(QEvent::MouseButtonPress, Cell(1, 5), Qt::ShiftModifier);
    Mouse(QEvent::MouseButtonRelease, Cell(1, 5), Qt::ShiftModifier);
    EXPECT_EQ(editor.SelText(), "bcdef\r\nghijk");
}

TEST_F(EditorInputTest, ClickingInsideTheSelectionOnlyPlacesTheCaret)
{
    SetText("abcdef\r\n");
    Select({0, 1}, {0, 5});
    Mouse(QEvent::MouseButtonPress, Cell(0, 3));
    EXPECT_EQ(editor.DragState(), TEditor::TDragState::Pressed);
    Mouse(QEvent::MouseButtonRelease, Cell(0, 3));
    EXPECT_FALSE(editor.HasSelection());
    EXPECT_EQ(Caret(), (TEditorPos {0, 3}));
    EXPECT_EQ(editor.DragState(), TEditor::TDragState::None);
}

TEST_F(EditorInputTest, DraggingTheSelectionMovesItInOneUndoStep)
{
    SetText("one two three\r\nfour\r\n");
    Select({0, 4}, {0, 8}); // "two "
    Drag(Cell(0, 5), Cell(1, 4));
    EXPECT_EQ(Text(), "one three\r\nfourtwo \r\n");
    EXPECT_EQ(Caret(), (TEditorPos {1, 8}));
    editor.Undo();
    EXPECT_EQ(Text(), "one two three\r\nfour\r\n");
    // Backwards, onto a later row's text moved before.
    Select({1, 0}, {1, 2});
    Drag(Cell(1, 1), Cell(0, 0));
    EXPECT_EQ(Text(), "foone two three\r\nur\r\n");
    EXPECT_EQ(Caret(), (TEditorPos {0, 2}));
}

TEST_F(EditorInputTest, DropsInsideTheSelectionOrWithCtrlKeepTheText)
{
    SetText("abcdef\r\nxyz\r\n");
    Select({0, 1}, {0, 4});
    Drag(Cell(0, 2), Cell(0, 4)); // at its end: inside
    EXPECT_EQ(Text(), "abcdef\r\nxyz\r\n");
    EXPECT_FALSE(editor.CanUndo());
    Select({0, 1}, {0, 4});
    Drag(Cell(0, 2), Cell(1, 3), Qt::ControlModifier);
    EXPECT_EQ(Text(), "abcdef\r\nxyzbcd\r\n");
}

TEST_F(EditorInputTest, KeysDuringADragNeverEditTheSelection)
{
    SetText("abcdef\r\nxyz\r\n");
    Select({0, 1}, {0, 4});
    Mouse(QEvent::MouseButtonPress, Cell(0, 2));
    Mouse(QEvent::MouseMove, Cell(1, 1));
    ASSERT_EQ(editor.DragState(), TEditor::TDragState::Dragging);
    Key(Qt::Key_Delete);
    Type("q");
    EXPECT_EQ(Text(), "abcdef\r\nxyz\r\n");
    Key(Qt::Key_Escape);
    EXPECT_EQ(editor.DragState(), TEditor::TDragState::None);
    EXPECT_FALSE(editor.HasSelection());
    Mouse(QEvent::MouseButtonRelease, Cell(1, 1));
    EXPECT_EQ(Text(), "abcdef\r\nxyz\r\n");
}

TEST_F(EditorInputTest, CtrlDuringADragSwitchesBetweenTheMoveAndCopyCursors)
{
    SetText("abcdef\r\nxyz\r\n");
    Select({0, 1}, {0, 4});
    Mouse(QEvent::MouseButtonPress, Cell(0, 2));
    EXPECT_EQ(editor.DragState(), TEditor::TDragState::Pressed);
    const Qt::CursorShape pressed = editor.viewport()->cursor().shape();
    QKeyEvent ctrl(QEvent::KeyPress, Qt::Key_Control, Qt::ControlModifier);
    QApplication::sendEvent(&editor, &ctrl);
    EXPECT_EQ(editor.viewport()->cursor().shape(), pressed) << "keys are dropped before the drag starts";
    Mouse(QEvent::MouseMove, Cell(1, 1));
    ASSERT_EQ(editor.DragState(), TEditor::TDragState::Dragging);
    const Qt::CursorShape moving = editor.viewport()->cursor().shape();
    QApplication::sendEvent(&editor, &ctrl);
    const Qt::CursorShape copying = editor.viewport()->cursor().shape();
    EXPECT_NE(copying, moving) << "Ctrl during the drag shows the copy cursor";
    QKeyEvent other(QEvent::KeyRelease, Qt::Key_A, Qt::ControlModifier, "a");
    QApplication::sendEvent(&editor, &other);
    EXPECT_EQ(editor.viewport()->cursor().shape(), copying) << "other releases are dropped";
    QKeyEvent release(QEvent::KeyRelease, Qt::Key_Control, Qt::NoModifier);
    QApplication::sendEvent(&editor, &release);
    EXPECT_EQ(editor.viewport()->cursor().shape(), moving) << "releasing Ctrl shows the move cursor again";
    Key(Qt::Key_Escape);
    EXPECT_EQ(editor.DragState(), TEditor::TDragState::None);
    Mouse(QEvent::MouseButtonRelease, Cell(1, 1));
    EXPECT_EQ(Text(), "abcdef\r\nxyz\r\n");
}

TEST_F(EditorInputTest, LeftMarginClicksSelectWholeRowsEitherWay)
{
    SetText("r0\r\nr1\r\nr2\r\nr3");
    const int x = editor.LeftOffset() / 2;
    const auto margin = [&](int row) { return QPoint(x, Cell(row, 0).y()); };
    Mouse(QEvent::MouseButtonPress, margin(1));
    Mouse(QEvent::MouseButtonRelease, margin(1));
    EXPECT_EQ(editor.SelText(), "r1\r\n");
    Drag(margin(1), margin(2));
    EXPECT_EQ(editor.SelText(), "r1\r\nr2\r\n");
    Drag(margin(2), margin(0));
    EXPECT_EQ(editor.SelText(), "r0\r\nr1\r\nr2\r\n");
    Drag(margin(2), margin(9));
    EXPECT_EQ(editor.SelText(), "r2\r\nr3") << "the raEndOfText row is taken whole";
}

TEST_F(EditorInputTest, ScrollRequestsMoveTheViewAndWithLockScrollTheCaret)
{
    std::string text;
    for (int i = 0; i < 50; ++i)
        text += "line\r\n";
    SetText(text + "end");
    editor.Caret()->SetLockScroll(true);
    editor.SetRowCol(3, 0);
    editor.Perform(WM_VSCROLL, SB_LINEDOWN);
    EXPECT_EQ(editor.TopRow(), 1);
    EXPECT_EQ(editor.Row(), 4);
    editor.Perform(WM_VSCROLL, SB_BOTTOM);
    EXPECT_EQ(editor.TopRow(), 50) << "never past the raEndOfText last row";
    EXPECT_EQ(editor.Row(), 50) << "the caret moves by the step actually taken";
    editor.Perform(WM_VSCROLL, SB_TOP);
    EXPECT_EQ(editor.TopRow(), 0);
    editor.Perform(WM_HSCROLL, SB_PAGEDOWN);
    EXPECT_EQ(editor.TopCol(), editor.VisibleCols());
    editor.Perform(WM_VSCROLL, 8);
    EXPECT_EQ(editor.TopRow(), 0) << "requests above 7 are ignored";
    editor.verticalScrollBar()->setValue(5);
    EXPECT_EQ(editor.TopRow(), 5);
}

TEST_F(EditorInputTest, TinyWindowsNeverDivideByZero)
{
    SetText("abc\r\ndef\r\n");
    editor.resize(1, 1);
    QApplication::processEvents();
    EXPECT_GE(editor.VisibleRows(), 1);
    EXPECT_GE(editor.VisibleCols(), 1);
    Key(Qt::Key_PageDown);
    Mouse(QEvent::MouseButtonPress, QPoint(0, 0));
    Mouse(QEvent::MouseButtonRelease, QPoint(0, 0));
    Check();
}

TEST_F(EditorInputTest, PopupMenuItemsFollowTheirRules)
{
    auto* menu = qobject_cast<TEditorPopupMenu*>(editor.PopupMenu());
    ASSERT_NE(menu, nullptr);
    const QList<QAction*> items = menu->Items();
    ASSERT_EQ(items.size(), 12);
    EXPECT_EQ(items[0]->text(), QString::fromUtf8("元に戻す(&U)"));
    EXPECT_EQ(items[1]->shortcut(), QKeySequence("Ctrl+A"));
    EXPECT_TRUE(items[2]->isSeparator());
    EXPECT_EQ(items[6]->text(), QString::fromUtf8("Box貼り付け(&B)"));
    EXPECT_EQ(items[11]->shortcut(), QKeySequence("Ctrl+K"));

    SetText("abc");
    QApplication::clipboard()->setText("x");
    menu->UpdateItems();
    EXPECT_FALSE(items[0]->isEnabled());
    EXPECT_FALSE(items[4]->isEnabled()) << "copy needs a selection";
    EXPECT_TRUE(items[5]->isEnabled());
    EXPECT_TRUE(items[9]->isEnabled());
    Select({0, 0}, {0, 2});
    editor.SetReadOnly(true);
    menu->UpdateItems();
    EXPECT_FALSE(items[3]->isEnabled());
    EXPECT_TRUE(items[4]->isEnabled());
    EXPECT_FALSE(items[5]->isEnabled());
    items[3]->trigger();
    EXPECT_EQ(Text(), "abc") << "a read-only editor is not cut";
    items[11]->trigger();
    EXPECT_TRUE(editor.BoxSelection());
    menu->UpdateItems();
    EXPECT_TRUE(items[11]->isChecked());
}

TEST_F(EditorInputTest, TokenAtReadsTheFountainsTokenUnderAPoint)
{
    SetText("foo barbaz(1)\r\n");
    const TEditor::TToken token = editor.TokenAt(Cell(0, 6));
    EXPECT_EQ(token.Text, "barbaz");
    EXPECT_EQ(token.Start, 4);
    EXPECT_NE(token.Kind, 0);
    editor.SelectTokenAt(Cell(0, 11));
    EXPECT_EQ(editor.SelText(), "1");
    EXPECT_EQ(editor.TokenAt(Cell(5, 0)).Kind, 0);
}

} // namespace
} // namespace brenvik::test
