// Reading and writing script files as the editor's open and save commands do.
#include "DecodedTextCheck.h"
#include "Samples.h"

#include "jcode/ScriptFile.h"

#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <fstream>

using namespace brenvik;
using Lines = std::vector<std::string>;

namespace {

const std::string kData = BRENVIK_TEST_DATA "/jcode/";

std::string ReadAll(const std::string& path)
{
    return std::string(TFileBytes::Read(path).View());
}

void WriteAll(const std::string& path, std::string_view bytes)
{
    std::ofstream(path, std::ios::binary) << bytes;
}

} // namespace

TEST(LoadScriptFile, TheSameBoardInEveryCodeLoadsAlike)
{
    const TDecodedText sjis = LoadScriptFile(kData + "board.sjis.crlf.txt");
    const TDecodedText euc = LoadScriptFile(kData + "board.euc.lf.txt");
    const TDecodedText jis = LoadScriptFile(kData + "board.jis.cr.txt");
    for (const TDecodedText* text : {&sjis, &euc, &jis}) {
        CheckDecodedText(*text);
    }
    EXPECT_EQ(sjis.jcode, jcSjis);
    EXPECT_EQ(sjis.rcode, rcCrLf);
    EXPECT_EQ(euc.jcode, jcEuc);
    EXPECT_EQ(euc.rcode, rcLf);
    EXPECT_EQ(jis.jcode, jcJis);
    EXPECT_EQ(jis.rcode, rcCr);
    ASSERT_EQ(sjis.Lines.size(), 8u);
    EXPECT_EQ(sjis.Lines[2], "my $title = '" + samples::kBoardSjis + "';");
    EXPECT_EQ(euc.Lines, sjis.Lines);
    EXPECT_EQ(jis.Lines, sjis.Lines);
}

TEST(SaveScriptFile, WritesTheChosenCodeAndReadsBack)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const std::string path = dir.filePath("board.cgi").toStdString();
    const TDecodedText sjis = LoadScriptFile(kData + "board.sjis.crlf.txt");
    SaveScriptFile(path, sjis.Lines, jcEuc, rcLf);
    EXPECT_EQ(ReadAll(path), ReadAll(kData + "board.euc.lf.txt"));
    SaveScriptFile(path, sjis.Lines, jcJis, rcCr);
    EXPECT_EQ(ReadAll(path), ReadAll(kData + "board.jis.cr.txt"));
    // Stated on open, the codes are kept for the next save.
    const TDecodedText stated = LoadScriptFile(path, TStatedCodes {jcJis, rcCr});
    EXPECT_EQ(stated.Lines, sjis.Lines);
    SaveScriptFile(path, stated.Lines, stated.jcode, stated.rcode);
    EXPECT_EQ(ReadAll(path), ReadAll(kData + "board.jis.cr.txt"));
}

TEST(ScriptFileErrors, CarryTheFileNameAndTheReason)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const std::string missing = dir.filePath("missing.cgi").toStdString();
    try {
        LoadScriptFile(missing);
        FAIL() << "a missing file loaded";
    } catch (const EScriptFileError& error) {
        EXPECT_EQ(error.FileName(), missing);
        EXPECT_FALSE(error.Reason().empty());
        EXPECT_EQ(std::string(error.what()), missing + ": " + error.Reason());
    }
    EXPECT_THROW(LoadScriptFile(dir.path().toStdString()), EScriptFileError);
    // A save into a folder that does not exist fails and creates nothing.
    const std::string nowhere = dir.filePath("no/such/folder/x.cgi").toStdString();
    EXPECT_THROW(SaveScriptFile(nowhere, Lines {"a"}, jcSjis, rcCrLf), EScriptFileError);
}

TEST(LoadScriptFile, BadBytesAreKeptAsTheyAre)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const std::string path = dir.filePath("bad.cgi").toStdString();
    const std::string bad = std::string("nul\0here\r\n", 10) + "\xFF\xFE\x80\r\n" + "lead at end\x82\r\n";
    WriteAll(path, bad);
    const TDecodedText text = LoadScriptFile(path);
    CheckDecodedText(text);
    EXPECT_EQ(text.Lines, (Lines {std::string("nul\0here", 8), "\xFF\xFE\x80", "lead at end\x82"}));
    EXPECT_EQ(EncodeLinesForSave(text.Lines, text.jcode, text.rcode), bad);

    WriteAll(path, "x");
    EXPECT_EQ(LoadScriptFile(path).Lines, Lines {"x"});
    WriteAll(path, "");
    EXPECT_EQ(LoadScriptFile(path).Lines, Lines {});
}

