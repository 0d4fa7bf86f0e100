// The brenvik-jconv program, run as a user would, and compared with nkf where it is installed.
#include "jcode/FileBytes.h"

#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

const QString kData = QStringLiteral(BRENVIK_TEST_DATA "/jcode/");

struct TRun {
    int exitCode = -1;
    QByteArray out;
    QByteArray err;
};

TRun RunProgram(const QString& program, const QStringList& arguments)
{
    QProcess process;
    process.start(program, arguments);
    EXPECT_TRUE(process.waitForFinished(30000)) << program.toStdString();
    return {process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1,
        process.readAllStandardOutput(), process.readAllStandardError()};
}

TRun Jconv(const QStringList& arguments)
{
    return RunProgram(QStringLiteral(BRENVIK_JCONV), arguments);
}

QByteArray DataFile(const QString& name)
{
    const auto bytes = brenvik::TFileBytes::Read((kData + name).toStdString());
    return QByteArray(bytes.View().data(), static_cast<qsizetype>(bytes.View().size()));
}

} // namespace

TEST(Jconv, GuessPrintsTheCodesTheEditorDecides)
{
    const TRun run = Jconv(
        {"--guess", kData + "board.sjis.crlf.txt", kData + "board.euc.lf.txt", kData + "board.jis.cr.txt"});
    EXPECT_EQ(run.exitCode, 0);
    EXPECT_EQ(run.out,
        (kData + "board.sjis.crlf.txt\tS-JIS\tCRLF\n" + kData + "board.euc.lf.txt\tEUC\tLF\n" + kData
            + "board.jis.cr.txt\tJIS\tCR\n")
            .toUtf8());
}

TEST(Jconv, ConvertsBetweenCodesAndLineEnds)
{
    const TRun toEuc = Jconv({"--to", "euc", "--eol", "lf", kData + "board.sjis.crlf.txt"});
    EXPECT_EQ(toEuc.exitCode, 0);
    EXPECT_EQ(toEuc.out, DataFile("board.euc.lf.txt"));
    // Without --eol the detected line end is kept.
    EXPECT_EQ(Jconv({"--to", "sjis", kData + "board.euc.lf.txt"}).out,
        DataFile("board.sjis.crlf.txt").replace("\r\n", "\n"));
    EXPECT_EQ(
        Jconv({"--to", "jis", "--eol", "cr", kData + "board.euc.lf.txt"}).out, DataFile("board.jis.cr.txt"));
    EXPECT_EQ(Jconv({"--to", "sjis", "--eol", "crlf", kData + "board.jis.cr.txt"}).out,
        DataFile("board.sjis.crlf.txt"));
}

TEST(Jconv, MistakesGiveOneLineOnStandardErrorAndFail)
{
    const QString file = kData + "board.sjis.crlf.txt";
    for (const QStringList& arguments :
        {QStringList {}, QStringList {"--to", "utf16", file}, QStringList {"--to", "euc", "--eol", "nl", file},
            QStringList {"--bogus", file}, QStringList {"--to"}, QStringList {"--to", "euc", file, file},
            QStringList {"--guess", "--to", "euc", file}, QStringList {"--to", "euc", kData + "missing.cgi"},
            QStringList {"--to", "euc", kData}}) {
        const TRun run = Jconv(arguments);
        EXPECT_NE(run.exitCode, 0) << arguments.join(' ').toStdString();
        EXPECT_TRUE(run.out.isEmpty()) << arguments.join(' ').toStdString();
        EXPECT_EQ(run.err.count('\n'), 1) << run.err.toStdString();
        EXPECT_TRUE(run.err.startsWith("brenvik-jconv: ")) << run.err.toStdString();
    }
    // --guess reports every file it can, and fails for the one it cannot read.
    const TRun guess = Jconv({"--guess", kData + "missing.cgi", file});
    EXPECT_EQ(guess.exitCode, 1);
    EXPECT_EQ(guess.out, (file + "\tS-JIS\tCRLF\n").toUtf8());
    EXPECT_TRUE(guess.err.contains("missing.cgi"));
}

TEST(Jconv, HelpNamesEveryOption)
{
    const TRun run = Jconv({"--help"});
    EXPECT_EQ(run.exitCode, 0);
    for (const char* option : {"--guess", "--to", "--eol", "sjis|euc|jis", "crlf|cr|lf"}) {
        EXPECT_TRUE(run.out.contains(option)) << option;
    }
}

TEST(Jconv, AgreesWithNkfOnOrdinaryShiftJisText)
{
    const QString nkf = QStandardPaths::findExecutable("nkf");
    if (nkf.isEmpty()) {
        GTEST_SKIP() << "nkf is not installed";
    }
    for (const QString& name :
        {kData + "board.sjis.crlf.txt", QStringLiteral(BRENVIK_EXAMPLES "/keijiban.cgi")}) {
        const TRun ours = Jconv({"--to", "euc", name});
        const TRun theirs = RunProgram(nkf, {"-x", "-e", name});
        EXPECT_EQ(ours.exitCode, 0);
        EXPECT_FALSE(ours.out.isEmpty());
        EXPECT_EQ(ours.out, theirs.out) << name.toStdString();
    }
}

