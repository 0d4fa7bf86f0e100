// Fixed phrases: alignment under the caret, the inserted text, the folder walk, the menu and
// reading a phrase file.
#include "app/PhraseFolder.h"
#include "app/PhraseMenu.h"
#include "app/PhraseText.h"
#include "jcode/SjisUnicode.h"

#include <QDir>
#include <QFile>
#include <QMenu>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <sys/stat.h>

namespace brenvik {
namespace {

TEST(AlignmentPrefixTest, KeepsTabsAndTurnsEverythingElseIntoSpacesUpToTheCaret)
{
    EXPECT_EQ(AlignmentPrefix("\tab", 6, 4), "\t  ");
    EXPECT_EQ(AlignmentPrefix("\tab", 10, 8), "\t  ");
    // Past the line's end the place counts as spaces.
    EXPECT_EQ(AlignmentPrefix("ab", 4, 4), "    ");
    EXPECT_EQ(AlignmentPrefix("abc", 0, 4), "");
    // A double-byte character is two columns: 日x before the tab at column 3.
    EXPECT_EQ(AlignmentPrefix("\x93\xfax\tfoo", 3, 4), "   ");
    EXPECT_EQ(AlignmentPrefix("\x93\xfa\tfoo", 4, 4), "  \t");
    // A lead byte with nothing after it is one column.
    EXPECT_EQ(AlignmentPrefix("a\x93", 2, 4), "  ");
}

TEST(PhraseInsertTextTest, LinesAfterTheFirstGetThePrefixAndOnlyAFinalBreakEndsTheText)
{
    EXPECT_EQ(PhraseInsertText("a\r\nb\nc\r", "\t  "), "a\r\n\t  b\r\n\t  c\r\n");
    // No final line break: the phrase stays inside the caret's line.
    EXPECT_EQ(PhraseInsertText("<br>", "  "), "<br>");
    EXPECT_EQ(PhraseInsertText("a\r\nb", " "), "a\r\n b");
    EXPECT_EQ(PhraseInsertText("", " "), "");
    EXPECT_EQ(PhraseInsertText("\r\n\r\n", ">"), "\r\n>\r\n");
}

// A phrase file in any code arrives as Shift_JIS; a UTF-8 one goes through the typed-text rule, which may
// refuse it whole.
TEST(PhraseShiftJisTest, EveryCodeArrivesAsShiftJisAndUtf8AsTypedText)
{
    const TTypedBytes typed = [](const QString& text) { return UnicodeToSjis(text); };
    const std::string board = "\x8C\x66\x8E\xA6\x94\xC2"; // 掲示板
    EXPECT_EQ(PhraseShiftJis("# " + board + "\r\nx", typed), "# " + board + "\r\nx");
    EXPECT_EQ(PhraseShiftJis("# \xA4\xA2\xB7\xC7\xBC\xA8\xC8\xC4\n", typed), "# \x82\xA0" + board + "\r\n");
    EXPECT_EQ(PhraseShiftJis("\x1B$B7G<(HD\x1B(B\r", typed), board + "\r\n");
    // UTF-8, with a byte-order mark and a yen sign, which is never a backslash.
    EXPECT_EQ(PhraseShiftJis("\xEF\xBB\xBF掲示板 ¥100\n", typed), board + " \x81\x8F" "100\n");
    EXPECT_FALSE(PhraseShiftJis("絵文字 😀\n", typed).has_value());
}

class PhraseFolderTest : public ::testing::Test {
protected:
    QString Path(const QString& name) const { return FRoot.filePath(name); }
    void MakeFile(const QString& name, const QByteArray& bytes = "x\r\n") const
    {
        QFile file(Path(name));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes);
    }
    void MakeFolder(const QString& name) const { ASSERT_TRUE(QDir(FRoot.path()).mkpath(name)); }
    // Captions of a menu level; a submenu as "name>(...)".
    static QString Layout(const QMenu& menu)
    {
        QStringList items;
        for (QAction* action : menu.actions()) {
            if (action->isSeparator())
                items << QStringLiteral("-");
            else if (action->menu())
                items << action->text() + QStringLiteral(">(") + Layout(*action->menu())
                        + QStringLiteral(")");
            else
                items << action->text();
        }
        return items.join(QLatin1Char(','));
    }

