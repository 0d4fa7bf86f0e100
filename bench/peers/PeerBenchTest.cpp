// The peers' text reading, and every window bench run as compare.sh runs it: each prints its figures in the
// result protocol, and refuses a file it cannot read.
#include "PeerText.h"

#include <QDateTime>
#include <QFile>
#include <QProcess>
#include <QStringEncoder>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <cmath>
#include <map>

using namespace brenvik::bench;

namespace {

QString WriteFile(const QTemporaryDir& dir, const char* name, const QByteArray& bytes)
{
    const QString path = dir.filePath(QString::fromLatin1(name));
    QFile file(path);
    EXPECT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(bytes);
    return path;
}

// A few hundred lines of a Japanese Perl script in Shift_JIS with CR LF.
QByteArray SmallScript()
{
    QString text;
    for (int line = 0; line < 300; ++line)
        text += QStringLiteral("print \"掲示板 %1 ﾃｽﾄ\";  # 全角　スペース\r\n").arg(line);
    QStringEncoder encoder("Shift_JIS");
    return encoder(text);
}

struct TRun {
    int ExitCode = -1;
    std::map<QString, double> Results;
    QString Errors;
};

TRun RunBench(const QString& program, const QStringList& arguments, const QString& startNs = QString())
{
    QProcess process;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    if (!startNs.isEmpty())
        environment.insert(QStringLiteral("BENCH_START_NS"), startNs);
    process.setProcessEnvironment(environment);
    process.start(program, arguments);
    EXPECT_TRUE(process.waitForFinished(300000)) << program.toStdString();
    TRun run;
    run.ExitCode = process.exitCode();
    run.Errors = QString::fromLocal8Bit(process.readAllStandardError());
    for (const QByteArray& line : process.readAllStandardOutput().split('\n')) {
        const QList<QByteArray> fields = line.split('\t');
        if (fields.size() == 4 && fields[0] == "result")
            run.Results[QString::fromLatin1(fields[1])] = fields[2].toDouble();
    }
    return run;
}

// The measures of the open mode and of the start mode, each printed once with a finite value.
void ExpectWindowFigures(const QString& program, const QStringList& openMeasures, const QString& startMeasure)
{
    QTemporaryDir dir;
    const QString script = WriteFile(dir, "small.cgi", SmallScript());

    const TRun open = RunBench(program, {QStringLiteral("open"), script});
    EXPECT_EQ(open.ExitCode, 0) << open.Errors.toStdString();
    ASSERT_EQ(open.Results.size(), static_cast<std::size_t>(openMeasures.size())) << open.Errors.toStdString();
    for (const QString& measure : openMeasures) {
        ASSERT_TRUE(open.Results.count(measure)) << measure.toStdString();
        EXPECT_TRUE(std::isfinite(open.Results.at(measure))) << measure.toStdString();
        EXPECT_GE(open.Results.at(measure), 0) << measure.toStdString();
    }

    const TRun start = RunBench(program, {QStringLiteral("start"), script});
    EXPECT_EQ(start.ExitCode, 0) << start.Errors.toStdString();
    ASSERT_EQ(start.Results.size(), 1u);
    EXPECT_GT(start.Results.at(startMeasure), 0);

    const TRun missing = RunBench(program, {QStringLiteral("open"), dir.filePath(QStringLiteral("absent.cgi"))});
    EXPECT_EQ(missing.ExitCode, 1);
    EXPECT_TRUE(missing.Results.empty());
    EXPECT_TRUE(missing.Errors.contains(QStringLiteral("cannot read"))) << missing.Errors.toStdString();
}

QStringList PeerMeasures(const char* peer, const QStringList& own)
{
    QStringList measures;
    for (const char* common : {"load_to_first_paint", "peak_extra_ratio", "rss", "enter", "repaint"})
        measures << QStringLiteral("peer.%1.%2").arg(QLatin1String(peer), QLatin1String(common));
    for (const QString& measure : own)
        measures << QStringLiteral("peer.%1.%2").arg(QLatin1String(peer), measure);
    return measures;
}

TEST(PeerText, DecodesShiftJisAndRefusesWhatIsNot)
{
    QTemporaryDir dir;
    QString text;
    ASSERT_TRUE(ReadShiftJisFile(WriteFile(dir, "good.cgi", "\x93\xFA\x96\x7B\x8C\xEA \xB6\xC5\r\n"), text));
    EXPECT_EQ(text, QStringLiteral("日本語 ｶﾅ\r\n"));
    EXPECT_FALSE(ReadShiftJisFile(WriteFile(dir, "bad.cgi", "ok \x81\x20 broken"), text));
    EXPECT_FALSE(ReadShiftJisFile(dir.filePath(QStringLiteral("absent.cgi")), text));
}

TEST(WindowBenches, TheMainWindowPrintsEveryOpenFigure)
{
    ExpectWindowFigures(QStringLiteral(BENCH_OPEN),
        {"open.to_first_paint", "open.peak_extra_ratio", "app.rss", "editor.enter", "paint.window"},
        QStringLiteral("app.start_to_first_paint"));
}

TEST(WindowBenches, StartIsCountedFromTheTimeHandedOver)
{
    QTemporaryDir dir;
    const QString script = WriteFile(dir, "small.cgi", SmallScript());
    const qint64 fiveSecondsAgo = (QDateTime::currentMSecsSinceEpoch() - 5000) * 1000000;
    const TRun start = RunBench(QStringLiteral(BENCH_OPEN), {QStringLiteral("start"), script}, QString::number(fiveSecondsAgo));
    ASSERT_EQ(start.ExitCode, 0) << start.Errors.toStdString();
    EXPECT_GE(start.Results.at(QStringLiteral("app.start_to_first_paint")), 5000);
}

TEST(WindowBenches, PlainTextPeerPrintsEveryFigure)
{
    ExpectWindowFigures(QStringLiteral(BENCH_PEER_PLAINTEXT),
        PeerMeasures("plaintext", {"search_matchcase", "search_ignorecase"}),
        QStringLiteral("peer.plaintext.start_to_first_paint"));
}

TEST(WindowBenches, ScintillaPeerPrintsEveryFigure)
{
#ifdef BENCH_PEER_QSCI
    ExpectWindowFigures(QStringLiteral(BENCH_PEER_QSCI),
        PeerMeasures("qsci", {"colourise", "search_matchcase", "search_ignorecase"}),
        QStringLiteral("peer.qsci.start_to_first_paint"));
#else
    GTEST_SKIP() << "bench_peer_qsci is not built here";
#endif
}

TEST(Floor, CopiesTheWholeFileAndRefusesAnEmptyOrMissingOne)
{
    QTemporaryDir dir;
    const TRun copied = RunBench(QStringLiteral(BENCH_PEER_FLOOR), {WriteFile(dir, "small.cgi", SmallScript())});
    EXPECT_EQ(copied.ExitCode, 0) << copied.Errors.toStdString();
    ASSERT_EQ(copied.Results.count(QStringLiteral("peer.memcpy.copy")), 1u);
    EXPECT_GT(copied.Results.at(QStringLiteral("peer.memcpy.copy")), 0);

    for (const QString& path : {WriteFile(dir, "empty.cgi", {}), dir.filePath(QStringLiteral("absent.cgi"))}) {
        const TRun refused = RunBench(QStringLiteral(BENCH_PEER_FLOOR), {path});
        EXPECT_EQ(refused.ExitCode, 1) << path.toStdString();
        EXPECT_TRUE(refused.Results.empty());
        EXPECT_TRUE(refused.Errors.contains(QStringLiteral("cannot read")));
    }
}

} // namespace
