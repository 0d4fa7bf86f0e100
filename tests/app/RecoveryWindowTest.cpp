// The window's safeguards for typed text. The program is killed with SIGKILL after its recovery
// write (this test binary, run again as a separate process, is the program that types); started
// again it asks, and 復元 brings the text back byte for byte with its codes while the file on disk
// stays as it was. A second running copy leaves the first one's file alone. Files changed by
// another program, deleted or replaced by a folder; backups on, off and failing.
#include "FakePrompts.h"
#include "TestFiles.h"
#include "app/DiskWatch.h"
#include "app/MainOptions.h"
#include "app/RecoveryKeeper.h"
#include "app/frmMain.h"
#include "common/SmallDisk.h"
#include "editor/Editor.h"
#include "text/EditorStrings.h"

#include <QApplication>
#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QKeyEvent>
#include <QProcess>
#include <QSettings>
#include <QTemporaryDir>
#include <QTest>
#include <gtest/gtest.h>

#include <csignal>
#include <cstdio>
#include <functional>

namespace brenvik {
namespace {

using test::TFakePrompts;

// EUC-JP with LF: "# これはテスト".
const QByteArray kEucScript = "# \xA4\xB3\xA4\xEC\xA4\xCF\xA5\xC6\xA5\xB9\xA5\xC8\nprint 1;\n";
// What the program types: 日本 and x.
const QString kTyped = QString::fromUtf8("日本x");
const QString kQuestion = QStringLiteral("前回終了時に保存されていない編集内容があります。復元しますか？");

bool WaitFor(const std::function<bool()>& done, int ms = 20000)
{
    const QDeadlineTimer deadline(ms);
    while (!done() && !deadline.hasExpired()) {
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
        QTest::qWait(5);
    }
    return done();
}

// The program's part in the process tests: opens the file named in BRENVIK_CHILD_FILE (none: a new
// document), types, says "recorded" once the recovery file is written to the state folder
// BRENVIK_CHILD_STATE names, and waits to be killed.
TEST(RecoveryChild, DISABLED_TypesUntilTheTextIsRecorded)
{
    qputenv("XDG_STATE_HOME", qgetenv("BRENVIK_CHILD_STATE"));
    TFakePrompts prompts;
    TfrmMain window(&prompts);
    window.show();
    window.OpenAtStart(qEnvironmentVariable("BRENVIK_CHILD_FILE"));
    // Key presses carrying the characters, as a keyboard or an input method's single keys send them.
    for (const QChar c : kTyped) {
        QKeyEvent press(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier, QString(c));
        QApplication::sendEvent(&window.Editor(), &press);
    }
    ASSERT_TRUE(WaitFor([&] { return window.Recovery().Writer().Written() > 0; }));
    std::puts("recorded");
    std::fflush(stdout);
    WaitFor([] { return false; }, 120000);
}

class RecoveryWindowTest : public ::testing::Test {
protected:
    RecoveryWindowTest()
    {
        qputenv("BRENVIK_HOME", FHome.path().toLocal8Bit());
        qputenv("XDG_STATE_HOME", FHome.filePath("state").toLocal8Bit());
    }
    ~RecoveryWindowTest() override
    {
        if (FChild.state() != QProcess::NotRunning) {
            FChild.kill();
            FChild.waitForFinished(10000);
        }
        qputenv("XDG_STATE_HOME", FStateBefore);
        qunsetenv("BRENVIK_HOME");
    }

