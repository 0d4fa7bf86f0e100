// The check and the CGI run with the real perl: the lines perl names, the "#!" switches, the
// script's folder, the time limit ending the whole process group, a missing perl, the text in
// the script's own code, and a run whose output is cut.
#include "PerlRunSupport.h"

#include "common/SmallDisk.h"

#include "jcode/SjisUnicode.h"
#include "perlrun/PerlCommand.h"
#include "text/EditorStrings.h"

#include <QDir>
#include <QProcess>
#include <QTest>
#include <QThread>

namespace brenvik {
namespace {

using test::RunAndWait;
using test::TScriptOnDisk;

TCheckReport Check(TScriptRun& run, const TScriptDocument& document, const TRunOptions& options = {})
{
    const auto result = RunAndWait(run, TRunKind::Check, document, options);
    EXPECT_TRUE(result && result->Ended());
    return result ? ParseCheckMessages(result->Errors, run.Source(), result->ExitCode) : TCheckReport {};
}

QByteArray Sjis(const char* utf8)
{
    const std::optional<std::string> bytes = UnicodeToSjis(QString::fromUtf8(utf8));
    EXPECT_TRUE(bytes);
    return QByteArray::fromStdString(bytes.value_or(""));
}

TEST(ScriptRunTest, ASyntaxErrorIsReportedOnItsLineUnderTheScriptsName)
{
    TScriptOnDisk script(QStringLiteral("bbs.cgi"), "#!/usr/bin/perl\nuse strict;\nmy $x = 1\nprint $x;\n");
    TScriptRun run;
    const TCheckReport report = Check(run, script.Document);
    EXPECT_FALSE(report.SyntaxOk);
    ASSERT_FALSE(report.Messages.empty());
    const TPerlMessage& first = report.Messages.front();
    EXPECT_TRUE(first.InScript);
    EXPECT_EQ(first.Line, 4) << first.Text.toStdString();
    EXPECT_TRUE(first.Text.startsWith(QLatin1String("syntax error at bbs.cgi line 4, near "))) << first.Text.toStdString();
    EXPECT_FALSE(first.Text.contains(QLatin1String("brenvik-run"))) << "the copy's folder never shows";
    EXPECT_EQ(report.Summary(), QStringLiteral("構文エラー %1 件").arg(report.Counted()));
    EXPECT_GE(report.Counted(), 1);
}

TEST(ScriptRunTest, TheCheckReadsUnsavedEditsInTheScriptsCodeAndWritesNothingBesideIt)
{
    // Shift_JIS with 表 (0x95 0x5C): perl must see the bytes as saved, and the trail byte
    // escapes the closing quote in a double-quoted string, which is the classic error.
    const QByteArray original = "print 'ok';\r\n";
    TScriptOnDisk script(QStringLiteral("a.cgi"), original);
    script.Document.SetCodes({jcSjis, rcCrLf});
    script.Document.Model().Lines().Add(Sjis("my $s = \"表\";").toStdString());
    TScriptRun run;
    const TCheckReport report = Check(run, script.Document);
    EXPECT_FALSE(report.SyntaxOk) << "a Shift_JIS trail backslash escapes the quote";
    // In single quotes the trail byte escapes only a following quote or backslash.
    script.Document.Model().Lines().Put(1, Sjis("my $s = '表示';").toStdString());
    EXPECT_TRUE(Check(run, script.Document).SyntaxOk);
    QFile file(script.Path);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(file.readAll(), original) << "the script itself is never written";
    EXPECT_EQ(QDir(script.Folder.path()).entryList(QDir::Files), QStringList {QStringLiteral("a.cgi")});
}

TEST(ScriptRunTest, ShebangSwitchesAndTheScriptsFolderReachPerl)
{
    TScriptOnDisk script(QStringLiteral("t.cgi"),
        "#!/usr/bin/perl -wT\nBEGIN { require './lib.pl'; }\nuse lib '.';\nuse Local::Mod;\nprint lib_value(), Local::Mod::value();\n");
    script.WriteFile(QStringLiteral("lib.pl"), "sub lib_value { 1 }\n1;\n");
    QDir(script.Folder.path()).mkpath(QStringLiteral("Local"));
    script.WriteFile(QStringLiteral("Local/Mod.pm"), "package Local::Mod;\nsub value { 2 }\n1;\n");
    TScriptRun run;
    const TCheckReport report = Check(run, script.Document);
    EXPECT_TRUE(report.SyntaxOk) << report.Messages.front().Text.toStdString();
    EXPECT_TRUE(run.Arguments().contains(QStringLiteral("-wT")));

    const auto result = RunAndWait(run, TRunKind::Cgi, script.Document);
    ASSERT_TRUE(result && result->Ended());
    EXPECT_EQ(result->Output, "12") << result->Errors.toStdString();
}

TEST(ScriptRunTest, AMissingModuleAndABrokenLibraryAreToldWhereTheyAre)
{
    TScriptOnDisk script(QStringLiteral("m.cgi"), "use strict;\nuse No::Such::Module;\nBEGIN { require './broken.pl'; }\n");
    script.WriteFile(QStringLiteral("broken.pl"), "sub f {\n");
    TScriptRun run;
    TCheckReport report = Check(run, script.Document);
    ASSERT_GE(report.Messages.size(), 2u);
    EXPECT_TRUE(report.Messages[0].Text.startsWith(QLatin1String("Can't locate No/Such/Module.pm in @INC")));
    EXPECT_EQ(report.Messages[0].Line, 2);
    EXPECT_TRUE(report.Messages[1].Trailer) << "BEGIN failed is a consequence";
    EXPECT_EQ(report.Counted(), 1);

    script.Document.Model().Lines().Put(1, "");
    report = Check(run, script.Document);
    ASSERT_FALSE(report.Messages.empty());
    EXPECT_EQ(report.Messages[0].File, QStringLiteral("./broken.pl"));
    EXPECT_FALSE(report.Messages[0].InScript);
}

// The ids of the processes in group (ps), the leader included.
QStringList ProcessesOfGroup(qint64 group)
{
    QProcess ps;
    ps.start(QStringLiteral("ps"), {QStringLiteral("-e"), QStringLiteral("-o"), QStringLiteral("pgid=,pid=,stat=")});
    EXPECT_TRUE(ps.waitForFinished(5000));
    QStringList found;
    for (const QByteArray& line : ps.readAllStandardOutput().split('\n')) {
        const QList<QByteArray> fields = line.simplified().split(' ');
        // A zombie waiting for its parent is gone already as far as the group is concerned.
        if (fields.size() == 3 && fields[0].toLongLong() == group && !fields[2].startsWith('Z'))
            found << QString::fromLatin1(fields[1]);
    }
    return found;
}

// The group of the run once perl has started (after the copy is written), and then 200 ms for
// the script to get going; 0 when it did not start within 5 s.
qint64 StartedGroup(const TScriptRun& run)
{
    for (int i = 0; i < 500 && run.ProcessGroup() == 0; ++i)
        QTest::qWait(10);
    QTest::qWait(200);
    return run.ProcessGroup();
}

TEST(ScriptRunTest, AnEndlessBeginIsEndedByTheTimeLimitWithItsWholeGroup)
{
    // The loop forks first: the child must go with the group, not only perl itself.
    TScriptOnDisk script(QStringLiteral("loop.cgi"), "BEGIN { fork(); 1 while 1; }\n");
    TScriptRun run;
    QSignalSpy finished(&run, &TScriptRun::Finished);
    TRunOptions options;
    options.TimeLimit = 1;
    ASSERT_TRUE(run.Start(TRunKind::Check, script.Document, options).isEmpty());
    const qint64 group = StartedGroup(run);
    ASSERT_GT(group, 0);
    EXPECT_EQ(ProcessesOfGroup(group).size(), 2) << "perl and its fork are running in the group";
    ASSERT_TRUE(finished.wait(5000));
    const auto result = finished.at(0).at(1).value<TProcessResult>();
    EXPECT_EQ(result.End, TProcessResult::TEnd::TimedOut);
    EXPECT_GE(result.ElapsedMs, 1000);
    EXPECT_LT(result.ElapsedMs, 3000);
    QStringList left = ProcessesOfGroup(group);
    for (int i = 0; i < 20 && !left.isEmpty(); ++i) {
        QThread::msleep(50);
        left = ProcessesOfGroup(group);
    }
    EXPECT_TRUE(left.isEmpty()) << left.join(QLatin1Char(' ')).toStdString();
}

TEST(ScriptRunTest, CancelEndsTheRunAtOnce)
{
    TScriptOnDisk script(QStringLiteral("slow.cgi"), "sleep 30;\n");
    TScriptRun run;
    QSignalSpy finished(&run, &TScriptRun::Finished);
    ASSERT_TRUE(run.Start(TRunKind::Cgi, script.Document, {}).isEmpty());
    const qint64 group = StartedGroup(run);
    ASSERT_GT(group, 0);
    run.Cancel();
    ASSERT_TRUE(finished.wait(3000));
    EXPECT_EQ(finished.at(0).at(1).value<TProcessResult>().End, TProcessResult::TEnd::Cancelled);
    QThread::msleep(100);
    EXPECT_TRUE(ProcessesOfGroup(group).isEmpty());

    // Cancelled while the copy is still being written: perl never starts.
    ASSERT_TRUE(run.Start(TRunKind::Cgi, script.Document, {}).isEmpty());
    run.Cancel();
    ASSERT_TRUE(finished.wait(3000));
    const auto early = finished.at(1).at(1).value<TProcessResult>();
    EXPECT_EQ(early.End, TProcessResult::TEnd::Cancelled);
    EXPECT_EQ(early.ElapsedMs, 0) << "no process was timed";
    EXPECT_FALSE(run.Running());
}

TEST(ScriptRunTest, AMissingPerlIsToldWithWhereItWasLookedFor)
{
    TScriptOnDisk script(QStringLiteral("x.cgi"), "print 1;\n");
    TScriptRun run;
    TRunOptions options;
    options.PerlPath = script.Folder.filePath(QStringLiteral("nowhere/perl"));
    const QString refused = run.Start(TRunKind::Check, script.Document, options);
    EXPECT_TRUE(refused.startsWith(QStringLiteral("perl が見つかりません"))) << refused.toStdString();
    EXPECT_TRUE(refused.contains(options.PerlPath));
    EXPECT_FALSE(run.Running());

    const TPerlLocation onPath = FindPerl({}, QStringLiteral("/nonexistent:") + script.Folder.path());
    EXPECT_TRUE(onPath.Program.isEmpty());
    EXPECT_TRUE(PerlMissingMessage(onPath).contains(QStringLiteral("/nonexistent:") + script.Folder.path()));
    EXPECT_FALSE(FindPerl({}, QStringLiteral("/usr/bin:/bin")).Program.isEmpty());
    EXPECT_EQ(FindPerl(QStringLiteral("perl"), QStringLiteral("/usr/bin")).Program, QStringLiteral("/usr/bin/perl"));
    EXPECT_TRUE(FindPerl(QStringLiteral("perl"), script.Folder.path()).Program.isEmpty());
}

TEST(ScriptRunTest, ACopyThatCannotBeWrittenIsToldAndLeavesNothingBehind)
{
    TScriptOnDisk script(QStringLiteral("long.cgi"), QByteArray(5000, '#') + "\n");
    QTemporaryDir temp;
    const QByteArray oldTemp = qgetenv("TMPDIR");
    qputenv("TMPDIR", temp.path().toLocal8Bit());
    TScriptRun run;
    QSignalSpy finished(&run, &TScriptRun::Finished);
    {
        // A disk that takes no more than 1,000 bytes of a file.
        test::TFileSizeLimit limit(1000);
        EXPECT_TRUE(run.Start(TRunKind::Check, script.Document, {}).isEmpty());
        EXPECT_TRUE(finished.wait(5000));
    }
    oldTemp.isNull() ? qunsetenv("TMPDIR") : qputenv("TMPDIR", oldTemp);
    ASSERT_EQ(finished.size(), 1);
    const auto result = finished.at(0).at(1).value<TProcessResult>();
    EXPECT_EQ(result.End, TProcessResult::TEnd::NotStarted) << "a shortened copy must never run";
    EXPECT_TRUE(result.StartError.startsWith(QStringLiteral("一時ファイル "))) << result.StartError.toStdString();
    EXPECT_TRUE(result.StartError.contains(QStringLiteral("に書き込めません")));
    EXPECT_TRUE(QDir(temp.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot).isEmpty());
}

TEST(ScriptRunTest, OutputOverTenMegabytesIsCutAndTheScriptStillEnds)
{
    TScriptOnDisk script(QStringLiteral("big.cgi"),
        "print \"Content-Type: text/plain\\n\\n\"; print 'x' x 1048576 for 1 .. 20; print STDERR 'done';\n");
    TScriptRun run;
    const auto result = RunAndWait(run, TRunKind::Cgi, script.Document);
    ASSERT_TRUE(result);
    EXPECT_TRUE(result->Ended()) << "the rest was read and dropped, never blocking the script";
    EXPECT_TRUE(result->OutputCut);
    EXPECT_EQ(result->Output.size(), 10 * 1024 * 1024);
    EXPECT_EQ(result->Errors, "done");
}

} // namespace
} // namespace brenvik
