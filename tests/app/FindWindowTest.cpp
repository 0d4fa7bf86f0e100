// The window's find and replace commands on Japanese text, with the dialogs and the replace
// question answered by a fake: find next both ways, misses, zero bytes, replace one, all,
// with each answer, backward, read-only, undo in one step, the highlight switch.
#include "FakePrompts.h"
#include "SearchStoreSupport.h"
#include "TestFiles.h"

#include "app/FindCommands.h"
#include "app/FindPrompts.h"
#include "app/RowHighlighter.h"
#include "app/ExplorerPanel.h"
#include "app/frmMain.h"
#include "editor/Editor.h"
#include "text/EditorStrings.h"

#include <QAction>
#include <QFile>
#include <QImage>
#include <QTest>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <deque>

namespace brenvik {
namespace {

using F = TSearchFlags;

// Shift_JIS: 表示 (its 表 ends in the byte 0x5C), 検索, ソ (0x83 0x5C).
const std::string kHyoji = "\x95\x5C\x8E\xA6";
const std::string kKensaku = "\x8C\x9F\x8D\xF5";
const std::string kSo = "\x83\x5C";

class FindWindowTest : public ::testing::Test {
protected:
    FindWindowTest()
    {
        qputenv("BRENVIK_HOME", FHome.path().toLocal8Bit());
        window = std::make_unique<TfrmMain>(&prompts);
    }
    ~FindWindowTest() override { qunsetenv("BRENVIK_HOME"); }

    TEditor& Editor() { return window->Editor(); }
    void SetText(const std::string& text)
    {
        Editor().Lines().SetTextStr(text);
        Editor().SetSelStart(0);
    }
    std::string Text() { return Editor().Lines().GetTextStr(); }
    void Trigger(const char* name)
    {
        window->IdleUpdate();
        window->Action(QLatin1String(name))->trigger();
    }
    std::pair<qint64, qint64> Selection() { return {Editor().SelStart(), Editor().SelLength()}; }
    void Ask(const std::string& search, std::uint16_t flags, const std::string& replacement = {})
    {
        find.Request = TFindRequest {search, replacement, flags};
    }

