// Writing a file in place instead of replacing it: for a file with several hard links, which a new file
// renamed over one name would split, and for a writable file in a folder the user cannot write (no new file
// can be made there). The old bytes are copied to the per-user state folder first and put back if the write
// fails. The system calls go through a layer that tests can make fail.
#pragma once

#include "jcode/LineCodec.h"

#include <cstddef>
#include <functional>
#include <string>
#include <sys/types.h>

namespace brenvik {

// The calls of an in-place write that a test may want to fail.
class TWriteLayer {
public:
    virtual ~TWriteLayer() = default;
    virtual bool CanWriteFolder(const std::string& folder) const;
    virtual ssize_t Write(int fd, const char* data, std::size_t size);
};

// The layer writes go through; the real calls unless a test installed its own.
TWriteLayer& WriteLayer();

// Installs layer (not owned) for the life of this object.
class TInstalledWriteLayer {
public:
    explicit TInstalledWriteLayer(TWriteLayer& layer);
    ~TInstalledWriteLayer();
    TInstalledWriteLayer(const TInstalledWriteLayer&) = delete;
    TInstalledWriteLayer& operator=(const TInstalledWriteLayer&) = delete;

private:
    TWriteLayer* previous_;
};

// Whether a save of fileName writes in place: it is a regular file the user may write, and it has more than
// one link or its folder cannot be written.
bool WritesInPlace(const std::string& fileName);

// The folder of per-user state: $XDG_STATE_HOME/brenvik, else ~/.local/state/brenvik.
std::string StateFolder();

// Writes the blocks produce hands over into fileName itself, keeping its inode, links, owner and mode. On
// failure (produce throwing included) the old bytes are put back and EScriptFileError says why, in Japanese.
void WriteFileInPlace(const std::string& fileName, const std::function<void(const TBlockSink&)>& produce);

} // namespace brenvik
