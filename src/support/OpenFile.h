// A file descriptor closed on every path out of the scope that opened it.
#pragma once

#include <unistd.h>

namespace brenvik {

class TOpenFile {
public:
    explicit TOpenFile(int fd)
        : fd_(fd)
    {
    }
    ~TOpenFile()
    {
        if (fd_ >= 0)
            ::close(fd_);
    }
    TOpenFile(const TOpenFile&) = delete;
    TOpenFile& operator=(const TOpenFile&) = delete;
    int Get() const { return fd_; }

private:
    int fd_;
};

} // namespace brenvik
