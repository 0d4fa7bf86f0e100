// Saves that cannot complete: the error names the reason in Japanese and the old file is left as it was.
// As root (where permissions do not stop a write) the folders are small or read-only tmpfs mounts;
// otherwise a file-size limit and a folder without write permission fail the same calls.
#include "common/SmallDisk.h"
#include "jcode/ScriptFile.h"

#include <QDir>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <fstream>
#include <optional>
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

TEST_F(SaveFailure, ReadOnlyFolderKeepsTheOldFile)
{
    if (::geteuid() == 0) {
        MountSmallFolder("64k", true);
    } else {
        WriteOld();
        ASSERT_EQ(::chmod(folder_.c_str(), 0555), 0);
    }
    ExpectFailedSave(Lines {"new"}, "保存先のフォルダに書き込めません");
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
