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
