// A whole file read in one go, and the error raised when a script file cannot be read or written.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <stdexcept>
#include <string>
#include <string_view>
#include <sys/stat.h>

namespace brenvik {

// A file that could not be read or written; what() is "<file name>: <reason>".
class EScriptFileError : public std::runtime_error {
public:
    EScriptFileError(const std::string& fileName, const std::string& reason);
    const std::string& FileName() const { return fileName_; }
    const std::string& Reason() const { return reason_; }

private:
    std::string fileName_;
    std::string reason_;
};

// A descriptor opened for reading, closed on every path out; throws EScriptFileError when the file
// cannot be opened.
class TFileDescriptor {
public:
    explicit TFileDescriptor(const std::string& fileName);
    ~TFileDescriptor();
    TFileDescriptor(const TFileDescriptor&) = delete;
    TFileDescriptor& operator=(const TFileDescriptor&) = delete;
    int Get() const { return fd_; }

private:
    int fd_;
};

// The refusal of a file larger than maxBytes, in Japanese.
[[noreturn]] void ThrowTooLarge(const std::string& fileName, std::size_t maxBytes);

// The status of an open file that is to be read; a folder, or a failing call, throws EScriptFileError.
struct stat ReadableStatus(int fd, const std::string& fileName);

// The bytes of a file in one buffer that is never zero-filled first; large files get huge pages where the
// system offers them, which spares most of the page faults of a 100 MB read.
class TFileBytes {
public:
    static TFileBytes Read(const std::string& fileName);
    // Reads an open descriptor to its end; fileName names it in errors. More than maxBytes throws
    // EScriptFileError once that much has been read.
    static TFileBytes ReadDescriptor(int fd, const std::string& fileName, std::size_t maxBytes = SIZE_MAX);
    std::string_view View() const { return {data_.get(), size_}; }

private:
    struct TFree {
        void operator()(char* data) const;
    };
    void Reserve(std::size_t capacity);

    std::unique_ptr<char[], TFree> data_;
    std::size_t size_ = 0;
    std::size_t capacity_ = 0;
};

} // namespace brenvik
