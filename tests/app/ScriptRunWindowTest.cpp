// The check and the CGI run from the main window, driven by their keys with the real perl: the
// error's line marked and reached with F4 after an edit above it, a missing perl, and a Shift_JIS
// script run with GET and POST whose page shows its characters, its form kept per script.
#include "ActiveWindowTest.h"
#include "FakePrompts.h"
#include "TestFiles.h"
#include "app/ScriptRunCommands.h"
#include "app/ScriptRunPanel.h"
#include "app/frmMain.h"
#include "editor/Editor.h"
#include "jcode/SjisUnicode.h"
#include "model/MarkedLines.h"
#include "text/EditorStrings.h"

#include <QApplication>
#include <QDir>
#include <QDockWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QLabel>
#include <QTemporaryDir>
#include <QEventLoop>
#include <QTest>
#include <QTimer>
#include <QTextBrowser>
#include <QTreeWidget>
#include <gtest/gtest.h>

namespace brenvik {
namespace {

class ScriptRunWindowTest : public test::TActiveWindowTest {
protected:
    TScriptRunCommands& Commands() const { return window->ScriptRun(); }
    int CaretLine() const { return Editor().LineOfRow(Editor().Row()); }
    bool Open(const char* name, const QByteArray& bytes)
    {
        return window->LoadFile(test::WriteTestFile(FScripts.filePath(QLatin1String(name)), bytes));
    }
    // Waits for the run going on to end; false when it did not within 20 s. An event loop, not
    // qWait, which sleeps between its turns and would leave perl's pipe full meanwhile.
    bool WaitForRun() const
    {
        QEventLoop loop;
        QObject::connect(&Commands().Run(), &TScriptRun::Finished, &loop, &QEventLoop::quit);
        QTimer::singleShot(20000, &loop, &QEventLoop::quit);
        if (Commands().Run().Running())
            loop.exec();
        return !Commands().Run().Running();
    }

    QTemporaryDir FScripts;
};

TEST_F(ScriptRunWindowTest, F9MarksTheErrorsLineAndF4FindsItAfterAnEditAboveIt)
{
    ASSERT_TRUE(Open("bad.cgi", "#!/usr/bin/perl\nuse strict;\n\nmy $x = 1\nprint $x;\n\nprint 2;\n"));
    Key(Qt::Key_F9);
    ASSERT_TRUE(WaitForRun());
    EXPECT_TRUE(window->StatusPanelText(5).startsWith(QStringLiteral("構文エラー"))) << window->StatusPanelText(5).toStdString();
    EXPECT_TRUE(Commands().Dock().isVisible());
    EXPECT_EQ(Editor().Model().Marks().Lines(TMarkKind::SyntaxError), std::vector<int> {4});
    QTreeWidget* list = Commands().Panel().lstMessages;
    ASSERT_GE(list->topLevelItemCount(), 1);
    EXPECT_EQ(list->topLevelItem(0)->text(0), QStringLiteral("5"));

    window->IdleUpdate();
    EXPECT_TRUE(window->Action(QStringLiteral("actNextMessage"))->isEnabled());
    Key(Qt::Key_F4);
    EXPECT_EQ(CaretLine(), 4);
    Key(Qt::Key_F4);
    EXPECT_EQ(CaretLine(), 4) << "the only mark: round to itself";

    // Two lines typed above it: the mark and F4 follow, and so does a double click on the message.
    Editor().SetRowCol(0, 0);
    Key(Qt::Key_Return);
    Key(Qt::Key_Return);
    EXPECT_EQ(Editor().Model().Marks().Lines(TMarkKind::SyntaxError), std::vector<int> {6});
    Editor().SetRowCol(0, 0);
    Key(Qt::Key_F4);
    EXPECT_EQ(CaretLine(), 6);
    Editor().SetRowCol(0, 0);
    Key(Qt::Key_F4, Qt::ShiftModifier);
    EXPECT_EQ(CaretLine(), 6);
    Editor().SetRowCol(0, 0);
    const QRect item = list->visualItemRect(list->topLevelItem(0));
    // A double click is a press, a release, then the double click (QTest sends only the last).
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, item.center());
    QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, item.center());
    EXPECT_EQ(CaretLine(), 6);
    Editor().SetRowCol(0, 0);
    list->setCurrentItem(list->topLevelItem(0));
    QTest::keyClick(list, Qt::Key_Return);
    EXPECT_EQ(CaretLine(), 6);

    // Mended: the next check clears the marks and says so.
    Editor().Model().Lines().Put(5, "my $x = 1;");
    Key(Qt::Key_F9);
    ASSERT_TRUE(WaitForRun());
    EXPECT_EQ(window->StatusPanelText(5), QStringLiteral("構文OK"));
    EXPECT_TRUE(Editor().Model().Marks().Lines(TMarkKind::SyntaxError).empty());
    window->IdleUpdate();
    EXPECT_FALSE(window->Action(QStringLiteral("actNextMessage"))->isEnabled());
}

TEST_F(ScriptRunWindowTest, LinesTypedWhilePerlRunsLeaveTheErrorsUnmarked)
{
    ASSERT_TRUE(Open("bad.cgi", "use strict;\nmy $x = 1\nprint $x;\n"));
    Key(Qt::Key_F9);
    ASSERT_TRUE(Commands().Run().Running());
    Editor().SetRowCol(0, 0);
    Key(Qt::Key_Return);
    ASSERT_TRUE(WaitForRun());
    EXPECT_TRUE(Editor().Model().Marks().Lines(TMarkKind::SyntaxError).empty());
    EXPECT_TRUE(window->StatusPanelText(5).contains(QStringLiteral("行数が変わった"))) << window->StatusPanelText(5).toStdString();
    EXPECT_GE(Commands().Panel().lstMessages->topLevelItemCount(), 2) << "the messages are still listed";
}

