// A file's bytes seen through a window: regular files are mapped and the pages already walked are
// given back, so a pass over a large file never holds the whole of it in memory.
#pragma once

#include "jcode/FileBytes.h"

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace brenvik {

class TFileWindow {
public:
    // wkWindow keeps only the pages near the walk (opening into the editor, where memory counts);
    // wkWhole maps the file in at once and keeps it (a converter run, where page faults count).
    enum TKeep { wkWindow, wkWhole };

    // Opens fileName, or standard input for "-"; throws EScriptFileError when it cannot be read or holds
    // more than maxBytes. Files that cannot be mapped (pipes, terminals) are read whole instead.
    explicit TFileWindow(const std::string& fileName, TKeep keep = wkWindow, std::size_t maxBytes = SIZE_MAX);
    ~TFileWindow();
    TFileWindow(const TFileWindow&) = delete;
    TFileWindow& operator=(const TFileWindow&) = delete;

    std::string_view View() const { return view_; }
    // Tells that the bytes before end are no longer needed: their pages are given back in large steps.
    // A later pass maps them in again from the page cache.
    void Consumed(const char* end);
    // Starts a new pass from the first byte.
    void Rewind() { released_ = 0; }

private:
    std::string_view view_;
    void* map_ = nullptr;
    TKeep keep_;
    std::size_t released_ = 0;
    std::optional<TFileBytes> bytes_;
};

} // namespace brenvik