    QString Path(const QString& name) const { return FHome.filePath(name); }
    QString Write(const QString& name, const QByteArray& bytes) const { return test::WriteTestFile(Path(name), bytes); }
    static QByteArray Read(const QString& path)
    {
        QFile file(path);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<unreadable>");
    }
    // The recovery files and their bytes.
    QMap<QString, QByteArray> RecoveryFiles() const
    {
        QMap<QString, QByteArray> files;
        const QDir folder(Path("state/brenvik/recovery"));
        for (const QString& name : folder.entryList(QDir::Files | QDir::Hidden))
            files[name] = Read(folder.filePath(name));
        return files;
    }
    // Starts the typing program on file and waits until it has written its recovery file.
    void StartTyping(const QString& file)
    {
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert("QT_QPA_PLATFORM", "offscreen");
        environment.insert("BRENVIK_CHILD_FILE", file);
        environment.insert("BRENVIK_CHILD_STATE", qEnvironmentVariable("XDG_STATE_HOME"));
        FChild.setProcessEnvironment(environment);
        FChild.start(QCoreApplication::applicationFilePath(),
            {"--gtest_also_run_disabled_tests", "--gtest_filter=RecoveryChild.DISABLED_TypesUntilTheTextIsRecorded"});
        ASSERT_TRUE(FChild.waitForStarted(10000));
        const QDeadlineTimer deadline(60000);
        QByteArray said;
        while (!said.contains("recorded\n") && !deadline.hasExpired() && FChild.state() == QProcess::Running) {
            FChild.waitForReadyRead(100);
            said += FChild.readAllStandardOutput();
        }
        ASSERT_TRUE(said.contains("recorded\n")) << said.toStdString() << FChild.readAllStandardError().toStdString();
    }
    void KillTyping()
    {
        ASSERT_EQ(::kill(static_cast<pid_t>(FChild.processId()), SIGKILL), 0);
        ASSERT_TRUE(FChild.waitForFinished(10000));
        EXPECT_EQ(FChild.exitStatus(), QProcess::CrashExit);
    }

