// Recovery files without a window: the text and codes of any document come back exactly as a save
// would have written them, damaged files are refused, orphans are found by their process, the
// writer keeps the order of writes and removals, and disk stamps and backups tell what they should.
#include "common/SmallDisk.h"
#include "model/BackupCopy.h"
#include "model/RecoveryStore.h"
#include "model/RecoveryWriter.h"
#include "model/ScriptDocument.h"
#include "text/EditorStrings.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <random>
#include <sys/stat.h>
#include <utime.h>

namespace brenvik {
namespace {

class RecoveryTest : public ::testing::Test {
protected:
    QString Path(const QString& name) const { return FHome.filePath(name); }
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
    // Through a recovery file into a fresh document, as a restart would.
    static TFileResult RoundTrip(const TScriptDocument& from, TScriptDocument& to, const QString& path)
    {
        EXPECT_EQ(WriteRecoveryFile(path, *from.Snapshot()), QString());
        const std::optional<TRecoveredText> recovered = ReadRecoveryFile(path);
        EXPECT_TRUE(recovered.has_value());
        return recovered ? to.Restore(*recovered) : TFileResult {QStringLiteral("unreadable"), {}, {}};
    }

    QTemporaryDir FHome;
};

// Random Shift_JIS text: ASCII, half-width kana, double-byte characters whose trail byte is a
// backslash or a letter, tabs and empty lines, with or without a final break.
std::string RandomText(std::mt19937& random)
{
    static const char* const pieces[] = {"a", "$x", "\\", "\t", " ", "\xB6", "\x95\x5C", "\x83\x41", "\x82\xA0",
        "\x81\x40", "print \"\x8C\x66\x8E\xA6\";", "\r\n", "\r\n", "\r\n\r\n"};
    std::string text;
    const int count = std::uniform_int_distribution<int>(0, 60)(random);
    for (int i = 0; i < count; ++i)
        text += pieces[std::uniform_int_distribution<std::size_t>(0, std::size(pieces) - 1)(random)];
    return text;
}

TEST_F(RecoveryTest, RestoredTextSavesToTheSameBytesInEveryCodeWrappedOrNot)
{
    const TStatedCodes codes[] = {{jcSjis, rcCrLf, false}, {jcEuc, rcLf, false}, {jcJis, rcCr, false}, {jcUtf8, rcCrLf, true}};
    std::mt19937 random(34);
    for (int round = 0; round < 48; ++round) {
        TScriptDocument original;
        original.Model().Lines().SetTextStr(RandomText(random));
        if (round % 2) {
            original.Model().Rows().WrapOption().SetWrapByte(8);
            original.Model().SetWordWrap(true);
        }
        const TStatedCodes& code = codes[round % std::size(codes)];
        original.SetCodes(code);
        TScriptDocument restored;
        ASSERT_TRUE(RoundTrip(original, restored, Path("r.recovery")));
        EXPECT_TRUE(restored.Model().Modified());
        EXPECT_EQ(restored.Model().Lines().GetTextStr(), original.Model().Lines().GetTextStr()) << "round " << round;
        EXPECT_EQ(restored.DocumentJCode(), code.jcode);
        EXPECT_EQ(restored.DocumentRCode(), code.rcode);
        EXPECT_EQ(restored.Bom(), code.bom);
        ASSERT_TRUE(original.Save(Path("a.cgi"), code, rcCrLf));
        ASSERT_TRUE(restored.Save(Path("b.cgi"), code, rcCrLf));
        ASSERT_EQ(Read(Path("a.cgi")), Read(Path("b.cgi"))) << "round " << round;
    }
}

TEST_F(RecoveryTest, AUtf8ScriptKeepsItsOwnCharactersAndTheFileStaysUntouched)
{
    // An emoji and an accented letter have no Shift_JIS code: only the document's table names them.
    const QByteArray bytes = "# \xF0\x9F\x98\x80 caf\xC3\xA9\n$s = \"\xE3\x81\x8B\";\n";
    const QString script = Write("u.cgi", bytes);
    TScriptDocument original;
    ASSERT_TRUE(original.Load(script, std::nullopt, CheckScriptFile(script)));
    original.Model().Lines().Insert(0, "# \x82\xA0");
    TScriptDocument restored;
    ASSERT_TRUE(RoundTrip(original, restored, Path("u.recovery")));
    EXPECT_EQ(restored.FileName(), script);
    EXPECT_EQ(Read(script), bytes) << "restoring never writes the script";
    ASSERT_TRUE(original.Save(Path("a.cgi"), original.Codes(), rcLf));
    ASSERT_TRUE(restored.Save(Path("b.cgi"), restored.Codes(), rcLf));
    EXPECT_EQ(Read(Path("b.cgi")), "# \xE3\x81\x82\n" + bytes);
    EXPECT_EQ(Read(Path("a.cgi")), Read(Path("b.cgi")));
}

TEST_F(RecoveryTest, DamagedOrTruncatedFilesAreNoRecoveryFiles)
{
    TScriptDocument document;
    document.Model().Lines().SetTextStr("print 1;\r\nprint 2;\r\n");
    ASSERT_EQ(WriteRecoveryFile(Path("good.recovery"), *document.Snapshot()), QString());
    const QByteArray good = Read(Path("good.recovery"));
    ASSERT_TRUE(ReadRecoveryFile(Path("good.recovery")));
    QByteArray wrongCode = good;
    wrongCode.replace("jcode=5", "jcode=x");
    const QByteArray damaged[] = {good.chopped(1), good + "x", QByteArray("Brenvik recovery 2") + good.mid(18), wrongCode,
        good.left(good.indexOf("\n\n")), QByteArray()};
    for (const QByteArray& bytes : damaged) {
        const QString path = Write("bad.recovery", bytes);
        EXPECT_FALSE(ReadRecoveryHeader(path)) << bytes.left(60).toStdString();
        EXPECT_FALSE(ReadRecoveryFile(path)) << bytes.left(60).toStdString();
    }
}

TEST_F(RecoveryTest, OrphansAreFilesOfProcessesThatAreGoneAndOnlyOneClaimWins)
{
    const TRecoveryStore store(Path("recovery"));
    ASSERT_TRUE(QDir().mkpath(store.Folder()));
    TScriptDocument document;
    document.Model().Lines().SetTextStr("x\r\n");
    const auto write = [&](const QString& name, const TProcessIdentity& owner, const QString& fileName) {
        std::shared_ptr<TRecoverySnapshot> snapshot = document.Snapshot();
        snapshot->Header.Owner = owner;
        snapshot->Header.FileName = fileName;
        EXPECT_EQ(WriteRecoveryFile(store.Folder() + '/' + name, *snapshot), QString());
    };
    TProcessIdentity restarted = CurrentProcess();
    ++restarted.StartTicks; // this id, once used by a process that is gone
    TProcessIdentity otherBoot = CurrentProcess();
    otherBoot.BootId = QStringLiteral("00000000-0000-0000-0000-000000000000");
    EXPECT_TRUE(IsRunning(CurrentProcess()));
    EXPECT_FALSE(IsRunning(restarted));
    EXPECT_FALSE(IsRunning(otherBoot));
    write("mine.recovery", CurrentProcess(), Path("a.cgi"));
    write("old.recovery", restarted, Path("a.cgi"));
    write("other.recovery", otherBoot, Path("b.cgi"));
    write("new.recovery", restarted, QString());
    Write("recovery/broken.recovery", "Brenvik recovery 1\n");

    QStringList all;
    for (const TRecoveryEntry& orphan : store.Orphans())
        all.append(QFileInfo(orphan.Path).fileName());
    all.sort();
    EXPECT_EQ(all, QStringList({"new.recovery", "old.recovery", "other.recovery"}));
    const std::vector<TRecoveryEntry> ofA = store.Orphans(Path("a.cgi"));
    ASSERT_EQ(ofA.size(), 1u);
    EXPECT_EQ(QFileInfo(ofA[0].Path).fileName(), "old.recovery");

    const QString own = store.OwnPath(Path("a.cgi"));
    EXPECT_TRUE(own.endsWith(QStringLiteral("-%1.recovery").arg(CurrentProcess().Pid)));
    EXPECT_NE(own, store.OwnPath(Path("sub/a.cgi"))) << "scripts of one name in two folders";
    EXPECT_TRUE(store.OwnPath({}).contains(QStringLiteral("新規文章")));
    EXPECT_TRUE(TRecoveryStore::Claim(ofA[0], own));
    EXPECT_FALSE(TRecoveryStore::Claim(ofA[0], own + ".second")) << "a second copy finds it gone";
    EXPECT_TRUE(QFileInfo::exists(own));
}

TEST_F(RecoveryTest, TheWriterKeepsOrderDropsStaleSnapshotsAndReportsFailures)
{
    TScriptDocument document;
    const QString path = Path("state/brenvik/recovery/a.recovery");
    {
        TRecoveryWriter writer;
        for (int i = 0; i < 50; ++i) {
            document.Model().Lines().SetTextStr(std::to_string(i) + "\r\n");
            writer.Write(path, document.Snapshot());
        }
        writer.WaitIdle();
        EXPECT_GE(writer.Written(), 1);
        const std::optional<TRecoveredText> last = ReadRecoveryFile(path);
        ASSERT_TRUE(last);
        EXPECT_EQ(last->Body, "49\n") << "the latest snapshot is the one on disk";
        // A removal queued after a write wins, whatever the thread was doing.
        writer.Write(path, document.Snapshot());
        writer.Remove(path);
        writer.WaitIdle();
        EXPECT_FALSE(QFileInfo::exists(path));
        EXPECT_EQ(writer.TakeError(), QString());
        // A folder that cannot be made (a file stands in the way, even for root).
        Write("blocked", "x");
        writer.Write(Path("blocked/recovery/a.recovery"), document.Snapshot());
        writer.WaitIdle();
        EXPECT_FALSE(writer.TakeError().isEmpty());
        EXPECT_EQ(writer.TakeError(), QString()) << "told once";
        // Queued work is finished before the writer goes.
        writer.Write(path, document.Snapshot());
    }
    EXPECT_TRUE(QFileInfo::exists(path));
}

TEST_F(RecoveryTest, DiskStampsTellChangesTheTimeAloneMisses)
{
    QByteArray bytes(3 * kDiskStampBlock, 'a');
    const QString file = Write("s.cgi", bytes);
    const std::optional<TDiskStamp> stamp = TakeDiskStamp(file);
    ASSERT_TRUE(stamp);
    EXPECT_EQ(CompareDiskStamp(file, *stamp), TDiskState::Same);
    EXPECT_EQ(ParseDiskStamp(DiskStampText(*stamp)), stamp);
    EXPECT_FALSE(ParseDiskStamp(QStringLiteral("1 2")));
    // Same size, the time put back: the hash of the last block tells.
    struct stat before {};
    ASSERT_EQ(::stat(QFile::encodeName(file).constData(), &before), 0);
    bytes[bytes.size() - 1] = 'b';
    Write("s.cgi", bytes);
    const utimbuf times {before.st_atime, before.st_mtime};
    ASSERT_EQ(::utime(QFile::encodeName(file).constData(), &times), 0);
    EXPECT_EQ(CompareDiskStamp(file, *stamp), TDiskState::Changed);
    Write("s.cgi", bytes + "x");
    EXPECT_EQ(CompareDiskStamp(file, *stamp), TDiskState::Changed);
    ASSERT_TRUE(QFile::remove(file));
    EXPECT_EQ(CompareDiskStamp(file, *stamp), TDiskState::Missing);
    ASSERT_TRUE(QDir().mkdir(file));
    EXPECT_EQ(CompareDiskStamp(file, *stamp), TDiskState::Folder);
}

TEST_F(RecoveryTest, BackupsKeepThePreviousBytesBesideOrInAFolderWithTheDate)
{
    const QString script = Write("s.cgi", "old\r\n");
    const QDateTime at(QDate(2026, 12, 8), QTime(21, 5, 9));
    EXPECT_EQ(WriteBackup(script, {}, at), QString());
    EXPECT_EQ(Read(Path("s.cgi.bak")), "old\r\n");
    ASSERT_TRUE(QDir().mkdir(Path("bak")));
    EXPECT_EQ(WriteBackup(script, Path("bak"), at), QString());
    EXPECT_EQ(Read(Path("bak/s.cgi.20261208-210509.bak")), "old\r\n");
    EXPECT_EQ(WriteBackup(Path("new.cgi"), {}, at), QString()) << "nothing to keep before the first save";
    EXPECT_FALSE(QFileInfo::exists(Path("new.cgi.bak")));
    EXPECT_FALSE(WriteBackup(script, Path("missing"), at).isEmpty());
}

TEST_F(RecoveryTest, ABackupFolderThatCannotBeWrittenFailsAndLeavesTheOldBackup)
{
    ASSERT_TRUE(QDir().mkdir(Path("ro")));
    const QString script = Write("s.cgi", "new\r\n");
    const QDateTime at = QDateTime::currentDateTime();
    {
        test::TTmpfsMount mount(QFile::encodeName(Path("ro")).toStdString(), "64k");
        ASSERT_TRUE(mount.Mounted());
        Write("ro/s.cgi.bak", "kept\r\n");
        ASSERT_TRUE(mount.MakeReadOnly());
        EXPECT_EQ(WriteBackup(script, Path("ro"), at), QStringLiteral("フォルダは読み取り専用のファイルシステムにあります。"));
        EXPECT_FALSE(QFileInfo::exists(BackupPath(script, Path("ro"), at)));
        // A full disk: the copy fails part way, and the temporary file goes with it.
        test::TFileSizeLimit limit(2);
        EXPECT_FALSE(WriteBackup(script, {}, at).isEmpty());
    }
    EXPECT_EQ(Read(Path("s.cgi.bak")), "<unreadable>");
}

} // namespace
} // namespace brenvik
