// The script document without a window: reading and writing every code and line end, stated
// codes, failures that change nothing, links and modes, a UTF-8 script's own characters, and the
// side file's keywords and memo, and the bookmarks beside it.
#include "model/ExplorerSideFile.h"
#include "model/MarkedLines.h"
#include "model/ScriptDocument.h"
#include "text/EditorStrings.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace brenvik {
namespace {

// Shift_JIS: 髙 is an IBM extension (FB FC), ｶﾅ two half-width kana; 掲示板 makes the code plain.
const QByteArray kSjisLines = "print \"\xFB\xFC\x8B\xB4\";\r\n\xB6\xC5\r\n# end\r\n# \x8C\x66\x8E\xA6\x94\xC2\r\n";
const QByteArray kEucLines = "print \"\xFC\xE2\xB6\xB6\";\n\x8E\xB6\x8E\xC5\n# end\n# \xB7\xC7\xBC\xA8\xC8\xC4\n";
const QByteArray kJisLines = "print \"\x1B$B|b66\x1B(J\";\rx\r# end\r";

class ScriptDocumentTest : public ::testing::Test {
protected:
    ScriptDocumentTest() { document.Side().SetFolder(Path("ini")); }

    QString Path(const QString& name) const { return FHome.filePath(name); }
    // The bookmark file of script, relative to the home folder.
    QString Bookmarks(const QString& script) const
    {
        return "ini/" + QFileInfo(SideFilePath(Path("ini"), Path(script), QStringLiteral(".bookmarks"))).fileName();
    }
    QString Write(const QString& name, const QByteArray& bytes) const
    {
        QFile file(Path(name));
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        EXPECT_EQ(file.write(bytes), bytes.size());
        return Path(name);
    }
    static QByteArray Read(const QString& path)
    {
        QFile file(path);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<unreadable>");
    }
    TFileResult Load(const QString& path, std::optional<TStatedCodes> stated = std::nullopt)
    {
        return document.Load(path, stated, CheckScriptFile(path));
    }
    TFileResult SaveAsItIs(const QString& path) { return document.Save(path, document.Codes(), rcCrLf); }
    std::string Line(int index) { return document.Model().Lines().Get(index); }

