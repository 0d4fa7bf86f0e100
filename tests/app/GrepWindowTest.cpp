// Grep in the window: the panel filled off the user-interface thread from files in three codes, a hit
// opened by Enter (here, selected) or by a double click (in a new window at +LINE:COL), a cancel, and the
// dialog's checks and memory.
#include "FakePrompts.h"
#include "grep/GrepTree.h"

#include "app/GrepCommands.h"
#include "app/GrepPanel.h"
#include "app/SettingsFile.h"
#include "app/frmMain.h"
#include "editor/Editor.h"
#include "grep/MakeGrepMatcher.h"
#include "jcode/SjisUnicode.h"
#include "model/LineColumnJump.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTreeView>
#include <gtest/gtest.h>

namespace brenvik {
namespace {

class GrepWindowTest : public ::testing::Test {
protected:
    GrepWindowTest()
    {
        qputenv("BRENVIK_HOME", home.path().toLocal8Bit());
        window = std::make_unique<TfrmMain>(&prompts);
    }
    ~GrepWindowTest() override
    {
        window.reset();
        qunsetenv("BRENVIK_HOME");
    }

    TGrepRequest Request(const QString& pattern, const std::string& folder)
    {
        TGrepRequest request;
        request.Pattern = pattern;
        request.SjisPattern = *UnicodeToSjis(pattern);
        request.Folder = QString::fromStdString(folder);
        request.Flags = TSearchFlags::MatchCase;
        std::string error;
        request.Matcher = MakeGrepMatcher(request.SjisPattern, request.Flags, false, error);
        return request;
    }
    void WaitForTheRun()
    {
        for (int i = 0; i < 3000 && window->Grep().Running(); ++i)
            QTest::qWait(10);
        ASSERT_FALSE(window->Grep().Running());
    }
    // The first row of the panel for the file whose name ends with file.
    int RowOf(const std::string& file)
    {
        const TGrepHitModel& hits = window->Grep().Panel().Hits();
        for (int row = 0; row < hits.rowCount(); ++row)
            if (hits.Row(row).Path.endsWith(QString::fromStdString(file)) && hits.Row(row).Line > 0)
                return row;
        return -1;
    }