    QTemporaryDir FRoot;
};

TEST_F(PhraseFolderTest, SubFoldersComeFirstAndEachLevelIsSortedIgnoringCase)
{
    MakeFolder(QStringLiteral("HTML"));
    MakeFile(QStringLiteral("HTML/b.txt"));
    MakeFile(QStringLiteral("HTML/A.txt"));
    MakeFile(QStringLiteral("z.txt"));
    MakeFile(QStringLiteral("a&b c.txt"));
    QMenu menu;
    QAction update(QStringLiteral("更新"));
    QStringList chosen;
    RebuildPhraseMenu(menu, &update, FRoot.path(), [&](const QString& path) { chosen << path; });
    EXPECT_EQ(Layout(menu), QStringLiteral("更新,-,HTML>(A.txt,b.txt),a&&b c.txt,z.txt"));

    // The path rides in the item, whatever the caption shows.
    QAction* item = menu.actions().at(3);
    EXPECT_EQ(item->property(kPhrasePathProperty).toString(), Path(QStringLiteral("a&b c.txt")));
    item->setText(QStringLiteral("a&&b c.txt (&Q)"));
    item->trigger();
    EXPECT_EQ(chosen, QStringList {Path(QStringLiteral("a&b c.txt"))});

    // A rebuild replaces every item and keeps the update command on top.
    MakeFile(QStringLiteral("HTML/c.txt"));
    RebuildPhraseMenu(menu, &update, FRoot.path(), [](const QString&) {});
    EXPECT_EQ(Layout(menu), QStringLiteral("更新,-,HTML>(A.txt,b.txt,c.txt),a&&b c.txt,z.txt"));
}

TEST_F(PhraseFolderTest, LinkLoopsFifosAndDotNamesNeverBecomeItems)
{
    MakeFolder(QStringLiteral("sub/deeper"));
    MakeFile(QStringLiteral("sub/deeper/p.txt"));
    MakeFile(QStringLiteral(".hidden.txt"));
    MakeFolder(QStringLiteral(".git"));
    ASSERT_TRUE(QFile::link(FRoot.path(), Path(QStringLiteral("sub/deeper/up"))));
    ASSERT_EQ(::mkfifo(QFile::encodeName(Path(QStringLiteral("pipe"))).constData(), 0600), 0);
    QTemporaryDir elsewhere;
    QFile::copy(Path(QStringLiteral("sub/deeper/p.txt")), elsewhere.filePath(QStringLiteral("q.txt")));
    ASSERT_TRUE(QFile::link(elsewhere.path(), Path(QStringLiteral("linked"))));

    QMenu menu;
    BuildPhraseMenu(menu, FRoot.path(), [](const QString&) {});
    EXPECT_EQ(Layout(menu), QStringLiteral("linked>(q.txt),sub>(deeper>(p.txt))"));
}

TEST_F(PhraseFolderTest, AMissingFolderOrADeepLinkChainEndsTheWalk)
{
    EXPECT_TRUE(ScanPhraseFolder(Path(QStringLiteral("none"))).empty());
    // Twenty folders, each holding a link to the next: the walk stops 16 levels down.
    for (int i = 0; i < 20; ++i)
        MakeFolder(QStringLiteral("f%1").arg(i));
    for (int i = 0; i + 1 < 20; ++i)
        ASSERT_TRUE(
            QFile::link(Path(QStringLiteral("f%1").arg(i + 1)), Path(QStringLiteral("f%1/next").arg(i))));
    int depth = 0;
    for (auto entries = ScanPhraseFolder(Path(QStringLiteral("f0"))); !entries.empty();
         entries = entries.front().Entries)
        ++depth;
    EXPECT_EQ(depth, 16);
}

TEST_F(PhraseFolderTest, ReadingRefusesLargeBinaryAndMissingFilesWithAMessage)
{
    QString error;
    std::string bytes;
    MakeFile(QStringLiteral("ok.txt"), "\x83\x5C\r\n");
    EXPECT_TRUE(ReadPhraseFile(Path(QStringLiteral("ok.txt")), bytes, error));
    EXPECT_EQ(bytes, "\x83\x5C\r\n");

    MakeFile(QStringLiteral("big.txt"), QByteArray(kMaxPhraseBytes + 1, 'a'));
    MakeFile(QStringLiteral("limit.txt"), QByteArray(kMaxPhraseBytes, 'a'));
    MakeFile(QStringLiteral("bin.txt"), QByteArray("a\0b", 3));
    ASSERT_EQ(::mkfifo(QFile::encodeName(Path(QStringLiteral("pipe"))).constData(), 0600), 0);
    EXPECT_TRUE(ReadPhraseFile(Path(QStringLiteral("limit.txt")), bytes, error));
    for (const char* name : {"big.txt", "bin.txt", "pipe", "gone.txt"}) {
        error.clear();
        EXPECT_FALSE(ReadPhraseFile(Path(QLatin1String(name)), bytes, error)) << name;
        EXPECT_TRUE(error.contains(QLatin1String(name))) << name;
    }
}

} // namespace
} // namespace brenvik
