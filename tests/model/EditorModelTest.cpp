// The editing model without a widget: selections, read-only refusal, tokens and words.
#include "ModelTestSupport.h"

#include "highlight/ConfiguredFountains.h"
#include "highlight/PERLFountain.h"
#include "highlight/TokenKind.h"

#include <gtest/gtest.h>

namespace brenvik::test {
namespace {

TEST(EditorModelTest, BoxSelectionLengthAndTextStopAtTheLastRow)
{
    TTestModel t;
    t.SetText("ab\r\ncd\r\n");
    t.Model.SetBoxSelection(true);
    // The caret may stand on the place after the last row; its column clamps to 0 there.
    t.Select({0, 0}, {2, 1});
    ASSERT_TRUE(t.Model.HasSelection());
    EXPECT_EQ(t.Model.SelText(), "\r\n\r\n");
    EXPECT_EQ(t.Model.SelLength(), qint64(t.Model.SelText().size()));

    t.Owner.Rules.FreeCaret = true;
    t.Select({0, 1}, {2, 2});
    EXPECT_EQ(t.Model.SelText(), "b\r\nd\r\n");
    EXPECT_EQ(t.Model.SelLength(), 6);
}

TEST(EditorModelTest, EveryEditingEntryPointRefusesOnAReadOnlyModel)
{
    TTestModel t;
    t.SetText("abc\r\ndef\r\n");
    t.Model.SetReadOnly(true);
    const auto unchanged = [&](const char* what) {
        EXPECT_EQ(t.Text(), "abc\r\ndef\r\n") << what;
        EXPECT_FALSE(t.Model.CanUndo()) << what;
    };
    t.Model.SetRowCol(0, 1);
    t.Model.TypeText("x");
    unchanged("TypeText");
    t.Model.Backspace();
    unchanged("Backspace");
    t.Model.DeleteChar();
    unchanged("DeleteChar");
    t.Model.Enter();
    unchanged("Enter");
    t.Model.Tab();
    unchanged("Tab");
    t.Model.SetSelText("y");
    unchanged("SetSelText");
    t.Model.PasteBox("z\r\nz");
    unchanged("PasteBox");
    t.Select({0, 0}, {1, 1});
    t.Model.DeleteSelection();
    unchanged("DeleteSelection");
    t.Model.TypeText("x");
    unchanged("TypeText over a selection");
    t.Model.DropSelection({1, 3}, false);
    unchanged("DropSelection");

    t.Model.SetReadOnly(false);
    t.Model.TypeText("x");
    EXPECT_EQ(t.Text(), "xef\r\n") << "writable again, the selection is replaced";
}

TEST(EditorModelTest, TokensAndWordsFollowTheFountainAcrossAWrap)
{
    TPERLFountain fountain;
    ConfigurePERLFountain(fountain);
    TTestModel t;
    t.Owner.Fountain = &fountain;
    t.WrapAt(20);
    // The variable crosses the wrap after column 20.
    t.SetText("print 12345678901 + $variable;\r\n");
    ASSERT_EQ(t.Model.RowAttribute(0), raWrapped);
    const TEditorToken token = t.Model.TokenAt({1, 1});
    EXPECT_EQ(token.Text, "$variable");
    EXPECT_EQ(token.Start, 20);

    // Word motion stops at the start of the crossing token in the first row, and in the second
    // row goes on after it.
    t.Model.WordMove(0, 19, 1);
    EXPECT_EQ(t.Model.Row(), 1) << "no token starts after column 19 in the first row";
    t.Model.WordMove(0, 17, 1);
    EXPECT_EQ((TEditorPos {t.Model.Row(), t.Model.Col()}), (TEditorPos {0, 18}));
}

TEST(EditorModelTest, WordMoveCountsTabsAsColumnsNotSpaces)
{
    TPERLFountain fountain;
    ConfigurePERLFountain(fountain);
    TTestModel t;
    t.Owner.Fountain = &fountain;
    t.SetText("\tmy $x;\r\n");
    t.Model.WordMove(0, 0, 1);
    EXPECT_EQ(t.Model.Col(), 4) << "the first token after the tab starts at its tab stop";
    t.Model.WordMove(0, 4, 1);
    EXPECT_EQ(t.Model.Col(), 7);
}

} // namespace
} // namespace brenvik::test