    const QByteArray FStateBefore = qgetenv("XDG_STATE_HOME");
    QTemporaryDir FHome;
    QProcess FChild;
    TFakePrompts prompts;
};

TEST_F(RecoveryWindowTest, AScriptKilledAfterTheRecoveryWriteComesBackWithItsCodesAndTheFileUntouched)
{
    const QString script = Write("e.cgi", kEucScript);
    ASSERT_NO_FATAL_FAILURE(StartTyping(script));
    const QMap<QString, QByteArray> recorded = RecoveryFiles();
    ASSERT_EQ(recorded.size(), 1);
    {
        // A second copy on the same file while the first runs: no question, the file left alone.
        TFakePrompts second;
        TfrmMain copy(&second);
        copy.OpenAtStart(script);
        EXPECT_TRUE(second.ChoiceQuestions.isEmpty());
        EXPECT_EQ(copy.Document().FileName(), script);
        EXPECT_FALSE(copy.Document().Model().Modified());
    }
    EXPECT_EQ(RecoveryFiles(), recorded);
    ASSERT_NO_FATAL_FAILURE(KillTyping());
    EXPECT_EQ(Read(script), kEucScript);

    prompts.Choices = {0};
    TfrmMain window(&prompts);
    window.OpenAtStart(script);
    ASSERT_EQ(prompts.ChoiceQuestions.size(), 1);
    EXPECT_TRUE(prompts.ChoiceQuestions[0].startsWith(kQuestion)) << prompts.ChoiceQuestions[0].toStdString();
    EXPECT_TRUE(prompts.ChoiceQuestions[0].contains(script));
    EXPECT_EQ(prompts.ChoiceButtons[0], QStringList({"復元", "破棄", "後で"}));
    const TScriptDocument& document = window.Document();
    EXPECT_TRUE(document.Model().Modified());
    EXPECT_EQ(document.FileName(), script);
    EXPECT_EQ(document.DocumentJCode(), jcEuc);
    EXPECT_EQ(document.DocumentRCode(), rcLf);
    EXPECT_EQ(Read(script), kEucScript) << "the file waits for the user's save";
    ASSERT_TRUE(window.FileSave());
    EXPECT_EQ(Read(script), "\xC6\xFC\xCB\xDCx" + kEucScript);
    window.Recovery().Writer().WaitIdle();
    EXPECT_TRUE(RecoveryFiles().isEmpty()) << "a save removes the recovery file";
}

TEST_F(RecoveryWindowTest, ANewDocumentKilledComesBackAtAnEmptyStartAndLaterKeepsTheFile)
{
    ASSERT_NO_FATAL_FAILURE(StartTyping(QString()));
    ASSERT_NO_FATAL_FAILURE(KillTyping());
    ASSERT_EQ(RecoveryFiles().size(), 1);
    {
        prompts.Choices = {2}; // 後で
        TfrmMain later(&prompts);
        later.OpenAtStart(QString());
        ASSERT_EQ(prompts.ChoiceQuestions.size(), 1);
        EXPECT_TRUE(prompts.ChoiceQuestions[0].contains(QStringLiteral("新規文章")));
        EXPECT_TRUE(later.Document().IsEmpty());
    }
    ASSERT_EQ(RecoveryFiles().size(), 1);
    prompts.Choices = {0};
    TfrmMain window(&prompts);
    window.OpenAtStart(QString());
    ASSERT_EQ(prompts.ChoiceQuestions.size(), 2);
    EXPECT_TRUE(window.Document().FileName().isEmpty());
    EXPECT_TRUE(window.Document().Model().Modified());
    EXPECT_EQ(window.Document().Model().Lines().GetTextStr(), "\x93\xFA\x96\x7Bx");
    EXPECT_EQ(window.Document().DocumentJCode(), window.Options().DefaultJCode);
    // Closing with いいえ gives the text up.
    prompts.SaveAnswer = TAnswer::No;
    ASSERT_TRUE(window.close());
    window.Recovery().Writer().WaitIdle();
    EXPECT_TRUE(RecoveryFiles().isEmpty());
}

TEST_F(RecoveryWindowTest, DiscardRemovesAnOrphanAndAFurtherOneOpensInAnotherCopy)
{
    TScriptDocument left;
    left.Model().Lines().SetTextStr("print 1;\r\n");
    std::shared_ptr<TRecoverySnapshot> snapshot = left.Snapshot();
    ++snapshot->Header.Owner.StartTicks; // a process that is gone
    snapshot->Header.Written = QDateTime::currentDateTime();
    ASSERT_TRUE(QDir().mkpath(Path("state/brenvik/recovery")));
    ASSERT_EQ(WriteRecoveryFile(Path("state/brenvik/recovery/a.recovery"), *snapshot), QString());
    snapshot->Header.FileName = Write("b.cgi", "print 1;\r\n");
    snapshot->Header.Stamp = TakeDiskStamp(Path("b.cgi"));
    snapshot->Header.Written = snapshot->Header.Written.addSecs(1);
    ASSERT_EQ(WriteRecoveryFile(Path("state/brenvik/recovery/b.recovery"), *snapshot), QString());
    snapshot->Header.FileName = Write("c.cgi", "print 2;\r\n");
    snapshot->Header.Stamp = TakeDiskStamp(Path("c.cgi"));
    snapshot->Header.Written = snapshot->Header.Written.addSecs(1);
    ASSERT_EQ(WriteRecoveryFile(Path("state/brenvik/recovery/c.recovery"), *snapshot), QString());
    Write("b.cgi", "print 11;\r\n"); // changed on disk since the recovery file was written

    prompts.Choices = {1, 0, 0}; // 破棄, then 復元 twice
    TfrmMain window(&prompts);
    window.OpenAtStart(QString());
    ASSERT_EQ(prompts.ChoiceQuestions.size(), 3);
    const QString changedNote = QStringLiteral("このファイルは、その後ディスク上で変更されています。");
    EXPECT_TRUE(prompts.ChoiceQuestions[1].contains(changedNote)) << prompts.ChoiceQuestions[1].toStdString();
    EXPECT_FALSE(prompts.ChoiceQuestions[2].contains(changedNote));
    EXPECT_EQ(window.Document().FileName(), Path("b.cgi"));
    EXPECT_EQ(Read(Path("b.cgi")), "print 11;\r\n");
    EXPECT_TRUE(window.StatusPanelText(5).contains(QStringLiteral("他のプログラムで変更されました")))
        << "and the save will ask before overwriting";
    ASSERT_EQ(prompts.Started.size(), 1) << "one document per window: the third goes to another copy";
    EXPECT_EQ(prompts.Started[0], QStringList({"--recover", Path("state/brenvik/recovery/c.recovery")}));
    window.Recovery().Writer().WaitIdle();
    EXPECT_FALSE(QFileInfo::exists(Path("state/brenvik/recovery/a.recovery")));
    EXPECT_TRUE(QFileInfo::exists(Path("state/brenvik/recovery/c.recovery")));
    EXPECT_TRUE(QFileInfo::exists(window.Recovery().OwnPath())) << "b's file, now this process's";

    TFakePrompts third;
    TfrmMain other(&third);
    ASSERT_TRUE(other.RestoreRecovery(Path("state/brenvik/recovery/c.recovery")));
    EXPECT_EQ(other.Document().FileName(), Path("c.cgi"));
    EXPECT_TRUE(third.ChoiceQuestions.isEmpty());
    EXPECT_FALSE(other.RestoreRecovery(Path("state/brenvik/recovery/c.recovery"))) << "taken once";
}

TEST_F(RecoveryWindowTest, AChangeByAnotherProgramIsOfferedForReloadOrAskedAboutOnSave)
{
    const QString script = Write("s.cgi", "print 1;\r\n");
    TfrmMain window(&prompts);
    ASSERT_TRUE(window.LoadFile(script));
    // Our own save raises no question.
    window.Editor().TypeText("a");
    ASSERT_TRUE(window.FileSave());
    QTest::qWait(200);
    window.CheckDisk();
    EXPECT_TRUE(prompts.Asked.isEmpty());
    EXPECT_TRUE(prompts.ChoiceQuestions.isEmpty());

    // Unmodified: the watcher's notice brings the question; はい reads the new text.
    Write("s.cgi", "print 2;\r\n");
    prompts.YesNoAnswer = true;
    ASSERT_TRUE(WaitFor([&] { return !prompts.Asked.isEmpty(); }, 10000));
    EXPECT_EQ(prompts.Asked[0], QStringLiteral("ファイル「%1」が他のプログラムで変更されました。再読み込みしますか？").arg(script));
    EXPECT_EQ(window.Document().Model().Lines().Get(0), "print 2;");

    // Modified: no question until the save, which offers 上書き, 名前を付けて保存 and キャンセル.
    window.Editor().TypeText("b");
    Write("s.cgi", "print 3;\r\n");
    QEvent activate(QEvent::WindowActivate);
    QApplication::sendEvent(&window, &activate);
    QTest::qWait(50);
    EXPECT_EQ(prompts.Asked.size(), 1);
    EXPECT_TRUE(window.StatusPanelText(5).contains(QStringLiteral("他のプログラムで変更されました")));
    prompts.Choices = {2, 1, 0};
    EXPECT_FALSE(window.FileSave());
    EXPECT_EQ(Read(script), "print 3;\r\n");
    ASSERT_EQ(prompts.ChoiceButtons.value(0), QStringList({"上書き", "名前を付けて保存", "キャンセル"}));
    prompts.SaveNames = {Path("elsewhere.cgi")};
    ASSERT_TRUE(window.FileSave());
    EXPECT_EQ(Read(Path("elsewhere.cgi")), "bprint 2;\r\n");
    EXPECT_EQ(Read(script), "print 3;\r\n");
    ASSERT_TRUE(window.LoadFile(script));
    window.Editor().TypeText("c");
    Write("s.cgi", "print 4;\r\n");
    ASSERT_TRUE(window.FileSave());
    EXPECT_EQ(Read(script), "cprint 3;\r\n");
    EXPECT_EQ(prompts.ChoiceQuestions.size(), 3);
}

TEST_F(RecoveryWindowTest, ADeletedFileIsSaidAndWrittenAgainAFolderInItsPlaceIsSaid)
{
    const QString script = Write("s.cgi", "print 1;\r\n");
    TfrmMain window(&prompts);
    ASSERT_TRUE(window.LoadFile(script));
    ASSERT_TRUE(QFile::remove(script));
    window.CheckDisk();
    EXPECT_TRUE(window.windowTitle().endsWith(QStringLiteral("（ディスク上にありません）")));
    EXPECT_TRUE(window.StatusPanelText(5).contains(QStringLiteral("ディスク上にありません")));
    window.Editor().TypeText("a");
    ASSERT_TRUE(window.FileSave());
    EXPECT_EQ(Read(script), "aprint 1;\r\n");
    EXPECT_EQ(window.windowTitle(), script);
    EXPECT_TRUE(prompts.ChoiceQuestions.isEmpty());

    ASSERT_TRUE(QFile::remove(script));
    ASSERT_TRUE(QDir().mkdir(script));
    window.CheckDisk();
    EXPECT_TRUE(window.windowTitle().endsWith(QStringLiteral("（フォルダに置き換えられました）")));
    window.Editor().TypeText("b");
    EXPECT_FALSE(window.FileSave());
    EXPECT_EQ(prompts.Errors.size(), 1);
    EXPECT_TRUE(window.Document().Model().Modified()) << "nothing typed is lost";
}

TEST_F(RecoveryWindowTest, BackupsOnOffAndInAFolderThatCannotBeWritten)
{
    const QString script = Write("s.cgi", "v1\r\n");
    TfrmMain window(&prompts);
    ASSERT_TRUE(window.LoadFile(script));
    window.Editor().TypeText("x");
    ASSERT_TRUE(window.FileSave());
    EXPECT_FALSE(QFileInfo::exists(Path("s.cgi.bak"))) << "off by default";

    TMainOptions options = window.Options();
    options.Backup = true;
    window.SetOptions(options);
    window.Editor().TypeText("y");
    ASSERT_TRUE(window.FileSave());
    EXPECT_EQ(Read(Path("s.cgi.bak")), "xv1\r\n");
    EXPECT_EQ(Read(script), "xyv1\r\n");

    ASSERT_TRUE(QDir().mkdir(Path("ro")));
    test::TTmpfsMount mount(QFile::encodeName(Path("ro")).toStdString(), "64k");
    ASSERT_TRUE(mount.Mounted());
    ASSERT_TRUE(mount.MakeReadOnly());
    options.BackupFolder = Path("ro");
    window.SetOptions(options);
    window.Editor().TypeText("z");
    EXPECT_FALSE(window.FileSave());
    ASSERT_EQ(prompts.Errors.size(), 1);
    EXPECT_TRUE(prompts.Errors[0].contains(QStringLiteral("バックアップ"))) << prompts.Errors[0].toStdString();
    EXPECT_EQ(Read(script), "xyv1\r\n") << "no save without its backup";
    EXPECT_TRUE(window.Document().Model().Modified());
}

TEST(RecoveryOptions, KeysReadBackAndBadValuesKeepTheDefaults)
{
    QTemporaryDir home;
    QSettings settings(home.filePath("brenvik.ini"), QSettings::IniFormat);
    TMainOptions written;
    written.Recovery = false;
    written.RecoveryIdle = 7;
    written.RecoveryLongest = 90;
    written.Backup = true;
    written.BackupFolder = home.filePath("bak");
    written.Write(settings);
    TMainOptions read;
    read.Read(settings);
    EXPECT_EQ(read, written);
    settings.setValue("Option/RecoveryIdle", 0);
    settings.setValue("Option/RecoveryLongest", "abc");
    settings.setValue("Option/BackupFolder", "relative/bak");
    TMainOptions fallback;
    fallback.Read(settings);
    EXPECT_EQ(fallback.RecoveryIdle, TMainOptions().RecoveryIdle);
    EXPECT_EQ(fallback.RecoveryLongest, TMainOptions().RecoveryLongest);
    EXPECT_EQ(fallback.BackupFolder, QString());
}

} // namespace
} // namespace brenvik
