// The editing operations on the headless model: typing, deleting, Enter and Tab, selections
// replaced, box pastes, undo, and what they leave in the rows.
#include "ModelTestSupport.h"
#include "support/DoubleByte.h"

#include <gtest/gtest.h>

#include <functional>

namespace brenvik::test {
namespace {

inline const std::string kI = "\x82\xa2";  // い
inline const std::string kSo = "\x83\x5c"; // ソ: its trail byte is a backslash

// A model with the main window's caret rules.
class ModelEditingTest : public ::testing::Test {
protected:
    ModelEditingTest()
    {
        owner.Rules.TabWidth = 4;
        owner.Rules.AutoIndent = true;
        owner.Rules.BackSpaceUnIndent = true;
        owner.Rules.PrevSpaceIndent = true;
        owner.Rules.TabIndent = true;
    }

    void SetText(const std::string& text) { model.Lines().SetTextStr(text); }
    std::string Text() const { return model.Lines().GetTextStr(); }
    std::string Row(int row) const { return std::string(model.RowText(row)); }
    TEditorPos Caret() const { return {model.Row(), model.Col()}; }
    void WrapAt(int wrapByte)
    {
        model.Rows().WrapOption().SetWrapByte(wrapByte);
        model.SetWordWrap(true);
    }
    // The invariants of the model and its rows, and no row ending in half a double-byte character.
    void Check() const
    {
        EXPECT_EQ(model.CheckInvariant(), "");
        EXPECT_EQ(model.Rows().CheckRows(), "");
        for (int row = 0; row < model.RowCount(); ++row) {
            const std::string_view text = model.RowText(row);
            for (size_t i = 0; i < text.size(); i += IsLeadByte(static_cast<unsigned char>(text[i])) ? 2 : 1)
                EXPECT_FALSE(IsLeadByte(static_cast<unsigned char>(text[i])) && i + 1 == text.size())
                    << "row " << row << " ends in a lead byte";
        }
    }

