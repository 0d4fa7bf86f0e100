// Mapping a script file for sequential passes.
#include "jcode/FileWindow.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>

namespace brenvik {

namespace {

// Pages are given back once this much has been walked past them.
constexpr std::size_t kReleaseStep = 4 * 1024 * 1024;

std::size_t PageSize()
{
    static const auto size = static_cast<std::size_t>(::sysconf(_SC_PAGESIZE));
    return size;
}

class TDescriptor {
public:
    explicit TDescriptor(int fd)
        : fd_(fd)
    {
    }
    ~TDescriptor()
    {
        if (fd_ >= 0) {
            ::close(fd_);
        }
    }
    TDescriptor(const TDescriptor&) = delete;
    TDescriptor& operator=(const TDescriptor&) = delete;
    int Get() const { return fd_; }

private:
    int fd_;
};

[[noreturn]] void Fail(const std::string& fileName, int error)
{
    throw EScriptFileError(fileName, std::strerror(error));
}

} // namespace

TFileWindow::TFileWindow(const std::string& fileName, TKeep keep)
    : keep_(keep)
{
    if (fileName == "-") {
        bytes_ = TFileBytes::ReadDescriptor(STDIN_FILENO, fileName);
        view_ = bytes_->View();
        return;
    }
    const TDescriptor file(::open(fileName.c_str(), O_RDONLY | O_CLOEXEC));
    if (file.Get() < 0) {
        Fail(fileName, errno);
    }
    struct stat info { };
    if (::fstat(file.Get(), &info) != 0) {
        Fail(fileName, errno);
    }
    if (S_ISDIR(info.st_mode)) {
        Fail(fileName, EISDIR);
    }
    const auto size = static_cast<std::size_t>(info.st_size);
    if (S_ISREG(info.st_mode) && size > 0) {
        const int populate = keep == wkWhole ? MAP_POPULATE : 0;
        void* map = ::mmap(nullptr, size, PROT_READ, MAP_PRIVATE | populate, file.Get(), 0);
        if (map != MAP_FAILED) {
            ::madvise(map, size, MADV_SEQUENTIAL);
            map_ = map;
            view_ = {static_cast<const char*>(map), size};
            return;
        }
    }
    bytes_ = TFileBytes::ReadDescriptor(file.Get(), fileName);
    view_ = bytes_->View();
}

TFileWindow::~TFileWindow()
{
    if (map_ != nullptr) {
        ::munmap(map_, view_.size());
    }
}

void TFileWindow::Consumed(const char* end)
{
    if (map_ == nullptr || keep_ == wkWhole) {
        return;
    }
    const auto walked = static_cast<std::size_t>(end - view_.data());
    if (walked < released_ + kReleaseStep) {
        return;
    }
    const std::size_t upTo = walked / PageSize() * PageSize();
    ::madvise(static_cast<char*>(map_) + released_, upTo - released_, MADV_DONTNEED);
    released_ = upTo;
}

} // namespace brenvik
