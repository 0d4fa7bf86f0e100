// The Lines facade: loading lines of every awkward shape, whole-text access and line edits.
#include "text/EditorStrings.h"
#include "FakeEditor.h"
#include "RowsHelpers.h"
#include "text/PlaceCaretAfter.h"

#include "QuoteScanner.h"

#include <gtest/gtest.h>

#include <stdexcept>

namespace brenvik::test {
namespace {

using Rows = std::vector<RowShape>;

class EditorStringsTest : public ::testing::Test {
protected:
    FakeEditor Editor;
    TEditorStrings Lines {Editor, Editor.Rows};

    // As the open path fills the editor: the file's lines through the sink.
    Rows Load(const std::string& bytes)
    {
        Lines.LoadLines([&bytes](const TLineSink& sink) { ForEachLine(bytes, sink); },
            bytes.empty() || EndsWithLineBreak(bytes));
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
    EXPECT_EQ(Load(""), Rows {});
    EXPECT_EQ(Lines.GetCount(), 0);
    EXPECT_EQ(Load("q"), (Rows {{"q", raEndOfText}}));
    EXPECT_EQ(Load("\n"), (Rows {{"", raBreak}}));
}

TEST_F(EditorStringsTest, HugeLineNulBytesAndLeadByteAtLineEndRoundTrip)
{
    std::string line(100000, 'x');
    line[99999] = '\x82'; // a lead byte with no trail byte
    std::string text = line + "\r\n\x82\r\n\x88\x9F";
    Load(text);
    EXPECT_EQ(Editor.Rows->Count(), 3);
    EXPECT_EQ(Lines.GetTextStr(), text);
    std::string nuls("a\0b\r\n\0\r\nc", 9);
    EXPECT_EQ(Load(nuls),
        (Rows {{std::string("a\0b", 3), raBreak}, {std::string(1, '\0'), raBreak}, {"c", raEndOfText}}));
    EXPECT_EQ(Lines.GetTextStr(), nuls);
}

TEST_F(EditorStringsTest, LoadingNotifiesOnceLeavesNoUndoAndNoComputedState)
{
    Editor.Scanner = [] { return std::make_unique<QuoteScanner>(); };
    Lines.SetTextStr("old\r\n");
    Lines.Add("x");
    ASSERT_TRUE(Editor.Rows->UndoObj().CanUndo());
    Editor.Caret[0] = 1;
    Editor.Caret[1] = 1;
    int changes = Editor.ChangeCalls;
    int refreshes = Editor.RefreshCalls;
    Load("a\r\nb\r\nc");
    EXPECT_EQ(Editor.ChangeCalls, changes + 1);
    EXPECT_EQ(Editor.RefreshCalls, refreshes + 1);
    EXPECT_EQ(Editor.Changes.back(), (TPendingChange {0, 2, 3, 0, true, false}));
    EXPECT_FALSE(Editor.Rows->UndoObj().CanUndo());
    EXPECT_FALSE(Editor.Rows->UndoObj().CanRedo());
    for (int row = 0; row < 3; ++row)
        EXPECT_FALSE(Editor.Rows->RowStateComputed(row)) << row;
    EXPECT_EQ(Editor.Caret[0], 0);
    EXPECT_EQ(Editor.Caret[1], 0);
}

TEST_F(EditorStringsTest, LoadingWrapsAtTheCurrentSettingAsAFullRewrapWould)
{
    Editor.Rows->WrapOption().SetWrapByte(10);
    Editor.Rows->SetWordWrap(true);
    std::string text = "short\r\n" + std::string(25, 'w') + "\r\nword word word word\r\n\x93\xFA\x96\x7B\x8C\xEA"
        + std::string(9, 'k');
    Rows loaded = Load(text);
    FakeEditor reference;
    reference.Rows->WrapOption().Assign(Editor.Rows->WrapOption());
    TEditorStrings(reference, reference.Rows).SetTextStr(text);
    reference.Rows->SetWordWrap(true); // wrapped afterwards, by the rewrap of the whole text
    EXPECT_EQ(loaded, RowsOf(*reference.Rows));
    EXPECT_EQ(Lines.GetCount(), 4);
    EXPECT_EQ(Lines.GetTextStr(), text);
}

TEST_F(EditorStringsTest, AFailingProducerLeavesTheTextAsItWas)
{
    Load("keep\r\nthis");
    Lines.Add("x");
    auto failing = [](const TLineSink& sink) {
        sink("partial");
        throw std::runtime_error("unreadable");
    };
    EXPECT_THROW(Lines.LoadLines(failing), std::runtime_error);
    EXPECT_EQ(Lines.GetTextStr(), "keep\r\nthis\r\nx");
    EXPECT_TRUE(Editor.Rows->UndoObj().CanUndo()) << "nothing was loaded, so nothing was cleared";
    EXPECT_EQ(Editor.Rows->UpdateCount(), 0);
}

TEST_F(EditorStringsTest, HundredMegabyteTextRoundTrips)
{
    std::string line = "print \"\x83\x65\x83\x58\x83\x67\";\t# \x93\xFA\x96\x7B\x8C\xEA\r\n";
    std::string text;
    text.reserve(100 * 1024 * 1024 + line.size());
    while (text.size() < 100 * 1024 * 1024)
        text += line;
    Load(text);
    EXPECT_EQ(Editor.Rows->Count(), static_cast<int>(text.size() / line.size()));
    EXPECT_EQ(Lines.GetCount(), Editor.Rows->Count());
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
