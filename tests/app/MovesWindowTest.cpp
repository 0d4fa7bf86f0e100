// The main window's moves and readouts driven by real keys: the bracket commands, the box mode's
// shortcut and the character under the caret in the status bar.
#include "ActiveWindowTest.h"
#include "FakePrompts.h"
#include "TestFiles.h"
#include "app/GoToLineDialog.h"
#include "app/frmMain.h"
#include "editor/CharacterReadout.h"
#include "editor/Editor.h"
#include "text/EditorStrings.h"

#include <QAction>
#include <QApplication>
#include <QMenu>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QWheelEvent>
#include <gtest/gtest.h>

#include <functional>

namespace brenvik {
namespace {

class MovesWindowTest : public test::TActiveWindowTest {
protected:
    TEditorPos Caret() const { return {Editor().Row(), Editor().Col()}; }
};

TEST_F(MovesWindowTest, BracketCommandsGoToThePartnerAndSelectToIt)
{
    Editor().TypeText("if ($a{1}) {\r\n    f(\"}\");\r\n}\r\n");
    Editor().SetRowCol(0, 11);
    Key(Qt::Key_BracketRight, Qt::ControlModifier);
    EXPECT_EQ(Caret(), (TEditorPos {2, 0})) << "before the brace, before its partner";
    Key(Qt::Key_BracketRight, Qt::ControlModifier);
    EXPECT_EQ(Caret(), (TEditorPos {0, 11}));
    Key(Qt::Key_Right);
    Key(Qt::Key_BracketRight, Qt::ControlModifier);
    EXPECT_EQ(Caret(), (TEditorPos {2, 1})) << "after the brace, after its partner";
    Key(Qt::Key_Up);
    Key(Qt::Key_Up);
    Key(Qt::Key_Home);
    Key(Qt::Key_Right);
    Key(Qt::Key_Right);
    Key(Qt::Key_Right);
    Key(Qt::Key_BracketRight, Qt::ControlModifier | Qt::ShiftModifier);
    EXPECT_EQ(Editor().SelText(), "($a{1})");
    // No bracket by the caret: nothing moves.
    Editor().SetRowCol(1, 1);
    Key(Qt::Key_BracketRight, Qt::ControlModifier);
    EXPECT_EQ(Caret(), (TEditorPos {1, 1}));
    // The commands stand in the find menu with their shortcuts.
    QMenu* find = nullptr;
    for (QAction* item : window->menuBar()->actions())
        if (item->menu() && item->menu()->title() == QStringLiteral("検索(&S)"))
            find = item->menu();
    ASSERT_NE(find, nullptr);
    EXPECT_TRUE(find->actions().contains(window->Action(QStringLiteral("actGoToBracket"))));
    EXPECT_EQ(window->Action(QStringLiteral("actSelectToBracket"))->shortcut(), QKeySequence(QStringLiteral("Ctrl+Shift+]")));
}

TEST_F(MovesWindowTest, AltShiftBTogglesTheBoxMode)
{
    Key(Qt::Key_B, Qt::AltModifier | Qt::ShiftModifier);
    EXPECT_TRUE(Editor().BoxSelection());
    window->IdleUpdate();
    EXPECT_EQ(window->StatusPanelText(3), QStringLiteral("矩形"));
    Key(Qt::Key_B, Qt::AltModifier | Qt::ShiftModifier);
    EXPECT_FALSE(Editor().BoxSelection());
    EXPECT_EQ(Editor().Lines().GetTextStr(), "") << "the chord typed nothing";
}

TEST_F(MovesWindowTest, StatusBarReadsOutTheCharacterUnderTheCaret)
{
    // 漢 a ｶ and a tab, then the row's end.
    Editor().TypeText("\x8a\xbf" "a\xb6\t");
    Key(Qt::Key_Home);
    const char* const expected[] = {"8A BF U+6F22", "61 U+0061", "B6 U+FF76", "09 U+0009", ""};
    for (const char* text : expected) {
        window->IdleUpdate();
        EXPECT_EQ(window->StatusPanelText(6), QString::fromUtf8(text));
        Key(Qt::Key_Right);
    }
    // A UTF-8 document shows the file's own bytes, also for a character held under a code of
    // its own; a byte without a character shows alone.
    const QString path = test::WriteTestFile(FHome.filePath("u.cgi"), "\xF0\x9F\x98\x80\xE6\xBC\xA2\n");
    ASSERT_TRUE(window->LoadFile(path, jcUtf8, rcLf, true));
    Editor().setFocus();
    Key(Qt::Key_Home);
    window->IdleUpdate();
    EXPECT_EQ(window->StatusPanelText(6), QStringLiteral("F0 9F 98 80 U+1F600"));
    Key(Qt::Key_Right);
    window->IdleUpdate();
    EXPECT_EQ(window->StatusPanelText(6), QStringLiteral("E6 BC A2 U+6F22"));
    EXPECT_EQ(CharacterReadout("\x80", 0, TDocumentChars(), false), QStringLiteral("80"));
}

// A wheel notch scrolls the desktop's lines per notch; the option gives one row.
TEST_F(MovesWindowTest, WheelScrollsTheDesktopsLinesOrOneRow)
{
    std::string text;
    for (int i = 0; i < 200; ++i)
        text += "print 1;\r\n";
    Editor().TypeText(text);
    Editor().SetTopRow(50);
    const auto notch = [this](int delta) {
        const QPointF at(20, 20);
        QWheelEvent event(at, Editor().viewport()->mapToGlobal(at), QPoint(), QPoint(0, delta), Qt::NoButton,
            Qt::NoModifier, Qt::NoScrollPhase, false);
        QApplication::sendEvent(Editor().viewport(), &event);
    };
    notch(-120);
    EXPECT_EQ(Editor().TopRow(), 50 + QApplication::wheelScrollLines());
    notch(120);
    EXPECT_EQ(Editor().TopRow(), 50);
    TMainOptions options = window->Options();
    options.WheelOneRow = true;
    window->SetOptions(options);
    notch(-120);
    EXPECT_EQ(Editor().TopRow(), 51);
}

// Ctrl+J asks for a line or line:column and goes there; what is no place is refused in the
// dialog; a line past the end goes to the last.
TEST_F(MovesWindowTest, GoToLineTakesALineOrLineAndColumn)
{
    Editor().TypeText("one\r\ntwo\r\nthree four\r\nlast");
    const auto goTo = [this](std::function<void(TGoToLineDialog&)> answer) {
        QTimer::singleShot(0, [answer] {
            auto* dialog = qobject_cast<TGoToLineDialog*>(QApplication::activeModalWidget());
            ASSERT_NE(dialog, nullptr);
            answer(*dialog);
        });
        // The window is active again after the last dialog, as it is for a user.
        QApplication::setActiveWindow(window.get());
        Editor().setFocus();
        Key(Qt::Key_J, Qt::ControlModifier);
    };
    goTo([](TGoToLineDialog& d) {
        QTest::keyClicks(d.edtLine, "3:7");
        QTest::keyClick(d.edtLine, Qt::Key_Return);
    });
    EXPECT_EQ(Caret(), (TEditorPos {2, 6}));
    goTo([](TGoToLineDialog& d) {
        QTest::keyClicks(d.edtLine, "x2");
        QTest::keyClick(d.edtLine, Qt::Key_Return);
        EXPECT_TRUE(d.isVisible());
        EXPECT_FALSE(d.lblMessage->isHidden());
        d.edtLine->setText(QStringLiteral("９９"));
        QTest::keyClick(d.edtLine, Qt::Key_Return);
    });
    EXPECT_EQ(Caret(), (TEditorPos {3, 0}));
    goTo([](TGoToLineDialog& d) { QTest::keyClick(d.edtLine, Qt::Key_Escape); });
    EXPECT_EQ(Caret(), (TEditorPos {3, 0}));
    EXPECT_EQ(ParseLineTarget(QStringLiteral(" １２：３ ")), (TLineTarget {12, 3}));
    EXPECT_EQ(ParseLineTarget(QStringLiteral("0")), std::nullopt);
    EXPECT_EQ(ParseLineTarget(QStringLiteral("1:2:3")), std::nullopt);
}

// A move further than the window's rows that no edit made is a jump: Alt+Left goes back to
// where it started, Alt+Right forward again; a new jump drops what lay ahead.
TEST_F(MovesWindowTest, BackAndForwardGoThroughTheCaretsJumps)
{
    std::string text;
    for (int i = 0; i < 300; ++i)
        text += "print " + std::to_string(i) + ";\r\n";
    Editor().TypeText(text);
    Key(Qt::Key_Home, Qt::ControlModifier);
    Key(Qt::Key_Down);
    Key(Qt::Key_Right);
    const TEditorPos start = Caret();
    Key(Qt::Key_End, Qt::ControlModifier);
    const TEditorPos end = Caret();
    Key(Qt::Key_Up); // a step, not a jump
    Key(Qt::Key_Left, Qt::AltModifier);
    EXPECT_EQ(Caret(), start);
    window->IdleUpdate();
    EXPECT_TRUE(window->Action(QStringLiteral("actGoForward"))->isEnabled());
    Key(Qt::Key_Right, Qt::AltModifier);
    EXPECT_EQ(Caret(), (TEditorPos {end.Row - 1, end.Col})) << "where the caret was left there";
    Key(Qt::Key_Left, Qt::AltModifier);
    Editor().SetRowCol(150, 2); // a jump by a command
    Key(Qt::Key_Right, Qt::AltModifier);
    EXPECT_EQ(Caret(), (TEditorPos {150, 2})) << "nothing lay ahead any more";
    Key(Qt::Key_Left, Qt::AltModifier);
    EXPECT_EQ(Caret(), start);
    Key(Qt::Key_Left, Qt::AltModifier);
    EXPECT_EQ(Caret(), (TEditorPos {300, 0})) << "where Ctrl+Home left from";
    window->IdleUpdate();
    EXPECT_FALSE(window->Action(QStringLiteral("actGoBack"))->isEnabled());
    EXPECT_EQ(Editor().Lines().GetCount(), 300) << "the chords typed nothing";
}

// Ctrl+F2 marks the caret's line, F2 and Shift+F2 go round the marks, Ctrl+Shift+F2 clears them;
// the marks stay on their lines as lines are typed above them.
TEST_F(MovesWindowTest, BookmarksToggleGoRoundAndFollowTheirLines)
{
    Editor().TypeText("a\r\nb\r\nc\r\nd\r\ne\r\n");
    const TMarkedLines& marks = Editor().Model().Marks();
    window->IdleUpdate();
    EXPECT_FALSE(window->Action(QStringLiteral("actBookmarkNext"))->isEnabled());
    Editor().SetRowCol(1, 1);
    Key(Qt::Key_F2, Qt::ControlModifier);
    Editor().SetRowCol(3, 0);
    Key(Qt::Key_F2, Qt::ControlModifier);
    EXPECT_EQ(marks.Lines(TMarkKind::Bookmark), (std::vector<int> {1, 3}));
    window->IdleUpdate();
    EXPECT_TRUE(window->Action(QStringLiteral("actBookmarkNext"))->isEnabled());
    Key(Qt::Key_F2);
    EXPECT_EQ(Caret(), (TEditorPos {1, 0})) << "round past the end";
    Key(Qt::Key_F2);
    EXPECT_EQ(Caret(), (TEditorPos {3, 0}));
    Key(Qt::Key_F2, Qt::ShiftModifier);
    EXPECT_EQ(Caret(), (TEditorPos {1, 0}));
    // Enter at the start of the marked line puts a line above it; the mark moves with its text.
    Key(Qt::Key_Return);
    EXPECT_EQ(marks.Lines(TMarkKind::Bookmark), (std::vector<int> {2, 4}));
    Key(Qt::Key_F2, Qt::ShiftModifier);
    EXPECT_EQ(Caret(), (TEditorPos {4, 0})) << "round past the start";
    EXPECT_EQ(Editor().Lines().Get(4), "d");
    Key(Qt::Key_F2, Qt::ControlModifier);
    EXPECT_EQ(marks.Lines(TMarkKind::Bookmark), (std::vector<int> {2}));
    Key(Qt::Key_F2, Qt::ControlModifier | Qt::ShiftModifier);
    EXPECT_TRUE(marks.Lines(TMarkKind::Bookmark).empty());
    EXPECT_EQ(Editor().Lines().GetCount(), 6) << "the keys typed nothing";
    // The commands stand in the find menu with their shortcuts and hints.
    QMenu* find = nullptr;
    for (QAction* item : window->menuBar()->actions())
        if (item->menu() && item->menu()->title() == QStringLiteral("検索(&S)"))
            find = item->menu();
    ASSERT_NE(find, nullptr);
    for (const char* name : {"actBookmark", "actBookmarkNext", "actBookmarkPrevious", "actBookmarkClear"}) {
        QAction* action = window->Action(QString::fromLatin1(name));
        EXPECT_TRUE(find->actions().contains(action)) << name;
        EXPECT_FALSE(action->shortcut().isEmpty()) << name;
        EXPECT_FALSE(action->statusTip().isEmpty()) << name;
    }
}

// A new wrap width (the window made narrower, the rows following it) or wrap switched off keeps
// what Ctrl+Z undoes and where the caret stands in the text.
TEST_F(MovesWindowTest, AWrapChangeKeepsUndoAndTheCaretsPlace)
{
    window->resize(900, 600);
    Editor().SetWordWrap(true);
    window->IdleUpdate();
    QTest::keyClicks(&Editor(), "first line");
    Key(Qt::Key_Return);
    for (int word = 0; word < 30; ++word)
        QTest::keyClicks(&Editor(), "word" + QString::number(word) + " ");
    const int wideRows = Editor().RowCount();
    ASSERT_GE(wideRows, 3) << "the second line wraps";
    Key(Qt::Key_Home, Qt::ControlModifier);
    Key(Qt::Key_Down);
    Key(Qt::Key_Down);
    for (int i = 0; i < 3; ++i)
        Key(Qt::Key_Right);
    const qint64 place = Editor().SelStart();
    ASSERT_GT(place, 12 + 20) << "on the second row of the second line";
    window->resize(420, 600);
    window->IdleUpdate();
    ASSERT_GT(Editor().RowCount(), wideRows) << "narrower rows";
    EXPECT_EQ(Editor().SelStart(), place);
    Editor().SetWordWrap(false);
    EXPECT_EQ(Editor().SelStart(), place);
    ASSERT_TRUE(Editor().CanUndo());
    Key(Qt::Key_Z, Qt::ControlModifier);
    Key(Qt::Key_Z, Qt::ControlModifier);
    EXPECT_NE(Editor().Lines().GetTextStr().find("word0"), std::string::npos);
    while (Editor().CanUndo())
        Key(Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(Editor().Lines().GetTextStr(), "");
    Key(Qt::Key_Y, Qt::ControlModifier);
    EXPECT_NE(Editor().Lines().GetTextStr(), "") << "redo too";
}

} // namespace
} // namespace brenvik
