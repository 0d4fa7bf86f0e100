// The line tools over an editor: whole lines for a normal selection, a box for a box
// selection, one undo step, the result selected.
#include "app/LineTools.h"
#include "editor/EditorTestSupport.h"

namespace brenvik {
namespace {

class LineToolsTest : public test::EditorTest {
protected:
    void Select(TEditorPos from, TEditorPos to)
    {
        editor.SetRowCol(from.Row, from.Col);
        editor.StartSelection();
        editor.SetRowCol(to.Row, to.Col);
        editor.ExtendSelection();
    }
    void UndoRestores(const std::string& before)
    {
        editor.Undo();
        EXPECT_EQ(Text(), before);
        EXPECT_FALSE(editor.CanUndo());
    }
};

TEST_F(LineToolsTest, ANormalSelectionTakesWholeLinesAndTheCommentSitsAtTheirStart)
{
    const std::string text = "print 'abc';\r\nx = 1;\r\nlast\r\n";
    SetText(text);
    // From inside the string to inside the second line.
    Select({0, 8}, {1, 3});
    PrefixSelectedLines(editor.Model(), "#");
    EXPECT_EQ(Text(), "#print 'abc';\r\n#x = 1;\r\nlast\r\n");
    EXPECT_EQ(editor.SelText(), "#print 'abc';\r\n#x = 1;\r\n");
    Check();
    UndoRestores(text);
}

TEST_F(LineToolsTest, ASelectionEndingAtALineStartLeavesThatLineOutAndNoBreakIsAdded)
{
    const std::string text = "a\r\nb\r\nc";
    SetText(text);
    Select({0, 0}, {1, 0});
    PrefixSelectedLines(editor.Model(), "\t");
    EXPECT_EQ(Text(), "\ta\r\nb\r\nc");
    // The last line has no break of its own and gets none.
    SetText(text);
    Select({1, 1}, {2, 1});
    PrefixSelectedLines(editor.Model(), "    ");
    EXPECT_EQ(Text(), "a\r\n    b\r\n    c");
    EXPECT_EQ(editor.SelText(), "    b\r\n    c");
    Check();
}

TEST_F(LineToolsTest, AWrappedLineIsOneLine)
{
    WrapAt(20);
    const std::string text = std::string(30, 'x') + "\r\nyy\r\n";
    SetText(text);
    ASSERT_EQ(editor.RowCount(), 3);
    Select({1, 2}, {1, 5});
    PrefixSelectedLines(editor.Model(), "#");
    EXPECT_EQ(Text(), "#" + std::string(30, 'x') + "\r\nyy\r\n");
    Check();
}

TEST_F(LineToolsTest, ABoxSelectionGetsThePrefixAsABoxAtItsLeftEdge)
{
    const std::string text = "abcd\r\nefgh\r\nijk\r\n";
    SetText(text);
    editor.SetBoxSelection(true);
    Select({0, 1}, {2, 3});
    PrefixSelectedLines(editor.Model(), "#");
    EXPECT_EQ(Text(), "a#bcd\r\ne#fgh\r\ni#jk\r\n");
    EXPECT_TRUE(editor.BoxSelection());
    EXPECT_EQ(editor.SelText(), "#bc\r\n#fg\r\n#jk\r\n");
    Check();
    UndoRestores(text);
    // Drawn upwards from a short last row: the box still widens by the prefix.
    SetText("abcd\r\nefgh\r\nij\r\n");
    Select({2, 2}, {0, 1});
    PrefixSelectedLines(editor.Model(), "//");
    EXPECT_EQ(Text(), "a//bcd\r\ne//fgh\r\ni//j\r\n");
    EXPECT_EQ(editor.SelText(), "//b\r\n//f\r\n//j\r\n");
}

TEST_F(LineToolsTest, NothingHappensWithoutASelectionOrOnAReadOnlyEditor)
{
    const std::string text = "a\r\nb\r\n";
    SetText(text);
    PrefixSelectedLines(editor.Model(), "#");
    EXPECT_EQ(Text(), text);
    Select({0, 0}, {1, 1});
    editor.SetReadOnly(true);
    PrefixSelectedLines(editor.Model(), "#");
    EXPECT_EQ(Text(), text);
    EXPECT_EQ(IndentUnit(true, 4), "    ");
    EXPECT_EQ(IndentUnit(false, 4), "\t");
}

} // namespace
} // namespace brenvik