    QTemporaryDir home;
    test::TFakePrompts prompts;
    std::unique_ptr<TfrmMain> window;
};

TEST_F(GrepWindowTest, HitsFromEveryCodeFillThePanelAndOpenHereOrInANewWindow)
{
    const test::TGrepTree tree;
    window->show();
    window->Grep().Start(Request(QStringLiteral("管理者"), tree.Root()));
    WaitForTheRun();
    const TGrepHitModel& hits = window->Grep().Panel().Hits();
    QStringList codes;
    for (int row = 0; row < hits.rowCount(); ++row)
        if (!codes.contains(hits.Row(row).Code))
            codes.append(hits.Row(row).Code);
    for (const char* code : {"S-JIS", "EUC", "JIS", "UTF-8"})
        EXPECT_TRUE(codes.contains(QLatin1String(code))) << code;
    EXPECT_TRUE(window->Grep().Panel().Progress()->text().contains(QStringLiteral("行"))) << window->Grep().Panel().Progress()->text().toStdString();
    EXPECT_FALSE(window->Grep().Panel().CancelButton()->isEnabled());

    // Enter on a hit of this document selects the match.
    ASSERT_TRUE(window->LoadFile(QString::fromStdString(tree.Path("cgi/euc-crlf.cgi"))));
    QTreeView* view = window->Grep().Panel().View();
    const int here = RowOf("cgi/euc-crlf.cgi") + 1; // the second hit: line 4
    ASSERT_GT(here, 0);
    view->setCurrentIndex(hits.index(here, 0));
    QTest::keyClick(view, Qt::Key_Return);
    EXPECT_EQ(window->Editor().SelText(), *UnicodeToSjis(QStringLiteral("管理者")));
    EXPECT_EQ(window->Document().Model().Row(), hits.Row(here).Line - 1);
    EXPECT_TRUE(prompts.Started.isEmpty());

    // A double click on another file's hit starts a window there.
    const int other = RowOf("cgi/utf8-lf.cgi");
    view->scrollTo(hits.index(other, 0));
    const QPoint cell = view->visualRect(hits.index(other, 0)).center();
    // A double click as the system delivers it: press and release, then the second press as a double click.
    QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, cell);
    QTest::mouseDClick(view->viewport(), Qt::LeftButton, {}, cell);
    ASSERT_EQ(prompts.Started.size(), 1);
    EXPECT_EQ(prompts.Started[0], (QStringList {QStringLiteral("+%1:%2").arg(hits.Row(other).Line).arg(hits.Row(other).Column),
                                      QString::fromStdString(tree.Path("cgi/utf8-lf.cgi"))}));
}

TEST_F(GrepWindowTest, CancelEndsTheRunAndSaysSo)
{
    QTemporaryDir folder;
    const std::string line = "print \"$logfile 管理者\";\n";
    std::string text;
    for (int i = 0; i < 20000; ++i)
        text += line;
    for (int file = 0; file < 200; ++file)
        test::WriteBytes(folder.path().toStdString() + "/s" + std::to_string(file) + ".cgi", text);
    window->Grep().Start(Request(QStringLiteral("$logfile"), folder.path().toStdString()));
    window->Grep().Cancel();
    WaitForTheRun();
    const QString progress = window->Grep().Panel().Progress()->text();
    EXPECT_TRUE(progress.contains(QStringLiteral("中止"))) << progress.toStdString();
    EXPECT_LT(window->Grep().Panel().Hits().rowCount(), 200 * 20000);
}

TEST_F(GrepWindowTest, PlusLineColumnSelectsThePlaceAndClampsBeyondIt)
{
    const test::TGrepTree tree;
    ASSERT_TRUE(window->LoadFile(QString::fromStdString(tree.Path("cgi/sjis-lf.cgi"))));
    SelectAtLineColumn(window->Document(), 4, 8, 4);
    EXPECT_EQ(window->Editor().SelText(), *UnicodeToSjis(QStringLiteral("管理")));
    SelectAtLineColumn(window->Document(), 4, 1000);
    EXPECT_EQ(window->Document().Model().Row(), 3);
    SelectAtLineColumn(window->Document(), 9999, 1);
    EXPECT_EQ(window->Document().Model().SelLength(), 0);
}

TEST_F(GrepWindowTest, TheDialogRefusesWhatCannotBeSearchedAndRemembersItsFields)
{
    const test::TGrepTree tree;
    const QString folder = QString::fromStdString(tree.Root());
    {
        TGrepDialog dialog(QStringLiteral("한국어"), folder, window.get());
        EXPECT_EQ(dialog.cmbMasks->currentText(), kDefaultGrepMasks);
        EXPECT_EQ(dialog.cmbFolder->currentText(), folder);
        dialog.show();
        QTest::keyClick(dialog.cmbPattern, Qt::Key_Return);
        EXPECT_EQ(dialog.result(), QDialog::Rejected);
        EXPECT_FALSE(dialog.lblMessage->isHidden()) << "a pattern without Shift_JIS";
        dialog.cmbPattern->setEditText(QStringLiteral("管理("));
        dialog.chkRegex->setChecked(true);
        QTest::keyClick(dialog.cmbPattern, Qt::Key_Return);
        EXPECT_TRUE(dialog.lblMessage->text().contains(QStringLiteral("正規表現"))) << dialog.lblMessage->text().toStdString();
        dialog.cmbPattern->setEditText(QStringLiteral("管理者"));
        dialog.chkRegex->setChecked(false);
        dialog.cmbMasks->setEditText(QStringLiteral("*.cgi; *.pl"));
        dialog.chkSubFolders->setChecked(false);
        QTest::keyClick(dialog.cmbPattern, Qt::Key_Return);
        ASSERT_EQ(dialog.result(), QDialog::Accepted);
        EXPECT_EQ(dialog.Request().Settings.Walk.Globs, (std::vector<std::string> {"*.cgi", "*.pl"}));
        EXPECT_EQ(dialog.Request().Settings.Walk.MaxDepth, 1);
    }
    TGrepDialog again(QString(), QStringLiteral("/elsewhere"), window.get());
    EXPECT_EQ(again.cmbPattern->currentText(), QStringLiteral("管理者")) << "the find history's newest";
    EXPECT_EQ(again.cmbFolder->currentText(), folder) << "the last folder wins over the script's";
    EXPECT_EQ(again.cmbMasks->currentText(), QStringLiteral("*.cgi; *.pl"));
    EXPECT_FALSE(again.chkSubFolders->isChecked());
}

} // namespace
} // namespace brenvik
