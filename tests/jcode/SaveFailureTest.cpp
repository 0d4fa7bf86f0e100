// Saves that cannot complete: the error names the reason in Japanese and the old file is left as it was.
// As root (where permissions do not stop a write) the folders are small or read-only tmpfs mounts;
// otherwise a file-size limit and a folder without write permission fail the same calls.
// Saves that keep the file's inode: a file with hard links, and a writable file in a folder that cannot be
// written (made so by the write layer, which also fails writes on demand; a small disk fills up for real).
// A failed in-place write puts the old bytes back and leaves no copy behind.
#include "common/SmallDisk.h"
#include "jcode/InPlaceWrite.h"
#include "jcode/ScriptFile.h"
#include "jcode/SystemReason.h"

#include <QDir>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <cerrno>
#include <csignal>
#include <cstring>
#include <fcntl.h>
#include <linux/fs.h>
#include <sys/ioctl.h>
#include <fstream>
#include <optional>
#include <stdexcept>
#include <sys/stat.h>
#include <unistd.h>

using namespace brenvik;
using Lines = std::vector<std::string>;

namespace {

const std::string kOld = "old contents\r\n";

std::string ReadAll(const std::string& path)
{
    return std::string(TFileBytes::Read(path).View());
}

// A folder holding one old file, which a save of lines must leave untouched.
class SaveFailure : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(dir_.isValid());
        folder_ = dir_.filePath("folder").toStdString();
        ASSERT_TRUE(QDir().mkdir(QString::fromStdString(folder_)));
    }
    void TearDown() override
    {
        disk_.reset();
        ::chmod(folder_.c_str(), 0755);
    }

    // As root: a tmpfs of the given size in place of the folder, optionally remounted read-only.
    void MountSmallFolder(const char* size, bool readOnly)
    {
        disk_.emplace(folder_, size);
        ASSERT_TRUE(disk_->Mounted());
        WriteOld();
        if (readOnly) {
            ASSERT_TRUE(disk_->MakeReadOnly()) << std::strerror(errno);
        }
    }

    void WriteOld() { std::ofstream(OldPath(), std::ios::binary) << kOld; }
    std::string OldPath() const { return folder_ + "/script.cgi"; }

    // Saves lines over the old file, expecting a failure whose reason holds expected.
    void ExpectFailedSave(const Lines& lines, const std::string& expected)
    {
        try {
            SaveScriptFile(OldPath(), lines, jcSjis, rcCrLf);
            ADD_FAILURE() << "the save succeeded";
        } catch (const EScriptFileError& error) {
            EXPECT_EQ(error.FileName(), OldPath());
            EXPECT_NE(error.Reason().find(expected), std::string::npos) << error.Reason();
            EXPECT_NE(error.Reason().find("元のファイルは変更していません"), std::string::npos);
        }
        EXPECT_EQ(ReadAll(OldPath()), kOld);
        EXPECT_EQ(QDir(QString::fromStdString(folder_)).entryList(QDir::Files), QStringList {"script.cgi"})
            << "a temporary file was left behind";
    }

    QTemporaryDir dir_;
    std::string folder_;
    std::optional<test::TTmpfsMount> disk_;
};

Lines LargeText()
{
    return Lines(2000, std::string(60, 'x'));
}

} // namespace

TEST_F(SaveFailure, FullDiskKeepsTheOldFile)
{
    if (::geteuid() == 0) {
        MountSmallFolder("16k", false);
        ExpectFailedSave(LargeText(), "ディスクの空きが足りません");
        return;
    }
    WriteOld();
    // Without root, a file-size limit makes the same write fail (EFBIG instead of ENOSPC).
    const test::TFileSizeLimit limit(16 * 1024);
    ExpectFailedSave(LargeText(), "ファイルが大きすぎて");
}

// A text that fits in Qt's write buffer reaches the disk only at the end, in one short write
// that Qt does not call an error: the save must still fail, never keep a shortened file.
TEST_F(SaveFailure, ASmallTextCutShortByTheLimitFailsToo)
{
    WriteOld();
    const test::TFileSizeLimit limit(1000);
    ExpectFailedSave(Lines(40, std::string(60, 'x')), "ファイルが大きすぎ");
}

TEST_F(SaveFailure, ReadOnlyFolderKeepsTheOldFile)
{
    if (::geteuid() == 0) {
        MountSmallFolder("64k", true);
    } else {
        WriteOld();
        ASSERT_EQ(::chmod(folder_.c_str(), 0555), 0);
        ASSERT_EQ(::chmod(OldPath().c_str(), 0444), 0); // a writable file would be written in place
    }
    // A read-only mount stops the file itself; without root the modes do.
    ExpectFailedSave(Lines {"new"}, ::geteuid() == 0 ? "読み取り専用" : "ファイルに書き込む権限がありません");
}

