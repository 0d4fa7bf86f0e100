// Saves that keep the file's inode: a file with hard links, and a writable file in a folder that cannot be
// written (made so by the write layer, which also fails writes on demand; as root a small tmpfs fills up for
// real). A failed write puts the old bytes back and leaves no copy behind.
#include "common/SmallDisk.h"
#include "jcode/InPlaceWrite.h"
#include "jcode/ScriptFile.h"

#include <QDir>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <cerrno>
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

Lines LargeText()
{
    return Lines(2000, std::string(60, 'x'));
}

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