namespace {

TRun JconvWithInput(const QStringList& arguments, const QByteArray& input)
{
    QProcess process;
    process.start(QStringLiteral(BRENVIK_JCONV), arguments);
    process.write(input);
    process.closeWriteChannel();
    EXPECT_TRUE(process.waitForFinished(30000));
    return {process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1,
        process.readAllStandardOutput(), process.readAllStandardError()};
}

} // namespace

TEST(Jconv, BinaryFilesAreNamedAndConvertedOnlyWhenForced)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString binary = dir.filePath("program");
    QFile file(binary);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(QByteArray("\x7F" "ELF\x02\x01\x01\x00\x00\x00\n\x88\x9F\n", 14));
    file.close();
    const TRun guess = Jconv({"--guess", binary});
    EXPECT_EQ(guess.exitCode, 0);
    EXPECT_EQ(guess.out, (binary + "\tbinary\tLF\n").toUtf8());
    const TRun refused = Jconv({"--to", "euc", binary});
    EXPECT_EQ(refused.exitCode, 1);
    EXPECT_TRUE(refused.out.isEmpty());
    EXPECT_TRUE(refused.err.contains("--force")) << refused.err.toStdString();
    const TRun forced = Jconv({"--to", "euc", "--force", binary});
    EXPECT_EQ(forced.exitCode, 0);
    EXPECT_TRUE(forced.out.endsWith("\n\xB0\xA1\n")) << forced.out.toHex().toStdString();
}

TEST(Jconv, StandardInputVersionAndOutputFile)
{
    const TRun piped = JconvWithInput({"--to", "sjis", "--eol", "crlf", "-"}, DataFile("board.euc.lf.txt"));
    EXPECT_EQ(piped.exitCode, 0);
    EXPECT_EQ(piped.out, DataFile("board.sjis.crlf.txt"));
    const TRun guessed = JconvWithInput({"--guess", "-"}, DataFile("board.jis.cr.txt"));
    EXPECT_EQ(guessed.out, "-\tJIS\tCR\n");

    const TRun version = Jconv({"--version"});
    EXPECT_EQ(version.exitCode, 0);
    EXPECT_TRUE(version.out.startsWith("brenvik-jconv ")) << version.out.toStdString();

    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString out = dir.filePath("board.euc");
    const TRun written = Jconv({"--to", "euc", "--eol", "lf", "-o", out, kData + "board.sjis.crlf.txt"});
    EXPECT_EQ(written.exitCode, 0);
    EXPECT_TRUE(written.out.isEmpty());
    EXPECT_EQ(QByteArray::fromStdString(std::string(brenvik::TFileBytes::Read(out.toStdString()).View())),
        DataFile("board.euc.lf.txt"));
}

TEST(Jconv, WritesThatFailGiveAMessageAndFail)
{
    const QString file = kData + "board.sjis.crlf.txt";
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const TRun missing = Jconv({"--to", "euc", "--output", dir.filePath("no/such/out.euc"), file});
    EXPECT_EQ(missing.exitCode, 1);
    EXPECT_TRUE(missing.err.startsWith("brenvik-jconv: ")) << missing.err.toStdString();
    EXPECT_FALSE(QFileInfo::exists(dir.filePath("no")));

    QProcess full;
    full.setStandardOutputFile(QStringLiteral("/dev/full"));
    full.start(QStringLiteral(BRENVIK_JCONV), {"--to", "euc", file});
    ASSERT_TRUE(full.waitForFinished(30000));
    EXPECT_EQ(full.exitCode(), 1);
    EXPECT_TRUE(full.readAllStandardError().contains("標準出力"));
}

// UTF-8 files are named and written back as they are; Shift_JIS goes to UTF-8 as iconv writes it, and back.
TEST(Jconv, Utf8FilesAndScriptsToUtf8)
{
    const QString lf = kData + "script.utf8.lf.cgi";
    const QString crlf = kData + "script.utf8bom.crlf.cgi";
    const TRun guess = Jconv({"--guess", lf, crlf});
    // The byte-order mark is told.
    EXPECT_EQ(guess.out, (lf + "\tUTF-8\tLF\n" + crlf + "\tUTF-8 (BOM)\tCRLF\n").toUtf8());
    for (const QString& name : {lf, crlf}) {
        const TRun same = Jconv({"--to", "utf8", name});
        EXPECT_EQ(same.exitCode, 0);
        EXPECT_EQ(same.out, DataFile(QFileInfo(name).fileName())) << name.toStdString();
        // Emoji and the second forms have no code outside the document: said once, on standard error.
        const TRun sjis = Jconv({"--to", "sjis", name});
        EXPECT_EQ(sjis.exitCode, 0);
        EXPECT_EQ(sjis.err.count('\n'), 1);
        EXPECT_TRUE(sjis.out.contains("\x87\x40\x87\x41 \x87\x8A \xFB\xFC")) << "①② ㈱ 髙";
    }
    const QString board = kData + "board.sjis.crlf.txt";
    const TRun utf8 = Jconv({"--to", "utf8", board});
    EXPECT_EQ(utf8.exitCode, 0);
    const QString iconv = QStandardPaths::findExecutable("iconv");
    if (!iconv.isEmpty()) {
        EXPECT_EQ(utf8.out, RunProgram(iconv, {"-f", "CP932", "-t", "UTF-8", board}).out);
    }
    const TRun back = JconvWithInput({"--to", "sjis", "-"}, utf8.out);
    EXPECT_EQ(back.out, DataFile("board.sjis.crlf.txt"));
    EXPECT_TRUE(back.err.isEmpty());
}