// A file that cannot be written in a writable folder is named as the file, in Japanese only, and
// a new file's failure says nothing of an original.
TEST_F(SaveFailure, AnUnwritableFileIsNamedAndANewFileHasNoOriginal)
{
    WriteOld();
    const bool root = ::geteuid() == 0;
    const int fd = ::open(OldPath().c_str(), O_RDONLY);
    ASSERT_GE(fd, 0);
    int flags = 0;
    if (root) {
        // Root writes through any mode; an immutable file stops it.
        ASSERT_EQ(::ioctl(fd, FS_IOC_GETFLAGS, &flags), 0) << std::strerror(errno);
        const int immutable = flags | FS_IMMUTABLE_FL;
        ASSERT_EQ(::ioctl(fd, FS_IOC_SETFLAGS, &immutable), 0) << std::strerror(errno);
    } else {
        ASSERT_EQ(::chmod(OldPath().c_str(), 0444), 0);
    }
    std::string reason;
    try {
        SaveScriptFile(OldPath(), Lines {"new"}, jcSjis, rcCrLf);
    } catch (const EScriptFileError& error) {
        reason = error.Reason();
    }
    if (root)
        ::ioctl(fd, FS_IOC_SETFLAGS, &flags);
    ::close(fd);
    EXPECT_EQ(ReadAll(OldPath()), kOld);
    EXPECT_NE(reason.find(root ? "ファイルは変更できない設定" : "ファイルに書き込む権限がありません"), std::string::npos) << reason;
    EXPECT_EQ(reason.find("フォルダ"), std::string::npos) << reason;
    EXPECT_EQ(reason.find_first_of("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz"), std::string::npos)
        << "no English detail: " << reason;

    // A new file in a folder it cannot be written to.
    if (root) {
        MountSmallFolder("64k", true);
    } else {
        ASSERT_EQ(::chmod(folder_.c_str(), 0555), 0);
    }
    try {
        SaveScriptFile(folder_ + "/new.cgi", Lines {"new"}, jcSjis, rcCrLf);
        ADD_FAILURE() << "the save succeeded";
    } catch (const EScriptFileError& error) {
        EXPECT_EQ(error.Reason().find("元のファイル"), std::string::npos) << error.Reason();
        EXPECT_NE(error.Reason().find("フォルダ"), std::string::npos) << error.Reason();
    }
}

// Each failure of a system call reads as one Japanese sentence naming what it failed on.
TEST(SystemReason, NamesTheFileOrTheFolderInJapanese)
{
    EXPECT_EQ(SystemReason(EACCES, TFileAct::Write), "ファイルに書き込む権限がありません。");
    EXPECT_EQ(SystemReason(EACCES, TFileAct::Read, TFileThing::Folder), "フォルダに読む権限がありません。");
    EXPECT_EQ(SystemReason(ENOENT, TFileAct::Read), "ファイルが見つかりません。");
    for (const int error : {EPERM, EROFS, ENOSPC, EDQUOT, EFBIG, EISDIR, ENOTDIR, ENAMETOOLONG, ELOOP, EMFILE, EIO, 0, 9999}) {
        const std::string reason = SystemReason(error, TFileAct::Write);
        EXPECT_EQ(reason.find_first_of("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz"), std::string::npos) << reason;
        EXPECT_TRUE(reason.ends_with("。")) << reason;
    }
    EXPECT_NE(SystemReason(9999, TFileAct::Read).find("9999"), std::string::npos);
}

TEST_F(SaveFailure, MissingFolderIsNamed)
{
    const std::string path = folder_ + "/no/such/script.cgi";
    try {
        SaveScriptFile(path, Lines {"a"}, jcEuc, rcLf);
        ADD_FAILURE() << "the save succeeded";
    } catch (const EScriptFileError& error) {
        EXPECT_NE(error.Reason().find("保存先のフォルダがありません"), std::string::npos) << error.Reason();
    }
    EXPECT_FALSE(QDir(QString::fromStdString(folder_ + "/no")).exists());
}

TEST_F(SaveFailure, ASaveThatFitsReplacesTheFile)
{
    if (::geteuid() == 0) {
        MountSmallFolder("64k", false);
    } else {
        WriteOld();
    }
    SaveScriptFile(OldPath(), Lines {"print 1;", "print 2;"}, jcEuc, rcLf);
    EXPECT_EQ(ReadAll(OldPath()), "print 1;\nprint 2;\n");
}

