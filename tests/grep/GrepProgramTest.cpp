// brenvik-grep run as a program: its output lines, exit codes, counts, names, colours and argument errors.
#include "GrepTree.h"

#include <QFile>
#include <QProcess>
#include <QRegularExpression>

#include <gtest/gtest.h>

namespace brenvik::test {
namespace {

struct TRun {
    int Status;
    std::string Out;
    std::string Errors;
};

TRun RunGrep(const QStringList& arguments, const QString& folder, const QByteArray& input = {})
{
    QProcess process;
    process.setWorkingDirectory(folder);
    process.start(QStringLiteral(BRENVIK_GREP), arguments);
    process.write(input);
    process.closeWriteChannel();
    EXPECT_TRUE(process.waitForFinished(60000));
    return {process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1,
        process.readAllStandardOutput().toStdString(), process.readAllStandardError().toStdString()};
}

TEST(GrepProgramTest, PrintsEachMatchingLineOnceInUtf8WithLineAndColumn)
{
    const TGrepTree tree;
    const QString root = QString::fromStdString(tree.Root());
    const TRun run = RunGrep({QStringLiteral("管理者"), QStringLiteral("cgi/euc-crlf.cgi"), QStringLiteral("cgi/jis-lf.cgi")}, root);
    EXPECT_EQ(run.Status, 0);
    EXPECT_EQ(run.Out.substr(0, run.Out.find('\n', run.Out.find('\n') + 1)),
        "cgi/euc-crlf.cgi:2:3:# 管理者用の設定ファイル（ソフト表示）\n"
        "cgi/euc-crlf.cgi:4:8:print \"管理者: $admin\\n\"; # 管理者 twice on one line");
    EXPECT_NE(run.Out.find("cgi/jis-lf.cgi:10:21:sub admin { return '管理者' . $_[0]; }\n"), std::string::npos);
    // One file named: no file names, as grep prints it.
    const TRun one = RunGrep({QStringLiteral("-w"), QStringLiteral("logfile"), QStringLiteral("cgi/utf8-lf.cgi")}, root);
    EXPECT_EQ(one.Out, "3:5:my $logfile = './data/log.txt';\n"
                       "8:15:open(LOG, \">>$logfile\") || die \"$logfile: $!\";\n"
                       "9:21:$logfiles{x} = 1; # logfile as a word in a comment\n");
    const TRun piped = RunGrep({QStringLiteral("-i"), QStringLiteral("ABC"), QStringLiteral("-")}, root, "x abc\nno\n");
    EXPECT_EQ(piped.Out, "1:3:x abc\n");
}

TEST(GrepProgramTest, ExitCodesCountsNamesAndColours)
{
    TGrepTree tree;
    const QString root = QString::fromStdString(tree.Root());
    EXPECT_EQ(RunGrep({QStringLiteral("nowhere-in-the-tree")}, root).Status, 1);
    const TRun names = RunGrep({QStringLiteral("-l"), QStringLiteral("--glob=*.pl"), QStringLiteral("管理者")}, root);
    EXPECT_EQ(names.Status, 0);
    EXPECT_EQ(names.Out, "./cgi/lib/euc-mixed.pl\n./cgi/lib/jis-mixed.pl\n./cgi/lib/sjis-mixed.pl\n"
                         "./cgi/lib/utf8-mixed.pl\n");
    const TRun counts = RunGrep({QStringLiteral("-c"), QStringLiteral("-g*mixed*"), QStringLiteral("$logfile"), QStringLiteral("cgi")}, root);
    EXPECT_EQ(counts.Out, "cgi/lib/euc-mixed.pl:3\ncgi/lib/jis-mixed.pl:3\ncgi/lib/sjis-mixed.pl:3\ncgi/lib/utf8-mixed.pl:3\n");
    const TRun colour = RunGrep({QStringLiteral("--color=always"), QStringLiteral("-h"), QStringLiteral("ｶﾞ"), QStringLiteral("cgi/sjis-cr.cgi")}, root);
    EXPECT_EQ(colour.Out, "\x1b[32m5\x1b[m\x1b[36m:\x1b[m\x1b[32m18\x1b[m\x1b[36m:\x1b[m"
                          "my $kana = 'ｶﾀｶﾅ \x1b[01;31mｶﾞ\x1b[mｷﾞ カタカナ ガギ';\n");
    // Trouble is told on standard error, the rest is still searched, and the status says so.
    tree.AddSpecials();
    const TRun trouble = RunGrep({QStringLiteral("管理者")}, root);
    EXPECT_EQ(trouble.Status, 2);
    EXPECT_NE(trouble.Out.find("./cgi/utf8-lf.cgi:2:3:"), std::string::npos);
    EXPECT_NE(trouble.Errors.find("brenvik-grep: ./cgi/pipe.cgi: 名前付きパイプ"), std::string::npos) << trouble.Errors;
    EXPECT_NE(trouble.Errors.find("./cgi/lib/loop: フォルダへのリンク"), std::string::npos) << trouble.Errors;
    EXPECT_TRUE(RunGrep({QStringLiteral("-s"), QStringLiteral("管理者")}, root).Errors.empty());
    // A FIFO is only skipped: no match is status 1, not an error.
    const TRun pipe = RunGrep({QStringLiteral("管理者"), QStringLiteral("cgi/pipe.cgi")}, root);
    EXPECT_EQ(pipe.Status, 1) << pipe.Errors;
    EXPECT_NE(pipe.Errors.find("FIFO"), std::string::npos);
}

TEST(GrepProgramTest, WrongArgumentsAreToldWithStatusTwo)
{
    const QString here = QStringLiteral(".");
    const char* const wrong[][2] = {{"", ""}, {"--code=cp1252", "x"}, {"--max-depth", "deep"}, {"--nonsense", "x"},
        {"--max-filesize=3G", "x"}, {"x\ny", "."}, {"한국어", "."}};
    for (const auto& arguments : wrong) {
        QStringList list;
        for (const char* argument : arguments)
            if (*argument)
                list << QString::fromUtf8(argument);
        const TRun run = RunGrep(list, here);
        EXPECT_EQ(run.Status, 2) << list.join(' ').toStdString();
        EXPECT_NE(run.Errors.find("see --help"), std::string::npos) << run.Errors;
    }
}

TEST(GrepProgramTest, EveryOptionOfTheHelpIsInTheManualPage)
{
    const TRun help = RunGrep({QStringLiteral("--help")}, QStringLiteral("."));
    EXPECT_EQ(help.Status, 0);
    QFile file(QStringLiteral(BRENVIK_GREP_PAGE));
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    // groff writes a hyphen "\-"; the page's words compare in their printed form.
    const QString page = QString::fromUtf8(file.readAll()).replace(QStringLiteral("\\-"), QStringLiteral("-"));
    static const QRegularExpression option(QStringLiteral("(?<![\\w-])(--?[a-zA-Z][a-z-]*)(?![\\w-])"));
    int options = 0;
    for (auto match = option.globalMatch(QString::fromStdString(help.Out)); match.hasNext(); ++options) {
        const QString found = match.next().captured(1);
        EXPECT_TRUE(page.contains(found)) << "brenvik-grep.1 does not list " << found.toStdString();
    }
    EXPECT_GT(options, 20);
}

} // namespace
} // namespace brenvik::test
