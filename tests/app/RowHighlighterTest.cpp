// The search and keyword hits painted over the editor's rows.
#include "app/RowHighlighter.h"
#include "FakePrompts.h"
#include "app/ExplorerPanel.h"
#include "app/frmMain.h"
#include "editor/Editor.h"
#include "text/EditorStrings.h"

#include <QAction>
#include <QImage>
#include <QListView>
#include <QMenu>
#include <QTemporaryDir>
#include <QTest>
#include <gtest/gtest.h>

namespace brenvik {
namespace {

using TSpans = std::vector<THighlightSpan>;

TEST(RowHighlighterTest, KeywordHitsStartOnCharactersAndDoNotOverlap)
{
    // ア is 83 41: its trail byte is "A".
    EXPECT_EQ(KeywordSpans("\x83\x41 A", "A"), (TSpans {{3, 1}}));
    EXPECT_EQ(KeywordSpans("aaaa a", "aa"), (TSpans {{0, 2}, {2, 2}}));
    EXPECT_EQ(KeywordSpans("$count @count account", "count"), (TSpans {{1, 5}, {8, 5}, {16, 5}}));
    EXPECT_EQ(KeywordSpans("abc", ""), TSpans {});
    // A keyword that is itself double-byte: whole characters only.
    EXPECT_EQ(KeywordSpans("\x82\xa0\x82\xa0", "\xa0\x82"), TSpans {});
}

TEST(RowHighlighterTest, SearchHitsFollowTheFindOptions)
{
    EXPECT_EQ(SearchSpans("Key key KEY", "key", TSearchFlags::MatchCase), (TSpans {{4, 3}}));
    EXPECT_EQ(SearchSpans("Key key KEY", "key", 0), (TSpans {{0, 3}, {4, 3}, {8, 3}}));
    EXPECT_EQ(SearchSpans("\x83\x41 A", "A", TSearchFlags::MatchCase), (TSpans {{3, 1}}));
}

TEST(RowHighlighterTest, ExpressionHitsStartOnCharactersAndSkipEmptyMatches)
{
    // ア is 83 41: its trail byte is "A"; ソ is 83 5C: its trail byte is a backslash.
    const TRegexPattern dollar("\\$\\w+|A", {});
    EXPECT_EQ(ExpressionSpans("\x83\x41 A $A;", dollar), (TSpans {{3, 1}, {5, 2}}));
    EXPECT_EQ(ExpressionSpans("\x83\x5C\\", TRegexPattern("\\\\", {})), (TSpans {{2, 1}}));
    EXPECT_EQ(ExpressionSpans("abc", TRegexPattern("x*", {})), TSpans {});
    // Set with the option, the highlighter compiles the expression and reports a change once.
    TRowHighlighter highlighter;
    EXPECT_TRUE(highlighter.SetSearch("a+", TSearchFlags::RegExp, true));
    EXPECT_FALSE(highlighter.SetSearch("a+", TSearchFlags::RegExp, true));
    EXPECT_TRUE(highlighter.SetSearch("a+", 0, true));
}

TEST(RowHighlighterTest, OnlyAChangeOfWhatIsShownAsksForARepaint)
{
    TRowHighlighter highlighter;
    EXPECT_TRUE(highlighter.SetKeyword("x", true));
    EXPECT_FALSE(highlighter.SetKeyword("x", true));
    EXPECT_TRUE(highlighter.SetKeyword("y", true));
    EXPECT_TRUE(highlighter.SetKeyword("y", false));
    EXPECT_FALSE(highlighter.SetKeyword("z", false));
    EXPECT_TRUE(highlighter.SetSearch("s", TSearchFlags::MatchCase, true));
    EXPECT_TRUE(highlighter.SetSearch("s", 0, true));
}

// Pixels of the keyword's background colour (yellow) in each column of the first text row.
std::vector<bool> YellowColumns(TEditor& editor, int columns)
{
    const QImage image = editor.viewport()->grab().toImage();
    const int x0 = editor.Geometry().LeftOffset;
    // Near the top of the row, above the glyphs.
    const int y = editor.Geometry().TopOffset + 1;
    std::vector<bool> yellow;
    for (int col = 0; col < columns; ++col) {
        const QColor pixel = image.pixelColor(x0 + col * editor.ColWidth() + 1, y);
        yellow.push_back(pixel.red() > 200 && pixel.green() > 200 && pixel.blue() < 80);
    }
    return yellow;
}

TEST(RowHighlighterTest, TheWindowPaintsTheKeywordOnItsOwnColumnsOnly)
{
    QTemporaryDir home;
    qputenv("BRENVIK_HOME", home.path().toLocal8Bit());
    test::TFakePrompts prompts;
    TfrmMain window(&prompts);
    window.resize(800, 600);
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    TEditor& editor = window.Editor();
    editor.Lines().SetTextStr("\x83\x41 A $A;\r\n");
    window.Explorer().MakeList();
    auto* list = window.findChild<QListView*>(QStringLiteral("lbxVariable"));
    list->setCurrentIndex(list->model()->index(0, 0));
    window.findChild<QAction*>(QStringLiteral("mnuVariableB"))->trigger();
    ASSERT_TRUE(window.Explorer().RowHighlighter().KeywordOn());
    // "A" lights at columns 3 and 6, never on the trail byte of ア (column 1).
    EXPECT_EQ(YellowColumns(editor, 9),
        (std::vector<bool> {false, false, false, true, false, false, true, false, false}));
    window.Action(QStringLiteral("actKeyWordViewOFF"))->trigger();
    EXPECT_EQ(YellowColumns(editor, 9), std::vector<bool>(9, false));
    qunsetenv("BRENVIK_HOME");
}

} // namespace
} // namespace brenvik
