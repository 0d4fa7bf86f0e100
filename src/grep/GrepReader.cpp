// Reading with open, fstat and read: a FIFO opened without blocking is caught by fstat before any read
// could wait on it, and a regular file is read into a buffer the thread keeps.
#include "grep/GrepReader.h"

#include "jcode/SystemReason.h"
#include "support/OpenFile.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace brenvik {

namespace {

std::string SizeText(std::uint64_t bytes)
{
    constexpr std::uint64_t kMega = 1024 * 1024;
    return bytes < kMega ? std::to_string(bytes) + " バイト" : std::to_string(bytes / kMega) + " MB";
}

// Reads fd to its end; the size, when known, sizes the buffer at once.
bool ReadAll(int fd, std::size_t expected, TReadBuffer& buffer, TGrepFile& file)
{
    std::size_t size = 0;
    buffer.Reserve(expected + 1);
    for (;;) {
        if (size == buffer.Capacity())
            buffer.Reserve(size * 2);
        const ssize_t got = ::read(fd, buffer.Reserve(size + 1) + size, buffer.Capacity() - size);
        if (got < 0 && errno == EINTR)
            continue;
        if (got < 0) {
            file.Outcome = TGrepFile::goFailed;
            file.Message = SystemReason(errno, TFileAct::Read);
            return false;
        }
        if (got == 0)
            break;
        size += static_cast<std::size_t>(got);
    }
    buffer.SetSize(size);
    return true;
}

} // namespace

char* TReadBuffer::Reserve(std::size_t capacity)
{
    if (capacity > capacity_) {
        std::unique_ptr<char[]> grown(new char[capacity]);
        if (size_ > 0)
            std::memcpy(grown.get(), data_.get(), size_);
        data_ = std::move(grown);
        capacity_ = capacity;
    }
    return data_.get();
}

bool TGrepReader::Read(const std::string& path, std::uint64_t maxBytes, TReadBuffer& buffer, TGrepFile& file) const
{
    buffer.SetSize(0);
    if (path == "-")
        return ReadAll(STDIN_FILENO, 1 << 16, buffer, file);
    const TOpenFile opened(::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC));
    struct stat status {};
    if (opened.Get() < 0 || ::fstat(opened.Get(), &status) != 0) {
        file.Outcome = TGrepFile::goFailed;
        file.Message = SystemReason(errno, TFileAct::Read);
        return false;
    }
    if (!S_ISREG(status.st_mode)) {
        file.Outcome = TGrepFile::goSkipped;
        file.Message = "通常のファイルではないので読みません。";
        return false;
    }
    if (static_cast<std::uint64_t>(status.st_size) > maxBytes) {
        file.Outcome = TGrepFile::goSkipped;
        file.Message = "大きすぎるので読みません（" + SizeText(static_cast<std::uint64_t>(status.st_size))
            + "、上限 " + SizeText(maxBytes) + "）。";
        return false;
    }
    return ReadAll(opened.Get(), static_cast<std::size_t>(status.st_size), buffer, file);
}

} // namespace brenvik
