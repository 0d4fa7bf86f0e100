// An in-place write with the old bytes kept aside until it is done.
#include "jcode/InPlaceWrite.h"

#include "jcode/FileBytes.h"
#include "jcode/SystemReason.h"
#include "support/OpenFile.h"

#include <QDir>
#include <QFileInfo>

#include <cerrno>
#include <cstdlib>
#include <exception>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace brenvik {

namespace {

TWriteLayer& SystemLayer()
{
    static TWriteLayer layer;
    return layer;
}

TWriteLayer* installed = nullptr;

// Writes all of data at the descriptor's position through layer; the errno of the failure, else 0.
int WriteAll(TWriteLayer& layer, int fd, std::string_view data)
{
    while (!data.empty()) {
        errno = 0;
        const ssize_t wrote = layer.Write(fd, data.data(), data.size());
        if (wrote < 0 && errno == EINTR)
            continue;
        if (wrote <= 0)
            return errno != 0 ? errno : ENOSPC;
        data.remove_prefix(static_cast<std::size_t>(wrote));
    }
    return 0;
}

// Copies from's bytes from its start to to's position; the errno of the failure, else 0.
int CopyBytes(int from, int to)
{
    if (::lseek(from, 0, SEEK_SET) != 0)
        return errno;
    char buffer[1 << 16];
    for (;;) {
        const ssize_t got = ::read(from, buffer, sizeof buffer);
        if (got < 0 && errno == EINTR)
            continue;
        if (got < 0)
            return errno;
        if (got == 0)
            return 0;
        if (const int error = WriteAll(SystemLayer(), to, {buffer, static_cast<std::size_t>(got)}); error != 0)
            return error;
    }
}

// The copy of a file's old bytes in the state folder, removed when it is no longer needed.
class TOldBytes {
public:
    TOldBytes(const std::string& fileName, int file)
    {
        const std::string folder = StateFolder();
        QDir().mkpath(QString::fromStdString(folder));
        path_ = folder + "/before-save-XXXXXX";
        fd_ = ::mkostemp(path_.data(), O_CLOEXEC);
        if (fd_ < 0 || CopyBytes(file, fd_) != 0 || ::fsync(fd_) != 0) {
            const int error = errno;
            Remove();
            throw EScriptFileError(fileName,
                "元の内容の控えを " + folder + " に作れませんでした。" + SystemReason(error, TFileAct::Write)
                    + "元のファイルは変更していません。");
        }
    }
    ~TOldBytes() { Remove(); }
    TOldBytes(const TOldBytes&) = delete;
    TOldBytes& operator=(const TOldBytes&) = delete;

    // Puts the old bytes back into file; false when that failed too (the copy is then kept).
    bool Restore(int file)
    {
        struct stat status { };
        if (::fstat(fd_, &status) != 0 || ::lseek(file, 0, SEEK_SET) != 0 || CopyBytes(fd_, file) != 0
            || ::ftruncate(file, status.st_size) != 0) {
            kept_ = true;
            return false;
        }
        return true;
    }
    const std::string& Path() const { return path_; }

private:
    void Remove()
    {
        if (fd_ >= 0)
            ::close(fd_);
        fd_ = -1;
        if (!kept_)
            ::unlink(path_.c_str());
    }

    std::string path_;
    int fd_ = -1;
    bool kept_ = false;
};

// Thrown inside produce's sink: the write failed with this errno.
struct TWriteFailed {
    int error;
};

} // namespace

bool TWriteLayer::CanWriteFolder(const std::string& folder) const
{
    return ::access(folder.c_str(), W_OK) == 0;
}

ssize_t TWriteLayer::Write(int fd, const char* data, std::size_t size)
{
    return ::write(fd, data, size);
}

TWriteLayer& WriteLayer()
{
    return installed ? *installed : SystemLayer();
}

TInstalledWriteLayer::TInstalledWriteLayer(TWriteLayer& layer)
    : previous_(installed)
{
    installed = &layer;
}

TInstalledWriteLayer::~TInstalledWriteLayer()
{
    installed = previous_;
}

bool WritesInPlace(const std::string& fileName)
{
    struct stat status { };
    if (::stat(fileName.c_str(), &status) != 0 || !S_ISREG(status.st_mode) || ::access(fileName.c_str(), W_OK) != 0)
        return false;
    if (status.st_nlink > 1)
        return true;
    const QString folder = QFileInfo(QFile::decodeName(fileName.c_str())).absolutePath();
    return !WriteLayer().CanWriteFolder(QFile::encodeName(folder).toStdString());
}

std::string StateFolder()
{
    const QByteArray state = qgetenv("XDG_STATE_HOME");
    const QString base = !state.isEmpty() ? QFile::decodeName(state) : QDir::homePath() + "/.local/state";
    return QFile::encodeName(base + "/brenvik").toStdString();
}

void WriteFileInPlace(const std::string& fileName, const std::function<void(const TBlockSink&)>& produce)
{
    const TOpenFile file(::open(fileName.c_str(), O_RDWR | O_CLOEXEC));
    if (file.Get() < 0)
        throw EScriptFileError(fileName, SystemReason(errno, TFileAct::Write) + "元のファイルは変更していません。");
    TOldBytes old(fileName, file.Get());
    TWriteLayer& layer = WriteLayer();
    int error = 0;
    std::exception_ptr produceFailed;
    off_t written = 0;
    try {
        if (::lseek(file.Get(), 0, SEEK_SET) != 0)
            throw TWriteFailed {errno};
        produce([&](std::string_view block) {
            if (const int failed = WriteAll(layer, file.Get(), block); failed != 0)
                throw TWriteFailed {failed};
            written += static_cast<off_t>(block.size());
        });
        if (::ftruncate(file.Get(), written) != 0 || ::fsync(file.Get()) != 0)
            error = errno;
    } catch (const TWriteFailed& failed) {
        error = failed.error;
    } catch (...) {
        produceFailed = std::current_exception();
    }
    if (error == 0 && !produceFailed)
        return;
    if (!old.Restore(file.Get()))
        throw EScriptFileError(fileName,
            SystemReason(error, TFileAct::Write) + "元の内容を戻せませんでした。元の内容は " + old.Path()
                + " に残しています。");
    if (produceFailed)
        std::rethrow_exception(produceFailed);
    throw EScriptFileError(fileName, SystemReason(error, TFileAct::Write) + "元のファイルは変更していません。");
}

} // namespace brenvik
