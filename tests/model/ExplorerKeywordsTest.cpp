// The keyword list, its comma text, the side file and the keyword search.
#include "ExplorerTestSupport.h"

#include "model/ExplorerKeywords.h"
#include "model/ExplorerSideFile.h"
#include "model/KeywordSearch.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <QRegularExpression>
#include <gtest/gtest.h>

namespace brenvik::test {
namespace {

using TNames = std::vector<std::string>;

TEST(ExplorerKeywordsTest, AddedKeywordsAreMostRecentFirstUniqueAndAtMostSixteen)
{
    TNames keywords;
    for (int i = 1; i <= 17; ++i)
        EXPECT_EQ(AddKeyword(keywords, "k" + std::to_string(i)), "k" + std::to_string(i));
    ASSERT_EQ(keywords.size(), 16u);
    EXPECT_EQ(keywords.front(), "k17");
    EXPECT_EQ(keywords.back(), "k2") << "the oldest went";
    AddKeyword(keywords, "k9");
    EXPECT_EQ(keywords.front(), "k9");
    EXPECT_EQ(std::count(keywords.begin(), keywords.end(), "k9"), 1);
    EXPECT_EQ(keywords.size(), 16u);
    // Cut before the first CR; nothing left adds nothing.
    EXPECT_EQ(AddKeyword(keywords, "line\r\nnext"), "line");
    EXPECT_EQ(AddKeyword(keywords, "\r\nnext"), "");
    EXPECT_EQ(keywords.front(), "line");
}

TEST(ExplorerKeywordsTest, CommaTextQuotesWhatWouldSplitAndKeepsTheBytes)
{
    // 0xED40 would come back as 0xFA5C through Unicode; 0x955C ends in a backslash.
    const TNames items {"plain", "two words", "a,b", "say \"hi\"", "\xed\x40", "\x95\x5c", "tab\there"};
    const std::string text = CommaText(items);
    EXPECT_EQ(text, "plain,\"two words\",\"a,b\",\"say \"\"hi\"\"\",\xed\x40,\x95\x5c,\"tab\there\"");
    EXPECT_EQ(SplitCommaText(text), items);
    EXPECT_EQ(CommaText({""}), "\"\"");
    EXPECT_EQ(SplitCommaText("\"\""), TNames {""});
    EXPECT_EQ(CommaText({}), "");
    EXPECT_EQ(SplitCommaText(""), TNames {});
    // Unquoted blanks split as commas do; an unclosed quote runs to the end.
    EXPECT_EQ(SplitCommaText("a b,c"), (TNames {"a", "b", "c"}));
    EXPECT_EQ(SplitCommaText("a,\"b, c"), (TNames {"a", "b, c"}));
    EXPECT_EQ(SplitCommaText("a,"), (TNames {"a", ""}));
}

class SideFileTest : public ::testing::Test {
protected:
    QTemporaryDir Folder;
    QString Ini() const { return Folder.filePath(QStringLiteral("ini")); }
    void WriteRaw(const QString& path, const QByteArray& bytes)
    {
        QDir().mkpath(QFileInfo(path).absolutePath());
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes);
    }
};

TEST_F(SideFileTest, PathIsTheScriptsOwnNameAndAHashOfItsFullPathInTheIniFolder)
{
    const QString path = SideFilePath(Ini(), QStringLiteral("/home/u/cgi/a.cgi"));
    EXPECT_TRUE(QRegularExpression(QRegularExpression::escape(Ini()) + QStringLiteral("/a\\.cgi\\.[0-9a-f]{8}\\.dat"))
                    .match(path)
                    .hasMatch())
        << path.toStdString();
    EXPECT_EQ(path, SideFilePath(Ini(), QStringLiteral("/home/u/cgi/a.cgi")));
    // A backslash is part of a Linux file name, never a folder separator.
    EXPECT_TRUE(SideFilePath(Ini(), QStringLiteral("/tmp/..\\..\\x.cgi")).startsWith(Ini() + QStringLiteral("/..\\..\\x.cgi.")));
    EXPECT_NE(
        SideFilePath(Ini(), QStringLiteral("/other/a.cgi")), SideFilePath(Ini(), QStringLiteral("/x/a.cgi")));
    EXPECT_EQ(SharedSideFilePath(Ini(), QStringLiteral("/x/a.cgi")), Ini() + QStringLiteral("/a.cgi.dat"));
}

TEST_F(SideFileTest, WrittenContentReadsBackByteForByte)
{
    const QString path = SideFilePath(Ini(), QStringLiteral("/s/a.cgi"));
    TSideFileContent content {{"$name", "two words", "\xed\x40"}, "memo " + kNihon + "\r\n\r\nlast"};
    ASSERT_EQ(WriteSideFile(path, content), QString()) << "the ini folder is created";
    const TSideFileRead read = ReadSideFile(path);
    EXPECT_EQ(read.State, TSideFileState::Read);
    EXPECT_EQ(read.Content, content);

    EXPECT_EQ(ParseSideFile("k1,k2\r\nline 1\r\nline 2\r\n").Memo, "line 1\r\nline 2");
    EXPECT_EQ(ParseSideFile("k1\nunix\n").Memo, "unix");
    EXPECT_EQ(ParseSideFile("").Keywords, TNames {});
    EXPECT_EQ(ParseSideFile(SideFileBytes({{}, "\r\n"})).Memo, "\r\n");
}

TEST_F(SideFileTest, BadSideFilesAreReportedAndNotTaken)
{
    EXPECT_EQ(ReadSideFile(Ini() + QStringLiteral("/none.dat")).State, TSideFileState::Missing);

    const QString folder = Ini() + QStringLiteral("/dir.cgi.dat");
    QDir().mkpath(folder);
    const QString withNul = Ini() + QStringLiteral("/nul.cgi.dat");
    WriteRaw(withNul, QByteArray("a,b\r\nmemo\0more", 14));
    const QString huge = Ini() + QStringLiteral("/huge.cgi.dat");
    {
        QFile file(huge);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        ASSERT_TRUE(file.resize(kSideFileLimit + 1));
    }
    for (const QString& path : {folder, withNul, huge}) {
        const TSideFileRead read = ReadSideFile(path);
        EXPECT_EQ(read.State, TSideFileState::Unreadable) << path.toStdString();
        EXPECT_FALSE(read.Reason.isEmpty());
        EXPECT_EQ(read.Content, TSideFileContent {});
    }
    // A folder in the way of the file, or of the ini folder, is a reported failure, in Japanese
    // and naming the cause.
    const QString inTheWay = WriteSideFile(folder, {{"k"}, ""});
    EXPECT_TRUE(inTheWay.contains(QStringLiteral("フォルダ"))) << inTheWay.toStdString();
    const QString tooLong = WriteSideFile(Ini() + QStringLiteral("/") + QString(300, QLatin1Char('n')), {{"k"}, ""});
    EXPECT_TRUE(tooLong.contains(QStringLiteral("名前が長すぎます"))) << tooLong.toStdString();
    WriteRaw(Folder.filePath(QStringLiteral("file")), "x");
    EXPECT_FALSE(WriteSideFile(Folder.filePath(QStringLiteral("file/a.cgi.dat")), {{"k"}, ""}).isEmpty());
}

TEST_F(SideFileTest, AThousandItemsAndAnUnclosedQuoteAreRead)
{
    QByteArray line;
    for (int i = 0; i < 1000; ++i)
        line += (i ? "," : "") + QByteArray::number(i);
    const QString path = Ini() + QStringLiteral("/many.cgi.dat");
    WriteRaw(path, line + "\r\n\"open memo");
    const TSideFileRead read = ReadSideFile(path);
    ASSERT_EQ(read.Content.Keywords.size(), 1000u);
    EXPECT_EQ(read.Content.Keywords[999], "999");
    EXPECT_EQ(read.Content.Memo, "\"open memo");
}

TEST(KeywordSearchTest, ForwardAndBackwardFromTheSelectionWithOneRetry)
{
    const std::string text = "key one\r\nkey two\r\nKEY three";
    // Forward starts after the selection, backward before it; case counts.
    EXPECT_EQ(FindKeyword(text, {0, 3}, "key", true), (TSearchRange {9, 3}));
    EXPECT_EQ(FindKeyword(text, {9, 3}, "key", false), (TSearchRange {0, 3}));
    // Past the last one: once more from the start; before the first: from the end.
    EXPECT_EQ(FindKeyword(text, {9, 3}, "key", true), (TSearchRange {0, 3}));
    EXPECT_EQ(FindKeyword(text, {0, 3}, "key", false), (TSearchRange {9, 3}));
    EXPECT_EQ(FindKeyword(text, {0, 0}, "one\r\nkey", true), (TSearchRange {4, 8})) << "across a line break";
    EXPECT_FALSE(FindKeyword(text, {0, 0}, "absent", true));
    EXPECT_FALSE(FindKeyword(text, {0, 0}, "", true));
}

TEST(KeywordSearchTest, ANulByteHidesNothing)
{
    const std::string text = std::string("a key\0b key\0", 12) + "c key";
    EXPECT_EQ(FindKeyword(text, {2, 3}, "key", true), (TSearchRange {8, 3}));
    EXPECT_EQ(FindKeyword(text, {8, 3}, "key", true), (TSearchRange {14, 3}));
    EXPECT_EQ(FindKeyword(text, {14, 3}, "key", false), (TSearchRange {8, 3}));
    EXPECT_EQ(FindKeyword(text, {2, 3}, "key", false), (TSearchRange {14, 3}));
    // A double-byte character's trail byte never matches.
    EXPECT_FALSE(FindKeyword(kKatakanaA, {0, 0}, "A", true));
}

TEST(KeywordSearchTest, ScrollsOnlyWhenTheRowIsNearAnEdge)
{
    // 30 visible rows: rows 6..24 from the top stay; others put the row a third down.
    EXPECT_EQ(KeywordScrollTop(105, 100, 30), 95);
    EXPECT_EQ(KeywordScrollTop(106, 100, 30), std::nullopt);
    EXPECT_EQ(KeywordScrollTop(124, 100, 30), std::nullopt);
    EXPECT_EQ(KeywordScrollTop(125, 100, 30), 115);
    EXPECT_EQ(KeywordScrollTop(3, 0, 30), 0);
}

} // namespace
} // namespace brenvik::test