    QTemporaryDir FHome;
    test::TTempSearchStore store;
    test::TFakePrompts prompts;
    test::TFakePrompts& find = prompts;
    std::unique_ptr<TfrmMain> window;
};

TEST_F(FindWindowTest, FindNextBothWaysRoundTheEndsAndTheMissText)
{
    SetText("x " + kHyoji + " y " + kHyoji + "\r\n" + kKensaku + "\r\n");
    // F3 without a search text opens the find dialog, with the selection as initial text.
    Editor().SetSelStart(2);
    Editor().SetSelLength(4);
    Ask(kHyoji, F::Down | F::MatchCase);
    Trigger("actFindForward");
    ASSERT_EQ(find.Initials.size(), 1u);
    EXPECT_EQ(find.Initials[0], kHyoji);
    EXPECT_EQ(Selection(), std::make_pair(qint64(9), qint64(4)));
    EXPECT_TRUE(window->Document().Find().Highlight());
    EXPECT_TRUE(window->Explorer().RowHighlighter().SearchOn());
    Trigger("actFindBackward");
    EXPECT_EQ(Selection(), std::make_pair(qint64(2), qint64(4)));
    EXPECT_EQ(window->StatusPanelText(5), QString());
    Trigger("actFindBackward");
    EXPECT_EQ(Selection(), std::make_pair(qint64(9), qint64(4)));
    EXPECT_EQ(window->StatusPanelText(5), QString::fromUtf8("先頭まで検索しました。末尾から再検索しました"));
    Trigger("actFindForward");
    EXPECT_EQ(Selection(), std::make_pair(qint64(2), qint64(4)));
    EXPECT_EQ(window->StatusPanelText(5), QString::fromUtf8("末尾まで検索しました。先頭から再検索しました"));
    Trigger("actFindForward");
    EXPECT_EQ(window->StatusPanelText(5), QString()) << "a find that does not go round clears the note";
    // A text found nowhere is a miss; a find that succeeds clears it.
    Ask(kHyoji + "z", F::Down);
    Trigger("actFind");
    EXPECT_EQ(window->StatusPanelText(5), QString::fromUtf8("検索文字列  ' 表示z 'は見つかりませんでした。"));
    Editor().SetSelStart(0);
    Ask(kHyoji, F::Down);
    Trigger("actFind");
    EXPECT_EQ(window->StatusPanelText(5), QString());
    EXPECT_EQ(find.Initials.size(), 3u);
    // The search highlight goes off and its command is disabled afterwards.
    Trigger("actFindViewOFF");
    EXPECT_FALSE(window->Document().Find().Highlight());
    EXPECT_FALSE(window->Explorer().RowHighlighter().SearchOn());
    window->IdleUpdate();
    EXPECT_FALSE(window->Action(QStringLiteral("actFindViewOFF"))->isEnabled());
}

// F3 goes down and Shift+F3 up whatever direction the dialog was given; 選択範囲内 keeps the find
// and replace-all to the selection the command started with.
TEST_F(FindWindowTest, F3KeysKeepTheirDirectionAndInSelectionKeepsToTheSelection)
{
    window->show();
    QApplication::setActiveWindow(window.get());
    ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
    Editor().setFocus();
    SetText("ab ab\r\nab ab\r\nab\r\n");
    Ask("ab", 0); // up
    Trigger("actFind");
    EXPECT_EQ(Selection(), std::make_pair(qint64(14), qint64(2))) << "up from the top goes round";
    QTest::keyClick(&Editor(), Qt::Key_F3);
    EXPECT_EQ(Selection(), std::make_pair(qint64(0), qint64(2))) << "F3 goes down";
    QTest::keyClick(&Editor(), Qt::Key_F3);
    EXPECT_EQ(Selection(), std::make_pair(qint64(3), qint64(2)));
    QTest::keyClick(&Editor(), Qt::Key_F3, Qt::ShiftModifier);
    EXPECT_EQ(Selection(), std::make_pair(qint64(0), qint64(2)));
    QTest::keyClick(&Editor(), Qt::Key_F3);
    EXPECT_EQ(Selection(), std::make_pair(qint64(3), qint64(2))) << "the up move did not stick";

    // The selection from line 1's start to line 2's start: finds go round inside it.
    Editor().SetSelStart(7);
    Editor().SetSelLength(7);
    find.Request = TFindRequest {"ab", {}, F::Down, true};
    Trigger("actFind");
    EXPECT_EQ(Selection(), std::make_pair(qint64(7), qint64(2)));
    QTest::keyClick(&Editor(), Qt::Key_F3);
    EXPECT_EQ(Selection(), std::make_pair(qint64(10), qint64(2)));
    QTest::keyClick(&Editor(), Qt::Key_F3);
    EXPECT_EQ(Selection(), std::make_pair(qint64(7), qint64(2)));
    EXPECT_EQ(window->StatusPanelText(5), QString::fromUtf8("末尾まで検索しました。先頭から再検索しました"));
    // Replace-all in the selection: only its two matches, undone in one step.
    Editor().SetSelStart(7);
    Editor().SetSelLength(7);
    find.Request = TFindRequest {"ab", "X", F::Down | F::ReplaceAll, true};
    Trigger("actReplace");
    EXPECT_EQ(Text(), "ab ab\r\nX X\r\nab\r\n");
    EXPECT_EQ(window->StatusPanelText(5), QString::fromUtf8("2 個置換しました。"));
    // Without a selection the box changes nothing: every match is replaced.
    Editor().SetSelStart(0);
    find.Request = TFindRequest {"ab", "Y", F::Down | F::ReplaceAll, true};
    Trigger("actReplace");
    EXPECT_EQ(Text(), "Y Y\r\nX X\r\nY\r\n");
    Editor().Undo();
    Editor().Undo();
    EXPECT_EQ(Text(), "ab ab\r\nab ab\r\nab\r\n");
}

// A UTF-8 script's own characters (an emoji, held at the user-defined F0 40): the dialogs get the
// document's table, and the miss text and the replacement question show the character itself.
TEST_F(FindWindowTest, AUtf8ScriptsOwnCharactersReachTheDialogsAndTheirTexts)
{
    ASSERT_TRUE(window->LoadFile(
        test::WriteTestFile(FHome.filePath(QStringLiteral("emoji.cgi")), "print \"\xF0\x9F\x98\x80\";\n")));
    const std::string emoji = "\xF0\x40";
    ASSERT_NE(Text().find(emoji), std::string::npos);
    Ask(emoji + "x", F::Down);
    Trigger("actFind");
    EXPECT_EQ(find.Chars.OwnChar(0xF040), U'\U0001F600');
    EXPECT_EQ(window->StatusPanelText(5), QString::fromUtf8("検索文字列  ' 😀x 'は見つかりませんでした。"));
    Editor().SetSelStart(0);
    Ask(emoji, F::Down | F::ReplaceConfirm | F::Replace, "y");
    find.Answers = {TAnswer::Cancel};
    Trigger("actReplace");
    ASSERT_EQ(find.Questions.size(), 1);
    EXPECT_TRUE(find.Questions[0].contains(QString::fromUtf8("😀"))) << find.Questions[0].toStdString();
}

// An expression over a UTF-8 script: its own characters, typed in the pattern, go through the
// document's table; replace-all with groups is one undo step and its count goes to panel 5.
TEST_F(FindWindowTest, AnExpressionFindsAUtf8ScriptsOwnCharactersAndReplacesWithGroups)
{
    ASSERT_TRUE(window->LoadFile(test::WriteTestFile(
        FHome.filePath(QStringLiteral("emoji.cgi")), "print \"\xF0\x9F\x98\x80\xF0\x9F\x98\x80x\";\nprint \"\xF0\x9F\x98\x80\";\n")));
    const std::string emoji = "\xF0\x40";
    const std::string text = Text();
    Ask("(" + emoji + "+)(x?)\"", F::Down | F::RegExp);
    Trigger("actFind");
    EXPECT_EQ(Selection(), std::make_pair(qint64(7), qint64(6)));
    Editor().SetSelStart(0);
    Ask("(" + emoji + "+)(x?)\"", F::Down | F::RegExp | F::ReplaceAll, "$2[$1]\"");
    Trigger("actReplace");
    EXPECT_EQ(Text(), "print \"x[" + emoji + emoji + "]\";\r\nprint \"[" + emoji + "]\";\r\n");
    EXPECT_EQ(window->StatusPanelText(5), QString::fromUtf8("2 個置換しました。"));
    Editor().Undo();
    EXPECT_EQ(Text(), text);
    // A search that runs away says so in panel 5.
    SetText(std::string(30'000, 'a') + "!");
    Ask("(a+)+$", F::Down | F::RegExp);
    Trigger("actFind");
    EXPECT_EQ(window->StatusPanelText(5), QString::fromUtf8("検索を中断しました: 式が複雑すぎます"));
}

TEST_F(FindWindowTest, ReplaceOneAllAndTheSelectionItself)
{
    SetText("foo " + kSo + " foo\r\nfoo\r\n");
    // Without all and confirmation: exactly one, the selected foo first.
    Editor().SetSelStart(0);
    Editor().SetSelLength(3);
    Ask("foo", F::Down | F::Replace, kSo + kSo);
    Trigger("actReplace");
    EXPECT_EQ(Text(), kSo + kSo + " " + kSo + " foo\r\nfoo\r\n");
    EXPECT_EQ(window->StatusPanelText(5), QString::fromUtf8("1 個置換しました。"));
    // All the rest, as one undo step; the caret stands after the last one.
    Ask("foo", F::Down | F::ReplaceAll, kSo + kSo);
    Trigger("actReplace");
    EXPECT_EQ(Text(), kSo + kSo + " " + kSo + " " + kSo + kSo + "\r\n" + kSo + kSo + "\r\n");
    EXPECT_EQ(window->StatusPanelText(5), QString::fromUtf8("2 個置換しました。"));
    EXPECT_FALSE(Editor().HasSelection());
    EXPECT_EQ(Editor().SelStart(), qint64(Text().size() - 2));
    Editor().Undo();
    EXPECT_EQ(Text(), kSo + kSo + " " + kSo + " foo\r\nfoo\r\n");
    // Nothing left: the miss text.
    Editor().Redo();
    Trigger("actReplace");
    EXPECT_TRUE(window->StatusPanelText(5).endsWith(QString::fromUtf8("は見つかりませんでした。")));
}

TEST_F(FindWindowTest, ConfirmationWithEachAnswer)
{
    SetText("a a a a a a\r\n");
    // Yes, No, Yes, then All replaces the fourth and the rest without asking again.
    find.Answers = {TAnswer::Yes, TAnswer::No, TAnswer::Yes, TAnswer::All};
    Ask("a", F::Down | F::ReplaceAll | F::ReplaceConfirm, "b");
    Trigger("actReplace");
    EXPECT_EQ(Text(), "b a b b b b\r\n");
    EXPECT_EQ(find.Questions.size(), 4);
    EXPECT_EQ(find.Questions[0], QString::fromUtf8(" a   を\r\n b   に 置き換えますか？"));
    EXPECT_EQ(window->StatusPanelText(5), QString::fromUtf8("5 個置換しました。"));
    // The three answered All went in as one step; each Yes is a step of its own.
    Editor().Undo();
    EXPECT_EQ(Text(), "b a b a a a\r\n");
    Editor().Undo();
    EXPECT_EQ(Text(), "b a a a a a\r\n");
    // Cancel stops at once with the match selected.
    Editor().Redo();
    Editor().SetSelStart(0);
    find.Answers = {TAnswer::Cancel};
    Ask("a", F::Down | F::ReplaceConfirm | F::Replace, "c");
    Trigger("actReplace");
    EXPECT_EQ(Text(), "b a b a a a\r\n");
    EXPECT_EQ(Selection(), std::make_pair(qint64(2), qint64(1)));
}

TEST_F(FindWindowTest, RefusalsChangeNothing)
{
    SetText("foo foo\r\n");
    Editor().SetReadOnly(true);
    Ask("foo", F::Down | F::ReplaceAll, "bar");
    Trigger("actReplace");
    EXPECT_EQ(Text(), "foo foo\r\n");
    EXPECT_EQ(window->StatusPanelText(5), QString::fromUtf8("読み取り専用のため置換できません。"));
    Editor().SetReadOnly(false);
    Ask("foo", F::Down | F::ReplaceAll, "");
    Trigger("actReplace");
    EXPECT_EQ(Text(), "foo foo\r\n");
    EXPECT_EQ(window->StatusPanelText(5), QString::fromUtf8("置換後の文字列が空です。"));
}

TEST(ConfirmBoxPlace, AboveTheCaretElseBelowAndInsideTheScreen)
{
    const QRect screen(0, 0, 1000, 800);
    EXPECT_EQ(ConfirmBoxPlace(QRect(100, 400, 2, 16), 16, QSize(300, 120), screen), QPoint(102, 264));
    EXPECT_EQ(ConfirmBoxPlace(QRect(100, 50, 2, 16), 16, QSize(300, 120), screen), QPoint(102, 66));
    EXPECT_EQ(ConfirmBoxPlace(QRect(900, 400, 2, 16), 16, QSize(300, 120), screen), QPoint(696, 264));
}

TEST_F(FindWindowTest, TheSearchHighlightLightsWhatFindMatchesOnItsOwnColumns)
{
    window->resize(800, 600);
    window->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(window.get()));
    // ア is 83 41: its trail byte is "A", which Find never matches.
    SetText("\x83\x41 A $A;\r\n");
    // A column is lit when most of its cell in the first row shows the search colour (lime).
    const auto limeColumns = [this] {
        const QImage image = Editor().viewport()->grab().toImage();
        const TEditorGeometry geometry = Editor().Geometry();
        std::vector<bool> lime;
        for (int col = 0; col < 9; ++col) {
            int count = 0;
            for (int x = 0; x < Editor().ColWidth(); ++x)
                for (int y = 0; y < Editor().RowHeight(); ++y) {
                    const QColor pixel = image.pixelColor(
                        geometry.LeftOffset + col * Editor().ColWidth() + x, geometry.TopOffset + y);
                    count += pixel.green() > 200 && pixel.red() < 80 && pixel.blue() < 80;
                }
            lime.push_back(count * 2 > Editor().ColWidth() * Editor().RowHeight());
        }
        return lime;
    };
    Ask("A", F::Down | F::MatchCase);
    Trigger("actFind");
    // Away from the match, so that neither the selection nor the caret covers it.
    Editor().SetSelStart(9);
    EXPECT_EQ(limeColumns(), (std::vector<bool> {false, false, false, true, false, false, true, false, false}));
    Trigger("actFindViewOFF");
    EXPECT_EQ(limeColumns(), std::vector<bool>(9, false));
}

} // namespace
} // namespace brenvik