namespace {

ino_t Inode(const std::string& path)
{
    struct stat status { };
    EXPECT_EQ(::stat(path.c_str(), &status), 0) << path;
    return status.st_ino;
}

// A layer whose folders cannot be written, and whose writes fail with ENOSPC after failAfter bytes.
class TFailingLayer : public TWriteLayer {
public:
    bool CanWriteFolder(const std::string&) const override { return false; }
    ssize_t Write(int fd, const char* data, std::size_t size) override
    {
        if (written_ + size > failAfter) {
            errno = ENOSPC;
            return -1;
        }
        written_ += size;
        return TWriteLayer::Write(fd, data, size);
    }
    std::size_t failAfter = SIZE_MAX;

private:
    std::size_t written_ = 0;
};

class InPlaceWrite : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(dir_.isValid());
        folder_ = dir_.filePath("folder").toStdString();
        ASSERT_TRUE(QDir().mkdir(QString::fromStdString(folder_)));
        oldState_ = qgetenv("XDG_STATE_HOME");
        qputenv("XDG_STATE_HOME", dir_.filePath("state").toUtf8());
    }
    void TearDown() override
    {
        disk_.reset();
        if (oldState_.isEmpty())
            qunsetenv("XDG_STATE_HOME");
        else
            qputenv("XDG_STATE_HOME", oldState_);
    }
    std::string Path(const char* name) const { return folder_ + "/" + name; }
    void WriteOld(const std::string& path) const { std::ofstream(path, std::ios::binary) << kOld; }
    // Nothing of a save is left in the state folder.
    void ExpectNoCopyLeft() const
    {
        EXPECT_TRUE(QDir(dir_.filePath("state/brenvik")).entryList(QDir::Files).isEmpty());
    }

    QTemporaryDir dir_;
    std::string folder_;
    QByteArray oldState_;
    std::optional<test::TTmpfsMount> disk_;
};

} // namespace

TEST_F(InPlaceWrite, HardLinksAndAnUnwritableFolderKeepTheInode)
{
    const std::string script = Path("script.cgi");
    const std::string link = Path("link.cgi");
    WriteOld(script);
    ASSERT_EQ(::link(script.c_str(), link.c_str()), 0);
    const ino_t inode = Inode(script);
    ASSERT_TRUE(WritesInPlace(script));
    SaveScriptFile(script, Lines {"print 1;"}, jcSjis, rcLf);
    EXPECT_EQ(ReadAll(link), "print 1;\n");
    EXPECT_EQ(Inode(script), inode);
    // Shorter than before: the old tail is cut off.
    SaveScriptFile(link, Lines {"x"}, jcSjis, rcLf);
    EXPECT_EQ(ReadAll(script), "x\n");
    ExpectNoCopyLeft();

    // One link in a folder that cannot be written: in place all the same; a folder that can be, renamed.
    const std::string alone = Path("alone.cgi");
    WriteOld(alone);
    const ino_t aloneInode = Inode(alone);
    EXPECT_FALSE(WritesInPlace(alone));
    {
        TFailingLayer layer;
        const TInstalledWriteLayer installed(layer);
        ASSERT_TRUE(WritesInPlace(alone));
        SaveScriptFile(alone, Lines {"a", "b"}, jcSjis, rcCrLf);
    }
    EXPECT_EQ(ReadAll(alone), "a\r\nb\r\n");
    EXPECT_EQ(Inode(alone), aloneInode);
    SaveScriptFile(alone, Lines {"c"}, jcSjis, rcCrLf);
    EXPECT_NE(Inode(alone), aloneInode);
    ExpectNoCopyLeft();
}

TEST_F(InPlaceWrite, AFailedWritePutsTheOldBytesBack)
{
    const std::string script = Path("script.cgi");
    WriteOld(script);
    const ino_t inode = Inode(script);
    {
        TFailingLayer layer;
        layer.failAfter = 1000;
        const TInstalledWriteLayer installed(layer);
        try {
            SaveScriptFile(script, LargeText(), jcSjis, rcCrLf);
            ADD_FAILURE() << "the save succeeded";
        } catch (const EScriptFileError& error) {
            EXPECT_NE(error.Reason().find("ディスクの空きが足りません"), std::string::npos) << error.Reason();
            EXPECT_NE(error.Reason().find("元のファイルは変更していません"), std::string::npos) << error.Reason();
        }
        // The text failing to encode midway: the same.
        EXPECT_THROW(WriteFileBlocks(script,
                         [](const TBlockSink& write) {
                             write("partial");
                             throw std::runtime_error("encoding failed");
                         }),
            std::runtime_error);
    }
    EXPECT_EQ(ReadAll(script), kOld);
    EXPECT_EQ(Inode(script), inode);
    ExpectNoCopyLeft();
}

// A disk that fills up for real: a small tmpfs as root, a file-size limit otherwise.
TEST_F(InPlaceWrite, AFullDiskPutsTheOldBytesBack)
{
    std::optional<test::TFileSizeLimit> limit;
    if (::geteuid() == 0) {
        disk_.emplace(folder_, "16k");
        ASSERT_TRUE(disk_->Mounted());
    }
    const std::string script = Path("script.cgi");
    WriteOld(script);
    ASSERT_EQ(::link(script.c_str(), Path("link.cgi").c_str()), 0);
    if (::geteuid() != 0)
        limit.emplace(16 * 1024);
    EXPECT_THROW(SaveScriptFile(script, LargeText(), jcSjis, rcCrLf), EScriptFileError);
    limit.reset();
    EXPECT_EQ(ReadAll(script), kOld);
    EXPECT_EQ(ReadAll(Path("link.cgi")), kOld);
    ExpectNoCopyLeft();
}
