// Full and read-only disks for tests of failed writes, undone on every path: as root a small
// tmpfs mounted over a folder, otherwise a limit on the size of the files this process writes.
#pragma once

#include <gtest/gtest.h>

#include <cerrno>
#include <csignal>
#include <cstring>
#include <string>
#include <sys/mount.h>
#include <sys/resource.h>

namespace brenvik::test {

// A tmpfs of size (as "64k") over folder until this object goes.
class TTmpfsMount {
public:
    TTmpfsMount(std::string folder, const std::string& size)
        : FFolder(std::move(folder))
        , FOptions("size=" + size)
    {
        FMounted = ::mount("tmpfs", FFolder.c_str(), "tmpfs", 0, FOptions.c_str()) == 0;
        EXPECT_TRUE(FMounted) << "root could not mount a tmpfs on " << FFolder << ": " << std::strerror(errno);
    }
    ~TTmpfsMount()
    {
        if (FMounted)
            ::umount(FFolder.c_str());
    }
    TTmpfsMount(const TTmpfsMount&) = delete;
    TTmpfsMount& operator=(const TTmpfsMount&) = delete;

    bool Mounted() const { return FMounted; }
    // Mounted again read-only; false when that failed.
    bool MakeReadOnly()
    {
        return ::mount("tmpfs", FFolder.c_str(), "tmpfs", MS_REMOUNT | MS_RDONLY, FOptions.c_str()) == 0;
    }

private:
    std::string FFolder;
    std::string FOptions;
    bool FMounted = false;
};

// Files this process writes may grow to at most bytes until this object goes. SIGXFSZ is
// ignored meanwhile, so that a write past the limit fails (EFBIG) instead of ending the process.
class TFileSizeLimit {
public:
    explicit TFileSizeLimit(rlim_t bytes)
        : FHandler(std::signal(SIGXFSZ, SIG_IGN))
    {
        FSaved = ::getrlimit(RLIMIT_FSIZE, &FOld) == 0;
        rlimit small = FOld;
        small.rlim_cur = bytes;
        EXPECT_TRUE(FSaved && ::setrlimit(RLIMIT_FSIZE, &small) == 0) << std::strerror(errno);
    }
    ~TFileSizeLimit()
    {
        if (FSaved)
            ::setrlimit(RLIMIT_FSIZE, &FOld);
        std::signal(SIGXFSZ, FHandler);
    }
    TFileSizeLimit(const TFileSizeLimit&) = delete;
    TFileSizeLimit& operator=(const TFileSizeLimit&) = delete;

private:
    void (*FHandler)(int);
    rlimit FOld {};
    bool FSaved = false;
};

} // namespace brenvik::test
