// How grep reads a file whole: the one layer between the search and the file system, which tests replace
// to make a read fail where permissions cannot (a test run as root reads every file).
#pragma once

#include "grep/GrepFile.h"

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

namespace brenvik {

// A buffer kept by a thread from one file to the next, never zero-filled.
class TReadBuffer {
public:
    std::string_view View() const { return {data_.get(), size_}; }
    // Room for at least capacity bytes, the first size bytes kept.
    char* Reserve(std::size_t capacity);
    void SetSize(std::size_t size) { size_ = size; }
    std::size_t Capacity() const { return capacity_; }

private:
    std::unique_ptr<char[]> data_;
    std::size_t size_ = 0;
    std::size_t capacity_ = 0;
};

class TGrepReader {
public:
    virtual ~TGrepReader() = default;
    // Reads path ("-": standard input) whole into buffer and returns true; else sets file.Outcome and
    // file.Message (goSkipped for a file that is no regular file or is larger than maxBytes, goFailed for
    // one that cannot be read) and returns false. Several threads call it at once.
    virtual bool Read(const std::string& path, std::uint64_t maxBytes, TReadBuffer& buffer, TGrepFile& file) const;
};

} // namespace brenvik