    QTemporaryDir FHome;
    TScriptDocument document;
};

TEST_F(ScriptDocumentTest, EachCodeAndLineEndReadsAndWritesBackByteForByte)
{
    const struct {
        QString Path;
        JCode jcode;
        RCode rcode;
        bool Bom;
    } cases[] = {{Write("s.cgi", kSjisLines), jcSjis, rcCrLf, false}, {Write("e.cgi", kEucLines), jcEuc, rcLf, false},
        {Write("j.cgi", kJisLines), jcJis, rcCr, false},
        {QStringLiteral(BRENVIK_TEST_DATA "/jcode/script.utf8.lf.cgi"), jcUtf8, rcLf, false},
        {QStringLiteral(BRENVIK_TEST_DATA "/jcode/script.utf8bom.crlf.cgi"), jcUtf8, rcCrLf, true}};
    int copies = 0;
    for (const auto& sample : cases) {
        ASSERT_TRUE(Load(sample.Path)) << sample.Path.toStdString();
        EXPECT_EQ(document.DocumentJCode(), sample.jcode);
        EXPECT_EQ(document.DocumentRCode(), sample.rcode);
        EXPECT_EQ(document.Bom(), sample.Bom);
        EXPECT_EQ(document.FileName(), sample.Path);
        EXPECT_FALSE(document.Model().Modified());
        // An edit, written in the document's own codes, changes only what was typed.
        document.Model().SetRowCol(2, 0);
        document.Model().TypeText("#");
        const QString copy = Path(QStringLiteral("copy%1.cgi").arg(++copies));
        ASSERT_TRUE(SaveAsItIs(copy));
        QByteArray expected = Read(sample.Path);
        qsizetype third = 0;
        for (int breaks = 0; breaks < 2; ++breaks)
            third = expected.indexOf(sample.rcode == rcCr ? '\r' : '\n', third) + 1;
        expected.insert(third, "#");
        EXPECT_EQ(Read(copy), expected) << sample.Path.toStdString();
        EXPECT_EQ(document.FileName(), copy);
        EXPECT_FALSE(document.Model().Modified());
    }
}

TEST_F(ScriptDocumentTest, StatedCodesAreTakenWithoutDetectionAndRcNoneKeepsTheFirstBreak)
{
    // Shift_JIS bytes read as JIS: nothing to convert, and the next save writes JIS. The line end stated
    // gives way to the file's own.
    ASSERT_TRUE(Load(Write("s.cgi", "print 1;\r\nx\r\n"), TStatedCodes {jcJis, rcLf}));
    EXPECT_EQ(document.DocumentJCode(), jcJis);
    EXPECT_EQ(document.DocumentRCode(), rcCrLf);
    EXPECT_EQ(Line(0), "print 1;");
    // Saved with rcNone: the file's own first break, CR LF, not the default LF.
    ASSERT_TRUE(document.Save(Path("n.cgi"), {jcSjis, rcNone}, rcLf));
    EXPECT_EQ(Read(Path("n.cgi")), "print 1;\r\nx\r\n");
}

TEST_F(ScriptDocumentTest, AFailedReadOrWriteChangesNothing)
{
    const QString a = Write("a.cgi", kEucLines);
    ASSERT_TRUE(Load(a));
    document.Model().TypeText("typed ");
    const TFileResult missing = document.Load(Path("vanished.cgi"), std::nullopt, {});
    EXPECT_FALSE(missing);
    EXPECT_FALSE(missing.Error.isEmpty());
    QDir(FHome.path()).mkdir("folder.cgi");
    EXPECT_FALSE(document.Save(Path("folder.cgi"), {jcSjis, rcCrLf}, rcCrLf));
    EXPECT_EQ(document.FileName(), a);
    EXPECT_EQ(document.DocumentJCode(), jcEuc);
    EXPECT_EQ(document.DocumentRCode(), rcLf);
    EXPECT_TRUE(document.Model().Modified());
    EXPECT_EQ(Line(0).substr(0, 6), "typed ");
    EXPECT_EQ(Read(a), kEucLines);
}

TEST_F(ScriptDocumentTest, SavingKeepsPermissionBitsAndWritesThroughALink)
{
    const QString target = Write("target.cgi", "print 1;\r\n");
    ASSERT_TRUE(QFile::setPermissions(
        target, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner | QFile::ReadGroup | QFile::ExeGroup));
    const QFile::Permissions mode = QFile::permissions(target);
    const QString link = Path("link.cgi");
    ASSERT_TRUE(QFile::link(target, link));
    ASSERT_TRUE(Load(link));
    document.Model().TypeText("#");
    ASSERT_TRUE(SaveAsItIs(link));
    EXPECT_TRUE(QFileInfo(link).isSymLink());
    EXPECT_EQ(Read(target), "#print 1;\r\n");
    EXPECT_EQ(QFile::permissions(target), mode);
    EXPECT_EQ(document.FileName(), link);
}

// A UTF-8 script's emoji and second form of 81 60 are its own characters: another code would lose
// the emoji (the second form is written as 81 60 there), and a second document sharing the text
// reads them through the same table.
TEST_F(ScriptDocumentTest, AUtf8ScriptsOwnCharactersAndWhatAnotherCodeWouldLose)
{
    ASSERT_TRUE(Load(Write("own.cgi", "# plain\nmy $s = \"😀 ～ 〜\";\n")));
    ASSERT_EQ(document.DocumentJCode(), jcUtf8);
    EXPECT_TRUE(document.TakesNewChars());
    EXPECT_FALSE(document.CharsLostIn(jcUtf8));
    const std::optional<TOwnCharsFound> lost = document.CharsLostIn(jcSjis);
    ASSERT_TRUE(lost);
    EXPECT_EQ(lost->First, U'😀');
    EXPECT_EQ(lost->Line, 2);
    EXPECT_EQ(lost->Count, 1);
    TScriptDocument other;
    other.ShareText(document);
    EXPECT_EQ(&other.Chars(), &document.Chars());
    EXPECT_EQ(other.Model().Lines().Get(1), Line(1));
    ASSERT_TRUE(SaveAsItIs(Path("again.cgi")));
    EXPECT_EQ(Read(Path("again.cgi")), Read(Path("own.cgi")));
}

TEST_F(ScriptDocumentTest, MoreOwnCharactersThanTheUserAreaHoldsReadOnly)
{
    QString emoji;
    for (char32_t c = 0x1F300; c < 0x1F300 + 2000; ++c)
        emoji += QString::fromUcs4(&c, 1) + (c % 40 == 0 ? QStringLiteral("\n") : QString());
    ASSERT_TRUE(Load(Write("many.cgi", "# " + emoji.toUtf8() + "\n")));
    ASSERT_TRUE(document.Unheld());
    EXPECT_EQ(document.Unheld()->c, U'\U0001FA58');
    EXPECT_TRUE(document.Model().ReadOnly());
    ASSERT_TRUE(Load(Write("s.cgi", kSjisLines)));
    EXPECT_FALSE(document.Unheld());
    EXPECT_FALSE(document.Model().ReadOnly());
}

TEST_F(ScriptDocumentTest, KeywordsAndMemoFollowTheScriptThroughSavesAndLoads)
{
    const QString a = Write("a.cgi", kSjisLines);
    ASSERT_TRUE(Load(a));
    TSideFileSession& side = document.Side();
    EXPECT_EQ(side.Path(), SideFilePath(Path("ini"), a));
    side.SetKeywords({"#!"});
    ASSERT_TRUE(side.SetMemoText(QStringLiteral("メモ\n二行目")));
    // Text with no Shift_JIS form is refused and changes nothing.
    EXPECT_FALSE(side.SetMemoText(QStringLiteral("メモ\U0001F600")));
    EXPECT_EQ(side.MemoText(), QStringLiteral("メモ\n二行目"));
    // Another script replaces this one: the change is written first; the new one starts empty.
    ASSERT_TRUE(Load(Write("b.cgi", "$x;\r\n")));
    EXPECT_EQ(Read(SideFilePath(Path("ini"), a)), "#!\r\n\x83\x81\x83\x82\r\n\x93\xf1\x8d\x73\x96\xda\r\n");
    EXPECT_TRUE(side.Keywords().empty());
    EXPECT_TRUE(side.MemoText().isEmpty());
    // A save writes the side file under the new name, without the other script's.
    ASSERT_TRUE(SaveAsItIs(Path("b.cgi")));
    EXPECT_EQ(Read(SideFilePath(Path("ini"), Path("b.cgi"))), "\r\n");
    ASSERT_TRUE(Load(a));
    EXPECT_EQ(side.Keywords(), std::vector<std::string> {"#!"});
    EXPECT_EQ(side.MemoText(), QStringLiteral("メモ\n二行目"));
    EXPECT_FALSE(side.Changed());
}

TEST_F(ScriptDocumentTest, AnUnreadableSideFileIsNeverOverwrittenAndABadMemoStaysAsItWas)
{
    QDir().mkpath(Path("ini"));
    const QByteArray withNul("k\r\nmemo\0tail\r\n", 14);
    Write("ini/n.cgi.dat", withNul);
    const TFileResult read = Load(Write("n.cgi", "$x;\r\n"));
    ASSERT_TRUE(read);
    EXPECT_TRUE(read.Note.contains(QStringLiteral("NUL")));
    document.Side().SetKeywords({"$x"});
    ASSERT_TRUE(SaveAsItIs(Path("n.cgi")));
    EXPECT_EQ(Read(document.Side().Path()), withNul);

    // 0x85 0x40 has no Unicode form: the memo is locked and written back as it was.
    const QByteArray badMemo = "k\r\nbad \x85\x40 memo\r\n";
    Write("ini/m.cgi.dat", badMemo);
    ASSERT_TRUE(Load(Write("m.cgi", "$x;\r\n")));
    EXPECT_TRUE(document.Side().MemoLocked());
    EXPECT_FALSE(document.Side().SetMemoText(QStringLiteral("new")));
    document.Side().SetKeywords({"k"});
    ASSERT_TRUE(SaveAsItIs(Path("m.cgi")));
    EXPECT_EQ(Read(document.Side().Path()), badMemo);
}

// Two scripts of one name each keep their own side file; the file kept by the name alone goes, once, to the
// first of them read.
TEST_F(ScriptDocumentTest, SideFilesAreTheScriptsOwnAndTheSharedOneMovesOnce)
{
    QDir().mkpath(Path("one"));
    QDir().mkpath(Path("two"));
    const QString one = Write("one/index.cgi", "$x;\r\n");
    const QString two = Write("two/index.cgi", "$y;\r\n");
    EXPECT_NE(SideFilePath(Path("ini"), one), SideFilePath(Path("ini"), two));
    EXPECT_TRUE(SideFilePath(Path("ini"), one).startsWith(Path("ini/index.cgi.")));
    QDir().mkpath(Path("ini"));
    Write("ini/index.cgi.dat", "old\r\nmemo\r\n");
    ASSERT_TRUE(Load(one));
    EXPECT_EQ(document.Side().Keywords(), std::vector<std::string> {"old"});
    EXPECT_FALSE(QFile::exists(Path("ini/index.cgi.dat")));
    EXPECT_EQ(Read(SideFilePath(Path("ini"), one)), "old\r\nmemo\r\n");
    ASSERT_TRUE(Load(two));
    EXPECT_TRUE(document.Side().Keywords().empty()) << "another site's keywords";
    document.Side().SetKeywords({"mine"});
    ASSERT_TRUE(Load(one));
    EXPECT_EQ(document.Side().Keywords(), std::vector<std::string> {"old"});
    ASSERT_TRUE(Load(two));
    EXPECT_EQ(document.Side().Keywords(), std::vector<std::string> {"mine"});
}

TEST_F(ScriptDocumentTest, BookmarksFollowTheScriptOnlyWhileItsTextIsAsSaved)
{
    const QString a = Write("a.cgi", "l1\r\nl2\r\nl3\r\nl4\r\n");
    ASSERT_TRUE(Load(a));
    TMarkedLines& marks = document.Model().Marks();
    marks.SetLines(TMarkKind::Bookmark, {1, 3});
    // An unmodified script's bookmarks are written when another replaces it, and come back.
    ASSERT_TRUE(Load(Write("b.cgi", "b\r\n")));
    EXPECT_EQ(Read(Path(Bookmarks("a.cgi"))), "2,4\r\n");
    EXPECT_FALSE(QFileInfo::exists(Path(Bookmarks("b.cgi")))) << "no bookmarks, no file";
    EXPECT_TRUE(marks.Lines(TMarkKind::Bookmark).empty());
    ASSERT_TRUE(Load(a));
    EXPECT_EQ(marks.Lines(TMarkKind::Bookmark), (std::vector<int> {1, 3}));
    // Edited and left unsaved, the lines no longer match the file: nothing is written.
    document.Model().SetRowCol(0, 0);
    document.Model().TypeText("l0\r\n");
    EXPECT_EQ(marks.Lines(TMarkKind::Bookmark), (std::vector<int> {2, 4}));
    ASSERT_TRUE(Load(Write("b.cgi", "b\r\n")));
    EXPECT_EQ(Read(Path(Bookmarks("a.cgi"))), "2,4\r\n");
    // Saved, they are written as the saved text has them; lines past the end are dropped.
    ASSERT_TRUE(Load(a));
    document.Model().SetRowCol(0, 0);
    document.Model().TypeText("l0\r\n");
    ASSERT_TRUE(SaveAsItIs(a));
    EXPECT_EQ(Read(Path(Bookmarks("a.cgi"))), "3,5\r\n");
    Write(Bookmarks("a.cgi"), "1,99\r\n");
    ASSERT_TRUE(Load(a));
    EXPECT_EQ(marks.Lines(TMarkKind::Bookmark), (std::vector<int> {0}));
}

TEST_F(ScriptDocumentTest, ABookmarkFileThatIsNotAListOfLinesIsToldAndKept)
{
    QDir().mkpath(Path("ini"));
    for (const QByteArray& bad : {QByteArray("1,,2\r\n"), QByteArray("0\r\n"), QByteArray("x\r\n"),
             QByteArray("1,\r\n"), QByteArray("1 2\r\n")}) {
        Write(Bookmarks("c.cgi"), bad);
        const TFileResult read = Load(Write("c.cgi", "c\r\nd\r\n"));
        ASSERT_TRUE(read);
        EXPECT_TRUE(read.Note.contains(QStringLiteral("ブックマーク"))) << bad.constData();
        document.Model().Marks().SetLines(TMarkKind::Bookmark, {1});
        ASSERT_TRUE(SaveAsItIs(Path("c.cgi")));
        EXPECT_EQ(Read(Path(Bookmarks("c.cgi"))), bad);
    }
}

} // namespace
} // namespace brenvik
