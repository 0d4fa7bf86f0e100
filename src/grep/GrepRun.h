// A whole grep: the walk, then the files searched side by side on the machine's processors, each file's
// result handed on in the walk's order as soon as it and every one before it are done.
#pragma once

#include "grep/FileSearch.h"
#include "grep/FileWalk.h"
#include "grep/GrepReader.h"

#include <atomic>
#include <cstdint>
#include <string>
#include <vector>

namespace brenvik {

struct TGrepSettings {
    TWalkOptions Walk;
    TFileSearchOptions Search;
    std::uint64_t MaxBytes = std::uint64_t {512} << 20; // larger files are skipped with a notice
    unsigned Threads = 0; // 0: one per processor
    // The run's threads yield to the rest of the process (a window's event loop) on a busy machine.
    bool Background = false;
};

// Receives the run's results; its calls never overlap, though they come from any thread of the run.
class TGrepReport {
public:
    virtual ~TGrepReport() = default;
    // The walk is over: this many paths will be reported.
    virtual void Walked(std::size_t /*paths*/) {}
    // One path's result, in the walk's order: searched (with or without hits), binary, skipped or failed.
    virtual void File(TGrepFile&& file) = 0;
};

struct TGrepTotals {
    std::size_t Files = 0; // searched
    std::size_t FilesWithHits = 0;
    std::int64_t Lines = 0; // lines with a match
    std::size_t Failed = 0; // not read, or searched only in part
    bool Cancelled = false;
};

// Runs the grep; returns when every file is reported, or soon after cancel is set (the files not yet
// reported then never are). The reader is the layer every file is read through.
TGrepTotals RunGrep(const std::vector<std::string>& roots, const TGrepMatcher& matcher,
    const TGrepSettings& settings, TGrepReport& report, const std::atomic<bool>* cancel = nullptr,
    const TGrepReader& reader = TGrepReader());

} // namespace brenvik