namespace {

QString WriteTemp(const QTemporaryDir& dir, const QString& name, const QByteArray& bytes)
{
    QFile file(dir.filePath(name));
    EXPECT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(bytes);
    return file.fileName();
}

} // namespace

// A file converted to its own code is the editor's unchanged save: the same bytes, whatever its breaks, its
// last line or its JIS escapes; converted to another code it keeps its first line end.
TEST(Jconv, OwnCodeChangesNothingAndOtherCodesKeepTheFilesLineEnd)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QByteArray jisKana = "\x1B$B7G<(HD\x1B(B\r\n\x1B(I6^2D^\x1B(B\n# end";
    const QByteArray eucMixed = "# \xA4\xA2\xB7\xC7\xBC\xA8\xC8\xC4\r\nx\n\x8E\xB6\ry";
    const QByteArray sjisNoBreak = "print \"\x8C\x66\x8E\xA6\x94\xC2\";";
    const struct {
        QByteArray bytes;
        const char* code;
    } cases[] = {{jisKana, "jis"}, {eucMixed, "euc"}, {sjisNoBreak, "sjis"}, {DataFile("board.jis.cr.txt"), "jis"},
        {DataFile("script.utf8bom.crlf.cgi"), "utf8"}};
    int files = 0;
    for (const auto& sample : cases) {
        const QString path = WriteTemp(dir, QString::number(++files), sample.bytes);
        const TRun run = Jconv({"--to", sample.code, path});
        EXPECT_EQ(run.exitCode, 0);
        EXPECT_EQ(run.out, sample.bytes) << sample.code;
    }
    const QString example = QStringLiteral(BRENVIK_EXAMPLES "/keijiban.cgi");
    EXPECT_EQ(Jconv({"--to", "sjis", example}).out,
        QByteArray::fromStdString(std::string(brenvik::TFileBytes::Read(example.toStdString()).View())));
    // JIS X 0201 kana are half-width kana in every other code.
    const TRun sjis = Jconv({"--to", "sjis", WriteTemp(dir, "kana", jisKana)});
    EXPECT_EQ(sjis.out, "\x8C\x66\x8E\xA6\x94\xC2\r\n\xB6\xDE\xB2\xC4\xDE\r\n# end\r\n");
    // The first break comes after 1,024 bytes: still the file's own.
    const QByteArray longFirst = "# " + QByteArray(2000, 'x') + "\n\x8C\x66\n";
    EXPECT_EQ(Jconv({"--to", "euc", WriteTemp(dir, "long", longFirst)}).out,
        "# " + QByteArray(2000, 'x') + "\n\xB7\xC7\n");
}

// What never ends is never read: devices and named pipes are refused at once, and standard input stops at the
// stated maximum.
TEST(Jconv, RefusesWhatIsNotARegularFileAndBoundsWhatItReads)
{
    for (const QStringList& arguments : {QStringList {"--guess", "/dev/zero"}, QStringList {"--to", "sjis", "/dev/zero"}}) {
        const TRun run = Jconv(arguments);
        EXPECT_EQ(run.exitCode, 1);
        EXPECT_TRUE(run.out.isEmpty());
        EXPECT_TRUE(run.err.contains("通常のファイルではない")) << run.err.toStdString();
    }
    const QByteArray big(5000, 'a');
    const TRun bounded = JconvWithInput({"--to", "euc", "--max-size", "4K", "-"}, big);
    EXPECT_EQ(bounded.exitCode, 1);
    EXPECT_TRUE(bounded.err.contains("4096")) << bounded.err.toStdString();
    EXPECT_EQ(JconvWithInput({"--to", "euc", "--max-size", "5000", "-"}, big).out, big + "\r\n");
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const TRun file = Jconv({"--guess", "--max-size", "1K", WriteTemp(dir, "big", big)});
    EXPECT_EQ(file.exitCode, 1);
    EXPECT_EQ(Jconv({"--to", "euc", "--max-size", "12Q", "-"}).exitCode, 2);
}