    TTestOwner owner;
    TEditorModel model {owner};
};

TEST_F(ModelEditingTest, TypingBeyondTheRowEndPadsWithSpaces)
{
    owner.Rules.FreeCaret = true;
    SetText("abc\r\n");
    model.SetRowCol(0, 10);
    model.TypeText("x");
    EXPECT_EQ(Text(), "abc       x\r\n");
    EXPECT_EQ(Caret(), (TEditorPos {0, 11}));
    Check();
}

TEST_F(ModelEditingTest, TypingInsideTabFillInsertsBeforeTheTab)
{
    owner.Rules.InTab = true;
    SetText("a\tb");
    model.SetRowCol(0, 2);
    ASSERT_EQ(model.Col(), 2);
    model.TypeText("x");
    EXPECT_EQ(Text(), "ax\tb");
    EXPECT_EQ(Caret(), (TEditorPos {0, 2}));
}

TEST_F(ModelEditingTest, OverwriteCoversColumnsAndSplitsNoDoubleByteCharacter)
{
    SetText(kA + kI + "z\r\n");
    model.SetOverwrite(true);
    model.SetRowCol(0, 0);
    model.TypeText("x");
    EXPECT_EQ(Text(), "x " + kI + "z\r\n") << "the lead byte's character gives way to a space";
    model.SetRowCol(0, 2);
    model.TypeText("pq");
    EXPECT_EQ(Text(), "x pqz\r\n");
    Check();
}

TEST_F(ModelEditingTest, EnterCarriesTheIndentationAsTabsOrSpaces)
{
    SetText("\t\tfoo(bar);\r\n");
    model.SetRowCol(0, 11);
    model.Enter();
    EXPECT_EQ(Text(), "\t\tfoo\r\n\t\t(bar);\r\n");
    EXPECT_EQ(Caret(), (TEditorPos {1, 8}));
    model.Undo();
    owner.Rules.TabIndent = false;
    model.SetRowCol(0, 11);
    model.Enter();
    EXPECT_EQ(Text(), "\t\tfoo\r\n        (bar);\r\n");
    model.Undo();
    // Inside the indentation the new line is indented by the caret's column.
    SetText("        foo\r\n");
    model.SetRowCol(0, 2);
    model.Enter();
    EXPECT_EQ(Text(), "  \r\n        foo\r\n");
    EXPECT_EQ(Caret(), (TEditorPos {1, 2}));
    Check();
}

TEST_F(ModelEditingTest, ShiftEnterOpensALineAboveAndEnterAtTheEndAppends)
{
    SetText("    x\r\n");
    model.SetRowCol(0, 5);
    model.Enter(true);
    EXPECT_EQ(Text(), "\t\r\n    x\r\n") << "TabIndent writes the indentation as a tab";
    EXPECT_EQ(Caret(), (TEditorPos {0, 4}));
    model.SetRowCol(2, 0);
    model.Enter();
    EXPECT_EQ(Text(), "\t\r\n    x\r\n\r\n");
    EXPECT_EQ(Caret(), (TEditorPos {3, 0}));
}

TEST_F(ModelEditingTest, BackspaceUnindentsToTheNearestLessIndentedLine)
{
    SetText("a\r\n    b\r\n        c\r\n        \r\n");
    model.SetRowCol(2, 8);
    model.Backspace();
    EXPECT_EQ(Row(2), "    c");
    EXPECT_EQ(Caret(), (TEditorPos {2, 4}));
    // An empty row with the caret beyond its end (free caret) unindents too, it never joins.
    owner.Rules.FreeCaret = true;
    SetText("\tx\r\n\r\n");
    model.SetRowCol(1, 8);
    model.Backspace();
    EXPECT_EQ(Text(), "\tx\r\n\r\n");
    EXPECT_EQ(Caret(), (TEditorPos {1, 4}));
    Check();
}

TEST_F(ModelEditingTest, UnindentLooksOnlyAtRowsThatStartALine)
{
    WrapAt(20);
    // The first line wraps; its continuation row starts with no indentation.
    SetText("    " + std::string(30, 'w') + "\r\n        x\r\n");
    ASSERT_EQ(model.RowAttribute(0), raWrapped);
    model.SetRowCol(2, 8);
    model.Backspace();
    EXPECT_EQ(Row(2), "    x");
}

TEST_F(ModelEditingTest, BackspaceAtColumnZeroJoinsOrEatsIntoTheWrappedRowAbove)
{
    WrapAt(20);
    SetText(std::string(19, 'a') + kA + "tail\r\nnext\r\n");
    ASSERT_EQ(model.RowAttribute(0), raWrapped);
    ASSERT_EQ(Row(1), kA + "tail");
    model.SetRowCol(1, 0);
    model.Backspace();
    EXPECT_EQ(Text(), std::string(18, 'a') + kA + "tail\r\nnext\r\n");
    const int line2 = model.RowCount() - 1;
    model.SetRowCol(line2, 0);
    model.Backspace();
    EXPECT_EQ(Text(), std::string(18, 'a') + kA + "tailnext\r\n") << "the joined line keeps its break";
    Check();
}

TEST_F(ModelEditingTest, BackspaceDeletesWholeCharactersAndTabs)
{
    SetText("a" + kHyo + "\tb\r\n");
    model.SetRowCol(0, 4);
    model.Backspace();
    EXPECT_EQ(Text(), "a" + kHyo + "b\r\n");
    model.Backspace();
    EXPECT_EQ(Text(), "ab\r\n");
    EXPECT_EQ(Caret(), (TEditorPos {0, 1}));
    Check();
}

TEST_F(ModelEditingTest, DeleteJoinsLinesKeepsBreaksAndStopsAtTheEndOfText)
{
    SetText("ab\r\ncd\r\nef");
    model.SetRowCol(0, 2);
    model.DeleteChar();
    EXPECT_EQ(Text(), "abcd\r\nef");
    model.SetRowCol(1, 2);
    model.DeleteChar();
    EXPECT_EQ(Text(), "abcd\r\nef") << "nothing after the last line of a text without final break";
    model.SetRowCol(0, 1);
    SetText(kSo + "x");
    model.SetRowCol(0, 0);
    model.DeleteChar();
    EXPECT_EQ(Text(), "x");
    Check();
}

TEST_F(ModelEditingTest, TypingOverASelectionThatEndsAfterTheLastRow)
{
    SetText("one\r\ntwo\r\n");
    model.SetRowCol(1, 1);
    model.StartSelection();
    model.SetRowCol(2, 0);
    model.ExtendSelection();
    model.TypeText("X");
    EXPECT_EQ(Text(), "one\r\ntX");
    EXPECT_EQ(Caret(), (TEditorPos {1, 2}));
    Check();
}

TEST_F(ModelEditingTest, SetSelTextPlacesTheCaretAfterTextWithAnyLineBreaks)
{
    SetText("[]\r\n");
    model.SetRowCol(0, 1);
    model.SetSelText("a\nb\rc\r\nd");
    EXPECT_EQ(Text(), "[a\r\nb\r\nc\r\nd]\r\n");
    EXPECT_EQ(Caret(), (TEditorPos {3, 1}));
}

TEST_F(ModelEditingTest, BoxEditsCaretStartsAtTheLeftEdge)
{
    SetText("abcdef\r\nabcdef\r\n");
    model.SetBoxSelection(true);
    model.SetRowCol(1, 4);
    model.StartSelection();
    model.SetRowCol(0, 1);
    model.ExtendSelection();
    model.DeleteSelection();
    EXPECT_EQ(Text(), "aef\r\naef\r\n");
    EXPECT_EQ(Caret(), (TEditorPos {0, 1}));
}

TEST_F(ModelEditingTest, BoxPasteInsertsAtOneColumnAddingRowsAndSpaces)
{
    SetText("abcdef\r\nab\r\n");
    model.SetRowCol(0, 4);
    model.PasteBox("X\r\nY\r\nZ\r\n");
    EXPECT_EQ(Text(), "abcdXef\r\nab  Y\r\n    Z\r\n") << "no blank row after the box";
    EXPECT_EQ(Caret(), (TEditorPos {2, 5}));
    Check();
}

TEST_F(ModelEditingTest, BoxPasteOverASelectionOfSeveralRowsTakesEachRowOnce)
{
    SetText("0123\r\nabcd\r\nwxyz\r\nlast\r\n");
    model.SetRowCol(0, 2);
    model.StartSelection();
    model.SetRowCol(1, 2);
    model.ExtendSelection();
    model.PasteBox("P\r\nQ");
    // The selection's rows become "01cd"; Q goes into the next row at column 3.
    EXPECT_EQ(Text(), "01Pcd\r\nwxQyz\r\nlast\r\n");
    Check();
}

TEST_F(ModelEditingTest, UndoRestoresTextAndCaretAndRedoReplays)
{
    SetText("abc\r\n");
    model.SetRowCol(0, 1);
    model.TypeText("x");
    model.SetRowCol(0, 3);
    model.Undo();
    EXPECT_EQ(Text(), "abc\r\n");
    EXPECT_EQ(Caret(), (TEditorPos {0, 1}));
    model.Redo();
    EXPECT_EQ(Text(), "axbc\r\n");
    model.Undo();
    model.TypeText("y");
    EXPECT_FALSE(model.CanRedo());
    model.SetUndoListMax(10);
    EXPECT_EQ(model.UndoListMax(), 64);
    model.SetUndoListMax(200);
    EXPECT_EQ(model.UndoListMax(), 200);
}

TEST_F(ModelEditingTest, ReadOnlyEditorChangesNothing)
{
    SetText("abc\r\ndef\r\n");
    model.SetReadOnly(true);
    model.SetRowCol(0, 1);
    model.TypeText("x");
    model.SetRowCol(0, 2);
    model.Backspace();
    model.DeleteChar();
    model.Enter();
    model.Tab();
    model.SetSelText("q");
    model.PasteBox("q");
    model.SelectAll();
    model.DeleteSelection();
    EXPECT_EQ(Text(), "abc\r\ndef\r\n");
    EXPECT_FALSE(model.CanUndo());
}

TEST_F(ModelEditingTest, TabTypesATabOrSpacesUpToTheNextStop)
{
    SetText("ab\r\n");
    model.SetRowCol(0, 2);
    model.Tab();
    EXPECT_EQ(Text(), "ab\t\r\n");
    EXPECT_EQ(model.Col(), 4);
    owner.Rules.SoftTab = true;
    model.Tab();
    EXPECT_EQ(Text(), "ab\t    \r\n");
    model.SetOverwrite(true);
    model.SetRowCol(0, 0);
    model.Tab();
    EXPECT_EQ(Text(), "ab\t    \r\n");
    EXPECT_EQ(model.Col(), 4);
}

TEST_F(ModelEditingTest, EveryOperationOnAnEmptyTextAndAfterTheLastRowIsSafe)
{
    const std::function<void()> operations[] = {[&] { model.Backspace(); }, [&] { model.DeleteChar(); },
        [&] { model.Tab(); }, [&] { model.DeleteSelection(); }, [&] { model.SelectAll(); },
        [&] { model.PasteBox("p\r\nq"); }, [&] { model.SetSelText(""); },
        [&] { model.WordMove(model.Row(), model.Col(), 1); },
        [&] { model.WordMove(model.Row(), model.Col(), -1); }, [&] { model.Undo(); },
        [&] { model.Redo(); }, [&] { model.SetSelText(kA); }, [&] { model.Enter(); },
        [&] { model.Enter(true); }};
    for (const std::string& text : {std::string(), std::string("ab\r\n"), std::string("\t" + kA + "\r\n")})
        for (const auto& operation : operations) {
            SetText(text);
            model.SetRowCol(model.RowCount(), 0);
            operation();
            Check();
            model.SetReadOnly(true);
            const std::string before = Text();
            operation();
            EXPECT_EQ(Text(), before);
            model.SetReadOnly(false);
        }
}

} // namespace
} // namespace brenvik::test
