// Reading a whole file with plain system calls into one buffer.
#include "jcode/FileBytes.h"
#include "jcode/SystemReason.h"

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <new>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>

namespace brenvik {

EScriptFileError::EScriptFileError(const std::string& fileName, const std::string& reason)
    : std::runtime_error(fileName + ": " + reason)
    , fileName_(fileName)
    , reason_(reason)
{
}

namespace {

constexpr std::size_t kHugePage = 2 * 1024 * 1024;
constexpr std::size_t kPipeBlock = 256 * 1024;

[[noreturn]] void ThrowSystemError(const std::string& fileName, int error)
{
    throw EScriptFileError(fileName, SystemReason(error, TFileAct::Read));
}

} // namespace

TFileDescriptor::TFileDescriptor(const std::string& fileName)
    : fd_(::open(fileName.c_str(), O_RDONLY | O_CLOEXEC))
{
    if (fd_ < 0) {
        ThrowSystemError(fileName, errno);
    }
}

TFileDescriptor::~TFileDescriptor()
{
    ::close(fd_);
}

struct stat ReadableStatus(int fd, const std::string& fileName)
{
    struct stat info { };
    if (::fstat(fd, &info) != 0) {
        ThrowSystemError(fileName, errno);
    }
    if (S_ISDIR(info.st_mode)) {
        ThrowSystemError(fileName, EISDIR);
    }
    return info;
}

void TFileBytes::TFree::operator()(char* data) const
{
    std::free(data);
}

void TFileBytes::Reserve(std::size_t capacity)
{
    const bool huge = capacity >= kHugePage;
    if (huge) {
        capacity = (capacity + kHugePage - 1) / kHugePage * kHugePage;
    }
    std::unique_ptr<char[], TFree> data(
        static_cast<char*>(huge ? std::aligned_alloc(kHugePage, capacity) : std::malloc(capacity)));
    if (!data) {
        throw std::bad_alloc();
    }
    if (huge) {
        ::madvise(data.get(), capacity, MADV_HUGEPAGE); // only a hint; without it the read is merely slower
    }
    if (size_ > 0) {
        std::memcpy(data.get(), data_.get(), size_);
    }
    data_ = std::move(data);
    capacity_ = capacity;
}

TFileBytes TFileBytes::Read(const std::string& fileName)
{
    const TFileDescriptor file(fileName);
    return ReadDescriptor(file.Get(), fileName);
}

void ThrowTooLarge(const std::string& fileName, std::size_t maxBytes)
{
    throw EScriptFileError(fileName, "大きすぎます（上限 " + std::to_string(maxBytes) + " バイト）。");
}

TFileBytes TFileBytes::ReadDescriptor(int fd, const std::string& fileName, std::size_t maxBytes)
{
    const struct stat info = ReadableStatus(fd, fileName);
    // The size is only a hint: a file that grows, or a pipe, is read to its end all the same.
    TFileBytes bytes;
    if (S_ISREG(info.st_mode) && static_cast<std::size_t>(info.st_size) > maxBytes) {
        ThrowTooLarge(fileName, maxBytes);
    }
    bytes.Reserve(S_ISREG(info.st_mode) ? static_cast<std::size_t>(info.st_size) + 1 : kPipeBlock);
    for (;;) {
        if (bytes.size_ > maxBytes) {
            ThrowTooLarge(fileName, maxBytes);
        }
        if (bytes.size_ == bytes.capacity_) {
            bytes.Reserve(bytes.capacity_ * 2);
        }
        const ssize_t got = ::read(fd, bytes.data_.get() + bytes.size_, bytes.capacity_ - bytes.size_);
        if (got < 0 && errno == EINTR) {
            continue;
        }
        if (got < 0) {
            ThrowSystemError(fileName, errno);
        }
        if (got == 0) {
            return bytes;
        }
        bytes.size_ += static_cast<std::size_t>(got);
    }
}

} // namespace brenvik
