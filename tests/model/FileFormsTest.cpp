// An unchanged open and save gives the file back byte for byte, in every code, line end, final-break state,
// mix of line ends, JIS escape form and binary file; edited lines take the document's forms, and a save in
// chosen codes writes by the rules.
#include "model/ScriptDocument.h"
#include "text/EditorStrings.h"

#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

namespace brenvik {
namespace {

const std::string kSjisKana = "\xB6\xDE\xB2\xC4\xDE"; // ｶﾞｲﾄﾞ in Shift_JIS
const std::string kSjisBoard = "\x8C\x66\x8E\xA6\x94\xC2"; // 掲示板

// One script's lines in each code; JIS in the escapes given.
struct TJisStyle {
    std::string kanji; // ESC $ B or ESC $ @
    std::string roman; // ESC ( B or ESC ( J
    int kana = 0; // 0 none, 1 ESC ( I, 2 SO ... SI
};

std::vector<std::string> ScriptLines(JCode jcode, bool bom, const TJisStyle& jis = {})
{
    std::string board;
    std::string kana;
    switch (jcode) {
    case jcSjis:
        board = kSjisBoard;
        kana = kSjisKana;
        break;
    case jcEuc:
        board = "\xB7\xC7\xBC\xA8\xC8\xC4";
        kana = "\x8E\xB6\x8E\xDE\x8E\xB2\x8E\xC4\x8E\xDE";
        break;
    case jcJis:
        board = jis.kanji + "7G<(HD" + jis.roman;
        kana = jis.kana == 1 ? "\x1B(I6^2D^" + jis.roman : jis.kana == 2 ? "\x0E" "6^2D^\x0F" : "";
        break;
    default:
        board = "\xE6\x8E\xB2\xE7\xA4\xBA\xE6\x9D\xBF";
        kana = "\xEF\xBD\xB6\xEF\xBE\x9E\xEF\xBD\xB2\xEF\xBE\x84\xEF\xBE\x9E";
        break;
    }
    return {(bom ? "\xEF\xBB\xBF" : "") + std::string("#!/usr/bin/perl"), "print \"" + board + "\";", kana, "",
        "# " + board + " end"};
}

std::string Joined(const std::vector<std::string>& lines, const std::vector<std::string>& ends, bool finalBreak)
{
    std::string bytes;
    for (std::size_t i = 0; i < lines.size(); ++i) {
        bytes += lines[i];
        if (i + 1 < lines.size() || finalBreak)
            bytes += ends[i % ends.size()];
    }
    return bytes;
}

class FileFormsTest : public ::testing::Test {
protected:
    FileFormsTest() { document.Side().SetFolder(Path("ini")); }
    QString Path(const QString& name) const { return FHome.filePath(name); }
    QString Write(const QString& name, const std::string& bytes) const
    {
        QFile file(Path(name));
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        EXPECT_EQ(file.write(bytes.data(), static_cast<qint64>(bytes.size())), static_cast<qint64>(bytes.size()));
        return Path(name);
    }
    static std::string Read(const QString& path)
    {
        QFile file(path);
        return file.open(QIODevice::ReadOnly) ? file.readAll().toStdString() : "<unreadable>";
    }
    TFileResult Load(const QString& path) { return document.Load(path, std::nullopt, CheckScriptFile(path)); }
    TFileResult SaveAsItIs(TWriteForms forms = TWriteForms::wfAsFound)
    {
        return document.Save(document.FileName(), document.Codes(), rcCrLf, forms);
    }
    std::string Line(int index) { return document.Model().Lines().Get(index); }

