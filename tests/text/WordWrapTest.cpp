// Display rows: the wrap width, the column model and the Japanese line-break rules.
#include "FakeEditor.h"
#include "RowsHelpers.h"
#include "text/EditorAttributeArray.h"
#include "text/EditorStrings.h"

#include <gtest/gtest.h>
#include <random>

namespace brenvik::test {
namespace {

using Rows = std::vector<RowShape>;

class WordWrapTest : public ::testing::Test {
protected:
    FakeEditor Editor;
    TEditorScreenStrings& Store = *Editor.Rows;
    TEditorWrapOption& Option = Store.WrapOption();
    TEditorStrings Lines {Editor, Editor.Rows};

    void SetUp() override
    {
        Store.SetWordWrap(true);
        Option.SetWrapByte(20);
    }
    Rows Split(const std::string& text)
    {
        TEditorStringList rows;
        Store.SplitText(text, rows);
        return RowsOf(rows);
    }
    static std::string Repeat(char c, int n) { return std::string(n, c); }
};

TEST_F(WordWrapTest, WrapByteIsClampedAndChangesNotifyOnce)
{
    int changes = 0;
    TEditorWrapOption option;
    option.OnChange = [&](QObject*) { ++changes; };
    option.SetWrapByte(5);
    EXPECT_EQ(option.WrapByte(), 20);
    option.SetWrapByte(300);
    EXPECT_EQ(option.WrapByte(), 250);
    option.SetWrapByte(250);
    EXPECT_EQ(changes, 2);
    TEditorWrapOption source;
    source.SetWordBreak(true);
    source.SetLeadStr("(");
    option.Assign(source);
    EXPECT_EQ(changes, 3);
    EXPECT_EQ(option.WrapByte(), 80);
    EXPECT_TRUE(option.WordBreak());
    EXPECT_EQ(option.LeadStr(), "(");
}

TEST_F(WordWrapTest, ALineThatExactlyFillsTheWidth)
{
    std::string line = Repeat('a', 20);
    EXPECT_EQ(Split(line), (Rows {{line, raWrapped}, {"", raBreak}}));
    EXPECT_EQ(Store.CountRows(line), 2);
    Option.SetFollowRetMark(true);
    EXPECT_EQ(Split(line), (Rows {{line, raBreak}}));
    EXPECT_EQ(Store.CountRows(line), 1);
    EXPECT_EQ(Split(Repeat('a', 19)), (Rows {{Repeat('a', 19), raBreak}}));
}

TEST_F(WordWrapTest, DoubleByteCharacterAcrossTheWrapColumnMovesWhole)
{
    // aaa...a (19) あ b
    EXPECT_EQ(Split(Repeat('a', 19) + "\x82\xA0" + "b"),
        (Rows {{Repeat('a', 19), raWrapped},
            {"\x82\xA0"
             "b",
                raBreak}}));
}

TEST_F(WordWrapTest, WordBreakEndsRowsAfterABreakCharacterOrAtAThird)
{
    Option.SetWordBreak(true);
    EXPECT_EQ(Split("hello wonderful world"), (Rows {{"hello wonderful ", raWrapped}, {"world", raBreak}}));
    // No break character above a third of the width: cut at column 20 div 3.
    std::string letters = "ab " + Repeat('c', 30);
    EXPECT_EQ(Split(letters)[0], (RowShape {"ab " + Repeat('c', 3), raWrapped}));
    // The end of a double-byte character is a break point: 日本語 runs wrap between characters.
    std::string kanji;
    for (int i = 0; i < 12; ++i)
        kanji += "\x93\xFA";
    EXPECT_EQ(Split(kanji)[0].Text.size(), 20u);
}

TEST_F(WordWrapTest, FollowPunctuationHangsBeyondTheWidth)
{
    Option.SetFollowPunctuation(true);
    // 20 letters then 、 then b: the comma stays on the full row, 22 columns wide.
    EXPECT_EQ(Split(Repeat('a', 20)
                  + "\x81\x41"
                    "b"),
        (Rows {{Repeat('a', 20) + "\x81\x41", raWrapped}, {"b", raBreak}}));
    Option.SetFollowPunctuation(false);
    EXPECT_EQ(Split(Repeat('a', 20)
                  + "\x81\x41"
                    "b")[0]
                  .Text,
        Repeat('a', 20));
}

TEST_F(WordWrapTest, LeadingKeepsOpeningAndClosingBracketsWithTheirText)
{
    Option.SetLeading(true);
    // 「 at the wrap column moves to the next row.
    EXPECT_EQ(Split(Repeat('a', 18)
                  + "\x81\x75"
                    "bcd"),
        (Rows {{Repeat('a', 18), raWrapped},
            {"\x81\x75"
             "bcd",
                raBreak}}));
    // 」 right after the wrap column pulls the character before it down too.
    EXPECT_EQ(Split(Repeat('a', 20)
                  + "\x81\x76"
                    "xy"),
        (Rows {{Repeat('a', 19), raWrapped},
            {"a\x81\x76"
             "xy",
                raBreak}}));
    // The pull stops once it reaches four fifths of the width.
    std::string closers = "abcdefghijklmnop";
    for (int i = 0; i < 6; ++i)
        closers += "\x81\x76";
    EXPECT_EQ(Split(closers)[0].Text, "abcdefghijklmnop");
}

TEST_F(WordWrapTest, TabNearTheWrapColumnFillsOnlyToIt)
{
    Editor.Tabs = 8;
    EXPECT_EQ(Split(Repeat('a', 17) + "\tbc"), (Rows {{Repeat('a', 17) + "\t", raWrapped}, {"bc", raBreak}}));
    // Three tabs reach column 20 exactly: the third fills 3 columns, not 7.
    EXPECT_EQ(Split("\t\t\tabc"), (Rows {{"\t\t\t", raWrapped}, {"abc", raBreak}}));
    Editor.Tabs = 4;
    EXPECT_EQ(Split("\t\t\tabc"), (Rows {{"\t\t\tabc", raBreak}}));
}

TEST_F(WordWrapTest, SwitchingWordWrapOffAndOnGivesTheSameRowsAndKeepsUndo)
{
    Lines.SetTextStr("short\r\n" + Repeat('x', 45) + "\r\nend");
    Rows wrapped = RowsOf(Store);
    EXPECT_EQ(wrapped.size(), 5u);
    // An edit on the wrapped line's third row: its undo record outlives both rewraps.
    Store.ReplaceRows(3, 1, Repeat('x', 5) + "yy\r\n");
    Store.ReplaceRows(0, 0, "z");
    Store.SetWordWrap(false);
    EXPECT_EQ(Store.Count(), 3);
    EXPECT_EQ(Store.CheckRows(), "");
    Store.Undo();
    EXPECT_EQ(Store.Text(), "short\r\n" + Repeat('x', 40) + Repeat('x', 5) + "yy\r\nend");
    Store.SetWordWrap(true);
    Store.Undo();
    EXPECT_EQ(RowsOf(Store), wrapped);
    Store.Redo();
    Store.SetWordWrap(false);
    Store.Redo();
    EXPECT_EQ(Store.Text(), "zshort\r\n" + Repeat('x', 45) + "yy\r\nend");
}

TEST_F(WordWrapTest, ChangingTheWrapOptionRewrapsOnlyWhileWrapIsOn)
{
    Lines.SetTextStr(Repeat('x', 45));
    EXPECT_EQ(Store.Count(), 3);
    Option.SetWrapByte(50);
    EXPECT_EQ(RowsOf(Store), (Rows {{Repeat('x', 45), raEndOfText}}));
    Store.SetWordWrap(false);
    Option.SetWrapByte(20);
    EXPECT_EQ(Store.Count(), 1);
}

TEST_F(WordWrapTest, EveryNewWidthOrRuleGivesTheRowsOfAFreshWrap)
{
    // Short lines, tabs, kana, kanji, punctuation and long lines, so that some changes of the
    // width cut nothing differently (the rows are kept) and others do (they are rebuilt).
    const std::vector<std::string> pieces {"my $x = 1;", "\t", "\x82\xa0\x82\xa2", "\x81\x42", "(", ")",
        "print \"", "\xb1\xb2", " ", "word", "\x93\xfa\x96\x7b"};
    std::mt19937 random(7);
    std::string text;
    for (int line = 0; line < 60; ++line) {
        const int count = int(random() % 24);
        for (int i = 0; i < count; ++i)
            text += pieces[random() % pieces.size()];
        text += "\r\n";
    }
    Lines.SetTextStr(text);
    for (int step = 0; step < 80; ++step) {
        switch (random() % 4) {
        case 0: Option.SetFollowPunctuation(!Option.FollowPunctuation()); break;
        case 1: Option.SetLeading(!Option.Leading()); break;
        default: Option.SetWrapByte(20 + int(random() % 60)); break;
        }
        ASSERT_EQ(RowsOf(Store), Split(text)) << "step " << step << ", width " << Option.WrapByte();
        ASSERT_EQ(Store.CheckRows(), "");
    }
}

TEST_F(WordWrapTest, LinesCountsLogicalLinesOverWrappedRows)
{
    std::string longLine = Repeat('a', 20) + Repeat('b', 20) + "cc";
    Lines.SetTextStr("first\r\n" + longLine + "\r\nlast");
    EXPECT_EQ(Store.Count(), 5);
    EXPECT_EQ(Lines.GetCount(), 3);
    EXPECT_EQ(Lines.Get(1), longLine);
    EXPECT_EQ(Lines.Get(2), "last");
    Lines.Put(1, "mid");
    EXPECT_EQ(RowsOf(Store), (Rows {{"first", raBreak}, {"mid", raBreak}, {"last", raEndOfText}}));
    EXPECT_EQ(Editor.Caret[0], 2) << "after the replaced line and its break";
}

// Regression: stepping back from a tab's first filler onto the tab lost a byte.
TEST(EditorAttributeArray, SteppingBackOverTabFillersKeepsTheByteIndex)
{
    // "\tb": the tab takes column 1 and fillers 2-3, b column 4.
    TEditorAttributeArray cursor("\tb", "2331");
    cursor.MoveTo(4);
    EXPECT_EQ(cursor.ByteIndex(), 2);
    EXPECT_EQ(cursor.Current(), "b");
    cursor.Prev();
    EXPECT_EQ(cursor.ByteIndex(), 1);
    cursor.Prev();
    cursor.Prev();
    EXPECT_EQ(cursor.Position(), 1);
    EXPECT_EQ(cursor.ByteIndex(), 1);
    EXPECT_EQ(cursor.Current(), "\t");
}

TEST(EditorAttributeArray, DoubleByteCharactersReadWholeFromEitherHalf)
{
    // aア (ア = 83 41: its trail byte is the letter A)
    TEditorAttributeArray cursor("a\x83\x41", "145");
    EXPECT_EQ(cursor.NextChar(), "\x83\x41");
    cursor.MoveTo(3);
    EXPECT_EQ(cursor.Current(), "\x83\x41");
    cursor.PrevChar();
    EXPECT_EQ(cursor.Position(), 1);
    cursor.MoveTo(9);
    EXPECT_EQ(cursor.Code(), '0');
    EXPECT_EQ(cursor.Current(), "");
}

} // namespace
} // namespace brenvik::test