TEST(LoadScriptFile, LongLinesAndLargeFilesAreReadWhole)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const std::string path = dir.filePath("long.cgi").toStdString();
    std::string longLine;
    while (longLine.size() < 100000) {
        longLine += samples::kBoardSjis + " ";
    }
    // Past several huge-page blocks, so the buffer has to grow as well as be filled.
    std::string file;
    while (file.size() < 5 * 1024 * 1024) {
        file += longLine + "\r\n";
    }
    WriteAll(path, file);
    const TDecodedText text = LoadScriptFile(path);
    EXPECT_EQ(text.rcode, rcNone); // no break within the first 1024 bytes
    ASSERT_EQ(text.Lines.size(), file.size() / (longLine.size() + 2));
    EXPECT_EQ(text.Lines.front(), longLine);
    EXPECT_EQ(text.Lines.back(), longLine);
}

namespace {

struct TCollected {
    Lines lines;
    TStatedCodes codes;
};

TCollected DecodeThroughWindow(const std::string& path, std::optional<TStatedCodes> stated = std::nullopt)
{
    TCollected collected;
    collected.codes = DecodeScriptFileTo(
        path, stated, [&](std::string_view line) { collected.lines.emplace_back(line); });
    return collected;
}

// Kilobytes of file-backed memory mapped into this process.
long RssFileKb()
{
    std::ifstream status("/proc/self/status");
    std::string key;
    long value = 0;
    while (status >> key) {
        if (key == "RssFile:") {
            status >> value;
            return value;
        }
    }
    return -1;
}

} // namespace

// The windowed open gives the lines and codes of the whole-buffer decode for every awkward file,
// and for one that spans several release steps of the window.
TEST(DecodeScriptFileTo, LinesAreThoseOfTheWholeFileDecode)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const std::string path = dir.filePath("f.cgi").toStdString();
    std::string big;
    for (int i = 0; big.size() < 9 * 1024 * 1024; ++i) {
        big += i % 7 == 0 ? std::string(100000, 'y') + "\n" : samples::kBoardEuc + " " + std::to_string(i) + "\n";
    }
    const std::vector<std::string> files {"", "x", "a\r\nb", "a\rb\r\r\n\n",
        std::string("nul\0\x1A\r\n", 7) + "\xFF\xFE\x80\r\n" + "lead at end\x82\r\n" + samples::kBoardSjis,
        samples::kBoardEuc + "\n\xA4\xA2\n", samples::kBoardJisClosedB + "\r", big};
    for (const std::string& file : files) {
        WriteAll(path, file);
        const TDecodedText whole = DecodeFileBytes(file);
        const TCollected windowed = DecodeThroughWindow(path);
        EXPECT_EQ(windowed.lines, whole.Lines) << file.substr(0, 40);
        EXPECT_EQ(windowed.codes.jcode, whole.jcode);
        EXPECT_EQ(windowed.codes.rcode, whole.rcode);
    }
    const TCollected stated = DecodeThroughWindow(path, TStatedCodes {jcSjis, rcCr});
    EXPECT_EQ(stated.codes.rcode, rcCr);
    EXPECT_EQ(stated.lines, DecodeFileBytes(big, TStatedCodes {jcSjis, rcCr}).Lines);
}

TEST(DecodeScriptFileTo, AFileThatCannotBeReadNeverReachesTheSink)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    bool called = false;
    const auto sink = [&](std::string_view) { called = true; };
    EXPECT_THROW(DecodeScriptFileTo(dir.filePath("missing.cgi").toStdString(), std::nullopt, sink),
        EScriptFileError);
    EXPECT_THROW(DecodeScriptFileTo(dir.path().toStdString(), std::nullopt, sink), EScriptFileError);
    EXPECT_FALSE(called);
}

// Both passes give back the pages they have walked: the mapped part of a 48 MB file stays small.
TEST(DecodeScriptFileTo, TheFileIsNeverMappedWhole)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const std::string path = dir.filePath("large.cgi").toStdString();
    {
        std::ofstream out(path, std::ios::binary);
        const std::string line = "print \"" + samples::kBoardSjis + "\";\r\n";
        for (std::size_t size = 0; size < 48u * 1024 * 1024; size += line.size()) {
            out << line;
        }
    }
    const long before = RssFileKb();
    ASSERT_GE(before, 0);
    long peak = before;
    std::size_t lines = 0;
    DecodeScriptFileTo(path, std::nullopt, [&](std::string_view) {
        if (++lines % 20000 == 0) {
            peak = std::max(peak, RssFileKb());
        }
    });
    EXPECT_GT(lines, 1000000u);
    EXPECT_LT(peak - before, 16 * 1024) << "KB of the file mapped at once";
}
