// Two copies of the program on one settings file: the recent-files list they share keeps
// the order of opening across both and never grows past its capacity.
#include "FakePrompts.h"
#include "app/FileHistory.h"
#include "app/frmMain.h"

#include <QDeadlineTimer>
#include <QFile>
#include <QProcess>
#include <QSettings>
#include <QTemporaryDir>
#include <QThread>
#include <gtest/gtest.h>

namespace brenvik {
namespace {

class SharedHistoryTest : public ::testing::Test {
protected:
    SharedHistoryTest() { qputenv("BRENVIK_HOME", FHome.path().toLocal8Bit()); }
    ~SharedHistoryTest() override { qunsetenv("BRENVIK_HOME"); }

    QString Script(const QString& name) const
    {
        QFile file(FHome.filePath(name));
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        file.write("print \"ok\";\r\n");
        return FHome.filePath(name);
    }
    QStringList History() const
    {
        QSettings settings(FHome.filePath("brenvik.ini"), QSettings::IniFormat);
        return ReadHistory(settings);
    }
    // The real program, started as a user would with a file named, until the file stands at
    // the top of the shared history; then it is stopped.
    void OpenInSecondProcess(const QString& path)
    {
        QProcess program;
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert("QT_QPA_PLATFORM", "offscreen");
        environment.insert("BRENVIK_HOME", FHome.path());
        program.setProcessEnvironment(environment);
        program.start(QStringLiteral(BRENVIK_PROGRAM), {path});
        ASSERT_TRUE(program.waitForStarted(10000));
        const QDeadlineTimer deadline(30000);
        while (History().value(0) != path && !deadline.hasExpired() && program.state() == QProcess::Running)
            QThread::msleep(20);
        program.kill();
        program.waitForFinished(10000);
        ASSERT_EQ(History().value(0), path) << "the second process never recorded " << path.toStdString();
    }

    QTemporaryDir FHome;
    test::TFakePrompts prompts;
};

TEST_F(SharedHistoryTest, BothProcessesAddInTurnMostRecentFirstAndAtMostEight)
{
    TfrmMain window(&prompts);
    const QString first = Script("a.cgi");
    ASSERT_TRUE(window.LoadFile(first));
    const QString second = Script("b.cgi");
    OpenInSecondProcess(second);
    // This window read the list anew: the other process's entry stays, below the newest.
    const QString third = Script("c.cgi");
    ASSERT_TRUE(window.LoadFile(third));
    EXPECT_EQ(History().join('\n'), QStringList({third, second, first}).join('\n'));

    QStringList expected {third, second, first};
    for (int i = 0; i < kHistoryCapacity; ++i) {
        const QString path = Script(QStringLiteral("more%1.cgi").arg(i));
        ASSERT_TRUE(window.LoadFile(path));
        expected.prepend(path);
    }
    expected = expected.mid(0, kHistoryCapacity);
    const QString again = expected.back();
    OpenInSecondProcess(again);
    expected.removeAll(again);
    expected.prepend(again);
    EXPECT_EQ(History().join('\n'), expected.join('\n')) << "an entry opened again moves to the top, none twice";
}

} // namespace
} // namespace brenvik