TEST_F(ScriptRunWindowTest, TwentyMegabytesOfOutputAreCutWithANote)
{
    ASSERT_TRUE(Open("big.cgi", "print \"Content-Type: text/plain\\n\\n\";\nprint ('x' x 79, \"\\n\") for 1 .. 262144;\n"));
    prompts.CgiAnswer = TCgiForm {};
    Key(Qt::Key_F9, Qt::ControlModifier);
    ASSERT_TRUE(WaitForRun());
    const QString head = Commands().Panel().memCgiHead->toPlainText();
    EXPECT_TRUE(head.contains(QStringLiteral("10 MB を超えたため"))) << head.toStdString();
    EXPECT_TRUE(head.contains(QStringLiteral("先頭の 524288 文字だけを表示")));
    EXPECT_EQ(Commands().Panel().memCgiBody->toPlainText().size(), 524288) << "the views lay out a part";
    EXPECT_EQ(window->StatusPanelText(5), QStringLiteral("CGI: 200 OK"));
}

TEST_F(ScriptRunWindowTest, AMissingPerlIsToldInPanelFive)
{
    ASSERT_TRUE(Open("ok.cgi", "print 1;\n"));
    TMainOptions options = window->Options();
    options.Run.PerlPath = FScripts.filePath(QStringLiteral("no/perl"));
    window->SetOptions(options);
    Key(Qt::Key_F9);
    EXPECT_FALSE(Commands().Run().Running());
    EXPECT_TRUE(window->StatusPanelText(5).startsWith(QStringLiteral("perl が見つかりません"))) << window->StatusPanelText(5).toStdString();
    EXPECT_TRUE(window->StatusPanelText(5).contains(options.Run.PerlPath));
}

QByteArray Sjis(const QString& text)
{
    return QByteArray::fromStdString(UnicodeToSjis(text).value_or(""));
}

TEST_F(ScriptRunWindowTest, CtrlF9RunsAShiftJisScriptWithGetAndPostAndKeepsItsForm)
{
    ASSERT_TRUE(Open("form.cgi",
        Sjis(QStringLiteral("#!/usr/bin/perl\r\n"
                            "my $in = $ENV{REQUEST_METHOD} eq 'POST' ? do { read(STDIN, my $b, $ENV{CONTENT_LENGTH}); $b } : $ENV{QUERY_STRING};\r\n"
                            "my ($v) = $in =~ /name=([^&]*)/; $v =~ tr/+/ /; $v =~ s/%([0-9A-F]{2})/chr hex $1/ge;\r\n"
                            "print \"Content-Type: text/html; charset=Shift_JIS\\r\\n\\r\\n\";\r\n"
                            "print '<html><body><p>表示</p><p>', $v, ' ', $ENV{REQUEST_METHOD}, '</p></body></html>';\r\n"))));
    TCgiForm form;
    form.Fields = {{QStringLiteral("name"), QStringLiteral("山田 ソ")}};
    for (const bool post : {false, true}) {
        form.Post = post;
        prompts.CgiAnswer = form;
        Key(Qt::Key_F9, Qt::ControlModifier);
        ASSERT_TRUE(WaitForRun());
        const QString shown = Commands().Panel().brwCgiBody->toPlainText();
        EXPECT_EQ(shown, QStringLiteral("表示\n山田 ソ %1").arg(post ? QStringLiteral("POST") : QStringLiteral("GET")));
        EXPECT_TRUE(Commands().Panel().memCgiHead->toPlainText().startsWith(QStringLiteral("状態: 200 OK")));
        EXPECT_EQ(window->StatusPanelText(5), QStringLiteral("CGI: 200 OK"));
    }
    // "ブラウザで開く": the page, decoded, as UTF-8 with its mark, in a file of its own.
    QTest::mouseClick(Commands().Panel().btnOpenBrowser, Qt::LeftButton);
    ASSERT_EQ(prompts.Browsed.size(), 1);
    EXPECT_FALSE(prompts.Browsed[0].startsWith(FScripts.path()));
    QFile page(prompts.Browsed[0]);
    ASSERT_TRUE(page.open(QIODevice::ReadOnly));
    EXPECT_TRUE(page.readAll().startsWith("\xEF\xBB\xBF<html><body><p>\xE8\xA1\xA8\xE7\xA4\xBA</p>"));

    ASSERT_EQ(prompts.CgiForms.size(), 2u);
    EXPECT_EQ(prompts.CgiForms[1].Fields, form.Fields) << "the second run offers the first's values";

    // The values live in the script's side folder: a new window reading the script offers them.
    const QStringList kept = QDir(FHome.filePath(QStringLiteral("ini"))).entryList({QStringLiteral("*.run")});
    ASSERT_EQ(kept.size(), 1);
    EXPECT_TRUE(kept[0].startsWith(QStringLiteral("form.cgi."))) << kept[0].toStdString(); // the name, then the path's hash
    window = std::make_unique<TfrmMain>(&prompts);
    ASSERT_TRUE(window->LoadFile(FScripts.filePath(QStringLiteral("form.cgi"))));
    EXPECT_EQ(TCgiForm::FromText(window->Document().Side().RunForm()), form);
}

} // namespace
} // namespace brenvik
