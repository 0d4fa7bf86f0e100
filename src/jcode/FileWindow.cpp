// Mapping a script file for sequential passes.
#include "jcode/FileWindow.h"

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

} // namespace

TFileWindow::TFileWindow(const std::string& fileName, TKeep keep, std::size_t maxBytes)
    : keep_(keep)
{
    if (fileName == "-") {
        bytes_ = TFileBytes::ReadDescriptor(STDIN_FILENO, fileName, maxBytes);
        view_ = bytes_->View();
        return;
    }
    const TFileDescriptor file(fileName);
    const struct stat info = ReadableStatus(file.Get(), fileName);
    const auto size = static_cast<std::size_t>(info.st_size);
    if (S_ISREG(info.st_mode) && size > maxBytes) {
        ThrowTooLarge(fileName, maxBytes);
    }
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
    bytes_ = TFileBytes::ReadDescriptor(file.Get(), fileName, maxBytes);
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
