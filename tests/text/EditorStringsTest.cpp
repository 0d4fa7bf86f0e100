// The Lines facade: loading files of every awkward shape, whole-text access and line edits.
#include "text/EditorStrings.h"
#include "FakeEditor.h"
#include "RowsHelpers.h"
#include "text/PlaceCaretAfter.h"

#include <gtest/gtest.h>

#include <QTemporaryDir>

#include <fstream>

namespace brenvik::test {
namespace {

using Rows = std::vector<RowShape>;

class EditorStringsTest : public ::testing::Test {
protected:
    QTemporaryDir Dir;
    FakeEditor Editor;
    TEditorStrings Lines {Editor, Editor.Rows};

    std::string WriteFile(const std::string& bytes)
    {
        std::string path = Dir.filePath("script.cgi").toStdString();
        std::ofstream(path, std::ios::binary).write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
        return path;
    }
    Rows Load(const std::string& bytes)
    {
        Lines.LoadFromFile(WriteFile(bytes));
        EXPECT_EQ(Editor.Rows->CheckRows(), "");
        return RowsOf(*Editor.Rows);
    }
};

TEST_F(EditorStringsTest, LoadSplitsAtEveryLineBreakKindAndRoundTrips)
{
    EXPECT_EQ(Load("a\r\nb"), (Rows {{"a", raBreak}, {"b", raEndOfText}}));
    EXPECT_EQ(Lines.GetTextStr(), "a\r\nb");
    EXPECT_EQ(Load("a\r\n"), (Rows {{"a", raBreak}}));
    EXPECT_EQ(Lines.GetCount(), 1);
    EXPECT_EQ(Load("x\ry\nz\r\n"), (Rows {{"x", raBreak}, {"y", raBreak}, {"z", raBreak}}));
    EXPECT_EQ(Load("\r\n\r\n"), (Rows {{"", raBreak}, {"", raBreak}}));
}

TEST_F(EditorStringsTest, EmptyAndOneByteFiles)
{
    EXPECT_EQ(Load(""), Rows {});
    EXPECT_EQ(Lines.GetCount(), 0);
    EXPECT_EQ(Load("q"), (Rows {{"q", raEndOfText}}));
    EXPECT_EQ(Load("\n"), (Rows {{"", raBreak}}));
}

TEST_F(EditorStringsTest, CrLfAndLinesSplitAcrossReadBlocksStayWhole)
{
    for (std::size_t block : {std::size_t {8192}, std::size_t {65536}}) {
        std::string first(block - 1, 'a');
        Rows rows = Load(first + "\r\nb");
        EXPECT_EQ(rows, (Rows {{first, raBreak}, {"b", raEndOfText}})) << "CR ends block " << block;
        std::string longLine(block * 2 + 17, 'c');
        EXPECT_EQ(Load(longLine + "\r\nd"), (Rows {{longLine, raBreak}, {"d", raEndOfText}}));
    }
}

TEST_F(EditorStringsTest, HugeLineAndLeadByteAtLineEndRoundTrip)
{
    std::string line(100000, 'x');
    line[99999] = '\x82'; // a lead byte with no trail byte
    std::string text = line + "\r\n\x82\r\n\x88\x9F";
    Load(text);
    EXPECT_EQ(Editor.Rows->Count(), 3);
    EXPECT_EQ(Lines.GetTextStr(), text);
}

// NUL bytes used to end a read block and lose the rest of it; they are now ordinary bytes.
TEST_F(EditorStringsTest, NulBytesAreKeptInTheirRow)
{
    std::string text("a\0b\r\n\0\r\nc", 9);
    EXPECT_EQ(Load(text),
        (Rows {{std::string("a\0b", 3), raBreak}, {std::string(1, '\0'), raBreak}, {"c", raEndOfText}}));
    EXPECT_EQ(Lines.GetTextStr(), text);
}

TEST_F(EditorStringsTest, OnlyAFinalCtrlZIsDropped)
{
    EXPECT_EQ(Load("abc\x1A"), (Rows {{"abc", raEndOfText}}));
    EXPECT_EQ(Load("abc\r\n\x1A"), (Rows {{"abc", raBreak}}));
    std::string inner = "ab\x1A\r\ncd";
    Load(inner);
    EXPECT_EQ(Lines.GetTextStr(), inner) << "text after an inner Ctrl+Z is not lost";
}

TEST_F(EditorStringsTest, LoadingLeavesNoUndoStepAndRefreshesTheEditors)
{
    Lines.Add("x");
    ASSERT_TRUE(Editor.Rows->UndoObj().CanUndo());
    int refreshes = Editor.RefreshCalls;
    Load("a\r\nb");
    EXPECT_FALSE(Editor.Rows->UndoObj().CanUndo());
    EXPECT_FALSE(Editor.Rows->UndoObj().CanRedo());
    EXPECT_GT(Editor.RefreshCalls, refreshes);
}

TEST_F(EditorStringsTest, MissingFileRaisesWithNameAndReason)
{
    Load("keep");
    std::string path = Dir.filePath("missing.cgi").toStdString();
    try {
        Lines.LoadFromFile(path);
        FAIL() << "no error raised";
    } catch (const TFileError& error) {
        std::string message = error.what();
        EXPECT_NE(message.find(path), std::string::npos) << message;
        EXPECT_NE(message.find("No such file"), std::string::npos) << message;
    }
    EXPECT_EQ(Lines.GetTextStr(), "keep") << "a file that cannot be opened costs the text nothing";
    EXPECT_EQ(Editor.Rows->UpdateCount(), 0);
}

TEST_F(EditorStringsTest, HundredMegabyteFileRoundTrips)
{
    std::string line = "print \"\x83\x65\x83\x58\x83\x67\";\t# \x93\xFA\x96\x7B\x8C\xEA\r\n";
    std::string text;
    text.reserve(100 * 1024 * 1024 + line.size());
    while (text.size() < 100 * 1024 * 1024)
        text += line;
    Lines.LoadFromFile(WriteFile(text));
    EXPECT_EQ(Editor.Rows->Count(), static_cast<int>(text.size() / line.size()));
    EXPECT_TRUE(Lines.GetTextStr() == text);
}

TEST_F(EditorStringsTest, PlaceCaretAfterCountsBreaksAndExpandsTabs)
{
    Lines.SetTextStr("\tab\r\nx");
    PlaceCaretAfter(*Editor.Rows, Editor, 0, 2);
    EXPECT_EQ(Editor.Caret[0], 0);
    EXPECT_EQ(Editor.Caret[1], 9) << "a tab and one letter";
    PlaceCaretAfter(*Editor.Rows, Editor, 0, 5);
    EXPECT_EQ(Editor.Caret[0], 1) << "past the row and its CR LF";
    EXPECT_EQ(Editor.Caret[1], 0);
    PlaceCaretAfter(*Editor.Rows, Editor, 0, 100);
    EXPECT_EQ(Editor.Caret[0], 1) << "never beyond a last row without a break";
    EXPECT_EQ(Editor.Caret[1], 1);
    Lines.SetTextStr("a\r\n");
    PlaceCaretAfter(*Editor.Rows, Editor, 0, 3);
    EXPECT_EQ(Editor.Caret[0], 1) << "the rows ran out";
    EXPECT_EQ(Editor.Caret[1], 0);
}

TEST_F(EditorStringsTest, AddKeepsAMissingFinalBreakMissing)
{
    Lines.Add("x");
    EXPECT_EQ(RowsOf(*Editor.Rows), (Rows {{"x", raBreak}}));
    Lines.SetTextStr("b");
    EXPECT_EQ(Lines.Add("x"), 1);
    EXPECT_EQ(RowsOf(*Editor.Rows), (Rows {{"b", raBreak}, {"x", raEndOfText}}));
    EXPECT_EQ(Editor.Caret[0], 1);
    EXPECT_EQ(Editor.Caret[1], 1);
}

TEST_F(EditorStringsTest, SetTextStrShapes)
{
    Lines.SetTextStr("");
    EXPECT_EQ(Editor.Rows->Count(), 0);
    Lines.SetTextStr("x");
    EXPECT_EQ(RowsOf(*Editor.Rows), (Rows {{"x", raEndOfText}}));
    Lines.SetTextStr(std::string("a\0b\nc\r\n", 7));
    EXPECT_EQ(RowsOf(*Editor.Rows), (Rows {{std::string("a\0b", 3), raBreak}, {"c", raBreak}}));
    EXPECT_FALSE(Editor.Rows->UndoObj().CanUndo());
}

TEST_F(EditorStringsTest, LineEditsPutInsertDeleteGet)
{
    Lines.SetTextStr("a\r\nb\r\nc");
    Lines.Put(1, "B");
    EXPECT_EQ(Lines.GetTextStr(), "a\r\nB\r\nc");
    Lines.Put(2, "C");
    EXPECT_EQ(Lines.GetTextStr(), "a\r\nB\r\nC");
    Lines.Insert(0, "z");
    EXPECT_EQ(Lines.GetTextStr(), "z\r\na\r\nB\r\nC");
    EXPECT_EQ(Editor.Caret[0], 1);
    EXPECT_EQ(Editor.Caret[1], 0);
    Lines.Delete(3);
    EXPECT_EQ(Lines.GetTextStr(), "z\r\na\r\nB\r\n");
    Lines.Insert(3, "end");
    EXPECT_EQ(Lines.GetTextStr(), "z\r\na\r\nB\r\nend\r\n");
    EXPECT_EQ(Lines.Get(3), "end");
    EXPECT_THROW(Lines.Get(4), std::out_of_range);
    EXPECT_THROW(Lines.Delete(-1), std::out_of_range);
}

TEST_F(EditorStringsTest, AssignCopiesTheTextAndPutsTheCaretAtTheEnd)
{
    FakeEditor other;
    TEditorStrings otherLines {other, other.Rows};
    otherLines.SetTextStr("p\r\nq\r\n");
    Lines.Assign(otherLines);
    EXPECT_EQ(Lines.GetTextStr(), "p\r\nq\r\n");
    EXPECT_EQ(Editor.Caret[0], 2);
    Lines.Assign(std::vector<std::string> {"one", "two"});
    EXPECT_EQ(Lines.GetTextStr(), "one\r\ntwo\r\n");
}

} // namespace
} // namespace brenvik::test
