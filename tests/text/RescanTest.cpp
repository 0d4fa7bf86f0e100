// Row states: Rescan recomputes from an edit until a stored state agrees, within two screens.
#include "FakeEditor.h"
#include "QuoteScanner.h"
#include "text/EditorStrings.h"

#include <gtest/gtest.h>

namespace brenvik::test {
namespace {

class RescanTest : public ::testing::Test {
protected:
    FakeEditor Editor;
    TEditorScreenStrings& Store = *Editor.Rows;
    TEditorStrings Lines {Editor, Editor.Rows};
    int Calls = 0;

    void SetUp() override
    {
        Editor.Scanner = [this] { return std::make_unique<QuoteScanner>(&Calls); };
        std::string text;
        for (int i = 0; i < 100; ++i)
            text += "x\r\n";
        Editor.Screen = 10000; // the first RescanAll computes every row
        Lines.SetTextStr(text);
        Editor.Screen = 200; // two screens: 2 * 200 / 10 = 40 rows
        Calls = 0;
        Editor.Invalidated.clear();
        Editor.Changes.clear();
    }
    void ExpectComputedStatesAreRight()
    {
        std::vector<RowTokenState> expected = ScanFromTop(Store);
        for (int row = 0; row < Store.Count(); ++row) {
            if (Store.ScanState(row) != -2) {
                ASSERT_EQ(Store.RowState(row), expected[row]) << "row " << row;
            }
        }
    }
};

TEST_F(RescanTest, StopsAtTheFirstUnchangedRow)
{
    // The replaced text took row 50's break, so row 51 is re-split and new as well.
    Store.ReplaceRows(50, 1, "y\r\n");
    EXPECT_EQ(Calls, 3) << "the row before the edit, then the two new rows";
    EXPECT_EQ(Editor.Invalidated, (std::vector<int> {50, 51}));
    ASSERT_EQ(Editor.Changes.size(), 1u);
    EXPECT_EQ(Editor.Changes[0].Rescanned, 2);
    ExpectComputedStatesAreRight();
}

TEST_F(RescanTest, GoesAtMostTwoScreensAheadAndMarksTheRestNotComputed)
{
    Store.ReplaceRows(50, 1, "\"\r\n");
    ASSERT_EQ(Editor.Changes.size(), 1u);
    EXPECT_EQ(Editor.Changes[0].Rescanned, 41) << "rows 50 to 90";
    for (int row = 91; row < 100; ++row)
        EXPECT_EQ(Store.ScanState(row), -2) << row;
    ExpectComputedStatesAreRight();
    EXPECT_EQ(Store.Rescan(91, false), 0) << "without notify nothing is counted";
    ExpectComputedStatesAreRight();
    EXPECT_NE(Store.ScanState(99), -2);
}

TEST_F(RescanTest, RescanAllComputesTwoScreensFromTheTopRow)
{
    Editor.Top = 10;
    Store.RescanAll();
    EXPECT_NE(Store.ScanState(50), -2);
    EXPECT_EQ(Store.ScanState(51), -2);
    Editor.RowPixels = 0; // no metrics yet: a row height of 1 is assumed
    Store.RescanAll();
    EXPECT_NE(Store.ScanState(99), -2);
    ExpectComputedStatesAreRight();
}

TEST_F(RescanTest, WithoutScannerRowsStayNotComputed)
{
    Editor.Scanner = nullptr;
    Store.ReleaseScanner(); // as the editor does when its highlighting changes
    Store.ReplaceRows(0, 0, "\"\r\n");
    EXPECT_EQ(Store.ScanState(0), -2);
    EXPECT_EQ(Store.Rescan(0, true), 0);
}

} // namespace
} // namespace brenvik::test
