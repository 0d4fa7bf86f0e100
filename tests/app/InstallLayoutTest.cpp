// An installed copy: where it keeps its settings, how it finds its data, how a new program folder
// gets its phrase folders, and the icon its windows show.
#include "app/ProgramFolder.h"
#include "app/ProgramIcon.h"
#include "app/ProgramSeed.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <algorithm>
#include <gtest/gtest.h>
#include <map>
#include <ostream>

// Paths in failure messages as text, not as the bytes of a QString.
inline void PrintTo(const QString& text, std::ostream* out)
{
    *out << '"' << text.toStdString() << '"';
}

namespace brenvik {
namespace {

void WriteFile(const QString& name, const QByteArray& bytes)
{
    ASSERT_TRUE(QDir().mkpath(QFileInfo(name).path()));
    QFile file(name);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    ASSERT_EQ(file.write(bytes), bytes.size());
}

QByteArray ReadFile(const QString& name)
{
    QFile file(name);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
}

// Every file under folder, relative to it, with its bytes.
std::map<QString, QByteArray> Tree(const QString& folder)
{
    std::map<QString, QByteArray> tree;
    QDirIterator files(folder, QDir::Files | QDir::Hidden, QDirIterator::Subdirectories);
    while (files.hasNext()) {
        const QString name = files.next();
        tree[QDir(folder).relativeFilePath(name)] = ReadFile(name);
    }
    return tree;
}

class InstallLayoutTest : public ::testing::Test {
protected:
    InstallLayoutTest() { qunsetenv("BRENVIK_HOME"); }
    QString Path(const QString& relative) const { return FRoot.filePath(relative); }
    QTemporaryDir FRoot;
};

TEST_F(InstallLayoutTest, AnInstalledCopyKeepsItsFilesPerUserAndFindsItsDataWhereverItIsMoved)
{
    ASSERT_TRUE(QDir().mkpath(Path("usr/bin")));
    ASSERT_TRUE(QDir().mkpath(Path("usr/share/brenvik")));
    const QString perUser = QStandardPaths::writableLocation(QStandardPaths::AppLocalDataLocation);
    // Writable here (as for root or an install under the home folder), and still per user.
    EXPECT_EQ(ProgramFolderOf(Path("usr/bin")), perUser);
    EXPECT_EQ(SharedDataFolderOf(Path("usr/bin")), Path("usr/share/brenvik"));
    EXPECT_TRUE(QFileInfo(perUser).isDir());

    ASSERT_TRUE(QDir(FRoot.path()).rename(QStringLiteral("usr"), QStringLiteral("moved")));
    EXPECT_EQ(SharedDataFolderOf(Path("moved/bin")), Path("moved/share/brenvik"));
    EXPECT_TRUE(SharedDataFolderOf(Path("usr/bin")).isEmpty());

    // A build tree has no shared data and keeps writing beside the executable.
    ASSERT_TRUE(QDir().mkpath(Path("build/src/app")));
    EXPECT_TRUE(SharedDataFolderOf(Path("build/src/app")).isEmpty());
    EXPECT_EQ(ProgramFolderOf(Path("build/src/app")), Path("build/src/app"));

    qputenv("BRENVIK_HOME", Path("portable/").toLocal8Bit());
    EXPECT_EQ(ProgramFolderOf(Path("moved/bin")), Path("portable"));
    qunsetenv("BRENVIK_HOME");
}

TEST_F(InstallLayoutTest, SeedingCopiesEachPhraseTreeWholeAndLeavesNoTraces)
{
    const QString shared = Path("share/brenvik");
    // Phrase files hold Shift_JIS bytes, a trail byte 0x5C among them, and may have Japanese names.
    WriteFile(shared + "/Const/CGI/header.txt", "print \"Content-type: text/html\\n\\n\";\r\n");
    WriteFile(shared + "/Const/\xe8\xa1\xa8.txt", "# \x95\x5c\x8e\xa6\r\n");
    WriteFile(shared + "/Const/.hidden", "kept too");
    WriteFile(shared + "/p_const/table/tr.txt", "<tr><td></td></tr>\r\n");
    ASSERT_TRUE(QDir().mkpath(shared + "/p_const/empty"));
    const QString program = Path("home");
    ASSERT_TRUE(QDir().mkpath(program));

    EXPECT_TRUE(SeedProgramFolder(program, shared).isEmpty());
    EXPECT_EQ(Tree(program + "/Const"), Tree(shared + "/Const"));
    EXPECT_EQ(Tree(program + "/p_const"), Tree(shared + "/p_const"));
    EXPECT_TRUE(QFileInfo(program + "/p_const/empty").isDir());
    EXPECT_EQ(QDir(program).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot),
        (QStringList {"Const", "p_const"}));
    EXPECT_TRUE(QFileInfo(program + "/Const/CGI/header.txt").isWritable());
}

TEST_F(InstallLayoutTest, SeedingNeverReplacesWhatTheProgramFolderHas)
{
    const QString shared = Path("share/brenvik");
    WriteFile(shared + "/Const/a.txt", "shipped");
    WriteFile(shared + "/Const/b.txt", "shipped");
    WriteFile(shared + "/p_const/c.txt", "shipped");
    const QString program = Path("home");
    WriteFile(program + "/Const/a.txt", "the user's own");
    WriteFile(program + "/p_const", "a file, not a folder");

    EXPECT_TRUE(SeedProgramFolder(program, shared).isEmpty());
    EXPECT_EQ(Tree(program + "/Const"), (std::map<QString, QByteArray> {{"a.txt", "the user's own"}}));
    EXPECT_EQ(ReadFile(program + "/p_const"), "a file, not a folder");

    // A phrase the user deleted stays deleted on the next start.
    ASSERT_TRUE(QDir(program).rename("p_const", "old"));
    EXPECT_TRUE(SeedProgramFolder(program, shared).isEmpty());
    ASSERT_TRUE(QFile::remove(program + "/p_const/c.txt"));
    EXPECT_TRUE(SeedProgramFolder(program, shared).isEmpty());
    EXPECT_TRUE(QDir(program + "/p_const").isEmpty());
}

TEST_F(InstallLayoutTest, SeedingThatCannotWriteSaysWhereAndMakesNothing)
{
    const QString shared = Path("share/brenvik");
    WriteFile(shared + "/Const/a.txt", "shipped");
    WriteFile(Path("blocked"), "a file where the program folder should be");

    const QStringList failures = SeedProgramFolder(Path("blocked/home"), shared);
    ASSERT_EQ(failures.size(), 1);
    EXPECT_TRUE(failures.front().contains(Path("blocked/home/Const"))) << failures.front().toStdString();
    EXPECT_EQ(ReadFile(Path("blocked")), "a file where the program folder should be");

    // A file that cannot be read half way through the tree: the folder is not made at all.
    WriteFile(shared + "/p_const/a.txt", "shipped");
    ASSERT_TRUE(QFile::link(Path("nowhere"), shared + "/p_const/b.txt"));
    ASSERT_TRUE(QDir().mkpath(Path("home")));
    const QStringList unreadable = SeedProgramFolder(Path("home"), shared);
    ASSERT_EQ(unreadable.size(), 1);
    EXPECT_TRUE(unreadable.front().contains("b.txt")) << unreadable.front().toStdString();
    EXPECT_EQ(QDir(Path("home")).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot),
        QStringList {"Const"});

    // Nothing shipped, nothing to do: a build tree or an install without phrase folders.
    EXPECT_TRUE(SeedProgramFolder(Path("empty"), QString()).isEmpty());
    EXPECT_TRUE(SeedProgramFolder(Path("empty"), Path("share/none")).isEmpty());
    EXPECT_FALSE(QFileInfo::exists(Path("empty")));
}

TEST(ProgramIcon, HasEverySizeADesktopAsksFor)
{
    const QIcon icon = ProgramIcon();
    ASSERT_FALSE(icon.isNull());
    QList<int> sides;
    for (const QSize& size : icon.availableSizes()) {
        EXPECT_EQ(size.width(), size.height());
        sides.append(size.width());
    }
    std::sort(sides.begin(), sides.end());
    EXPECT_EQ(sides, (QList<int> {16, 32, 48, 128, 256}));
    // The page is opaque where the character sits.
    EXPECT_EQ(icon.pixmap(48).toImage().pixelColor(24, 24).alpha(), 255);
}

} // namespace
} // namespace brenvik