    QTemporaryDir FHome;
    TScriptDocument document;
};

TEST_F(FileFormsTest, EveryCodeLineEndFinalBreakMixAndJisFormSavesBackUnchanged)
{
    std::vector<std::vector<std::string>> texts;
    for (const JCode jcode : {jcSjis, jcEuc, jcUtf8})
        texts.push_back(ScriptLines(jcode, false));
    texts.push_back(ScriptLines(jcUtf8, true));
    for (const char* kanji : {"\x1B$B", "\x1B$@"})
        for (const char* roman : {"\x1B(B", "\x1B(J"})
            for (int kana = 0; kana < 3; ++kana)
                texts.push_back(ScriptLines(jcJis, false, {kanji, roman, kana}));
    const std::vector<std::vector<std::string>> endings = {{"\r\n"}, {"\r"}, {"\n"}, {"\r\n", "\n"}, {"\n", "\r", "\r\n"},
        {"\r", "\r\n"}};
    int files = 0;
    for (const auto& lines : texts) {
        for (const auto& ends : endings) {
            for (const bool finalBreak : {true, false}) {
                const std::string bytes = Joined(lines, ends, finalBreak);
                const QString path = Write(QStringLiteral("f%1.cgi").arg(++files), bytes);
                ASSERT_TRUE(Load(path));
                ASSERT_TRUE(SaveAsItIs());
                ASSERT_EQ(Read(path), bytes) << "file " << files;
            }
        }
    }
}

TEST_F(FileFormsTest, JisKanaReadAsHalfWidthAndWrittenInTheFilesForm)
{
    for (const int kana : {1, 2}) {
        const std::vector<std::string> lines = ScriptLines(jcJis, false, {"\x1B$B", "\x1B(B", kana});
        const QString path = Write(QStringLiteral("k%1.cgi").arg(kana), Joined(lines, {"\n"}, true));
        ASSERT_TRUE(Load(path));
        EXPECT_EQ(document.DocumentJCode(), jcJis);
        EXPECT_EQ(Line(2), kSjisKana);
        // An edited line takes the file's escapes: ASCII's ESC ( B and the kana form found.
        document.Model().SetRowCol(2, 0);
        document.Model().TypeText("\x8C\x66"); // 掲
        document.Model().SetRowCol(4, 0);
        document.Model().TypeText("#");
        ASSERT_TRUE(SaveAsItIs());
        std::vector<std::string> expected = lines;
        expected[2] = kana == 1 ? "\x1B$B7G\x1B(I6^2D^\x1B(B" : "\x1B$B7G\x1B(B\x0E" "6^2D^\x0F";
        expected[4] = "#" + expected[4];
        EXPECT_EQ(Read(path), Joined(expected, {"\n"}, true));
    }
}

TEST_F(FileFormsTest, EditedLinesTakeTheDocumentsBreakAndTheOthersKeepTheirOwn)
{
    const std::vector<std::string> lines = {"a", "b", "c", "d"};
    const QString path = Write("m.cgi", Joined(lines, {"\n", "\r\n", "\r", "\r\n"}, false));
    ASSERT_TRUE(Load(path));
    EXPECT_EQ(document.DocumentRCode(), rcLf);
    // Typing into line 1 re-splits line 2 too, which still keeps its own break.
    document.Model().SetRowCol(1, 1);
    document.Model().TypeText("x");
    ASSERT_TRUE(SaveAsItIs());
    EXPECT_EQ(Read(path), "a\nbx\nc\rd");
    // The last line typed on still ends without a break, as the file did.
    document.Model().SetRowCol(3, 1);
    document.Model().TypeText("y");
    ASSERT_TRUE(SaveAsItIs());
    EXPECT_EQ(Read(path), "a\nbx\nc\rdy");
    // Word wrap rebuilds the rows; the lines keep their forms.
    document.Model().Rows().WrapOption().SetWrapByte(20);
    document.Model().SetWordWrap(true);
    document.Model().SetWordWrap(false);
    ASSERT_TRUE(SaveAsItIs());
    EXPECT_EQ(Read(path), "a\nbx\nc\rdy");
}

TEST_F(FileFormsTest, ChosenCodesAndNewDocumentsWriteByTheRules)
{
    const std::vector<std::string> lines = ScriptLines(jcJis, false, {"\x1B$@", "\x1B(B", 1});
    const QString path = Write("r.cgi", Joined(lines, {"\n", "\r\n"}, false));
    ASSERT_TRUE(Load(path));
    ASSERT_TRUE(SaveAsItIs(TWriteForms::wfRules));
    EXPECT_EQ(Read(path), "#!/usr/bin/perl\nprint \"\x1B$B7G<(HD\x1B(J\";\n\x1B$B%,%$%I\x1B(J\n\n# \x1B$B7G<(HD\x1B(J end\n");
    // Once written by the rules, the file's old forms are gone: the next save writes the same again.
    ASSERT_TRUE(SaveAsItIs());
    EXPECT_EQ(Read(path), "#!/usr/bin/perl\nprint \"\x1B$B7G<(HD\x1B(J\";\n\x1B$B%,%$%I\x1B(J\n\n# \x1B$B7G<(HD\x1B(J end\n");

    TScriptDocument fresh;
    fresh.Side().SetFolder(Path("ini"));
    fresh.Model().TypeText("a\r\nb");
    ASSERT_TRUE(fresh.Save(Path("new.cgi"), {jcSjis, rcLf}, rcLf));
    EXPECT_EQ(Read(Path("new.cgi")), "a\nb\n");
}

TEST_F(FileFormsTest, ABinaryFileOpenedAnywayIsWrittenBackByteForByteWithOneWarning)
{
    std::mt19937 random(27);
    std::vector<std::string> binaries;
    for (int round = 0; round < 8; ++round) {
        std::string bytes(static_cast<std::size_t>(2000 + random() % 3000), '\0');
        for (char& b : bytes)
            b = static_cast<char>(random() % 5 == 0 ? "\r\n\x1B\x8E\0"[random() % 5] : random());
        binaries.push_back(bytes);
    }
    if (QFile ls(QStringLiteral("/bin/ls")); ls.open(QIODevice::ReadOnly))
        binaries.push_back(ls.readAll().toStdString());
    int files = 0;
    for (const std::string& bytes : binaries) {
        const QString path = Write(QStringLiteral("b%1.bin").arg(++files), bytes);
        ASSERT_TRUE(CheckScriptFile(path).LooksBinary);
        ASSERT_TRUE(Load(path));
        const TFileResult first = SaveAsItIs();
        ASSERT_TRUE(first);
        EXPECT_FALSE(first.Warning.isEmpty());
        ASSERT_EQ(Read(path), bytes) << "binary " << files;
        const TFileResult second = SaveAsItIs();
        EXPECT_TRUE(second.Warning.isEmpty());
    }
}

// A Shift_JIS file opened as UTF-8: read as UTF-8 alone, its stray bytes kept and told once, its own line end
// kept though another was stated, and saved unchanged as it was.
TEST_F(FileFormsTest, AStatedUtf8ReadKeepsStrayBytesAndWarns)
{
    const std::string bytes = "# " + kSjisBoard + " " + kSjisKana + "\r\nprint 1;\r\n";
    const QString path = Write("s.cgi", bytes);
    const TFileResult read = document.Load(path, TStatedCodes {jcUtf8, rcLf, false}, CheckScriptFile(path));
    ASSERT_TRUE(read);
    EXPECT_FALSE(read.Warning.isEmpty());
    EXPECT_EQ(document.DocumentJCode(), jcUtf8);
    EXPECT_EQ(document.DocumentRCode(), rcCrLf);
    ASSERT_TRUE(SaveAsItIs());
    EXPECT_EQ(Read(path), bytes);
    EXPECT_TRUE(Load(Write("plain.cgi", "print 1;\n")).Warning.isEmpty());
}

// The binary question looks at the first 64 KiB only, so it comes before a large file is read; the first
// break is found wherever it is.
TEST_F(FileFormsTest, TheBinaryQuestionLooksAtTheFirst64KiB)
{
    const std::string text(70 * 1024, 'x');
    const TScriptFileCheck late = CheckScriptFile(Write("late.cgi", text + std::string(1, '\0') + "\r\n"));
    EXPECT_FALSE(late.LooksBinary);
    EXPECT_EQ(late.FirstBreak, rcCrLf);
    const TScriptFileCheck early = CheckScriptFile(Write("early.cgi", text.substr(0, 60 * 1024) + '\0' + text + "\n"));
    EXPECT_TRUE(early.LooksBinary);
    EXPECT_EQ(early.FirstBreak, rcLf);
    EXPECT_EQ(CheckScriptFile(Write("far.cgi", std::string(3 << 20, 'y') + "\r")).FirstBreak, rcCr);
}

// A read tells how far it has come, up to the whole; cancelled, it leaves the document as it was.
TEST_F(FileFormsTest, AReadShowsProgressAndCanBeCancelled)
{
    const QString small = Write("small.cgi", "kept\n");
    ASSERT_TRUE(Load(small));
    std::string big;
    while (big.size() < (12u << 20))
        big += "print \"\x8C\x66\x8E\xA6\x94\xC2\";\r\n";
    const QString path = Write("big.cgi", big);
    std::vector<std::pair<std::uint64_t, std::uint64_t>> seen;
    const TFileResult cancelled = document.Load(path, std::nullopt, CheckScriptFile(path), [&](std::uint64_t done, std::uint64_t total) {
        seen.emplace_back(done, total);
        return seen.size() < 3;
    });
    EXPECT_FALSE(cancelled);
    EXPECT_EQ(seen.size(), 3u);
    EXPECT_EQ(document.FileName(), small);
    EXPECT_EQ(Line(0), "kept");

    seen.clear();
    ASSERT_TRUE(document.Load(path, std::nullopt, CheckScriptFile(path), [&](std::uint64_t done, std::uint64_t total) {
        seen.emplace_back(done, total);
        return true;
    }));
    ASSERT_GE(seen.size(), 4u);
    for (std::size_t i = 1; i < seen.size(); ++i)
        EXPECT_LT(seen[i - 1].first, seen[i].first);
    EXPECT_EQ(seen.back(), std::make_pair(std::uint64_t {2 * big.size()}, std::uint64_t {2 * big.size()}));
    EXPECT_EQ(document.FileName(), path);
}

} // namespace
} // namespace brenvik
