// The files grep searches: every file under the folders given, in name order, that the globs let through,
// and a word for every one it cannot search. Links are followed; a link back to a folder being walked is a
// loop, told once and not entered.
#pragma once

#include "grep/GrepFile.h"

#include <atomic>
#include <functional>
#include <string>
#include <vector>

namespace brenvik {

struct TWalkOptions {
    int MaxDepth = -1; // folders below a given one entered at most; -1 for no limit, 0 for the paths only
    // Shell patterns on a file's name ("*.cgi"); a file passes when any matches, or when there are none.
    // A pattern starting with "!" leaves out the files it matches.
    std::vector<std::string> Globs;
};

// True when name passes the globs.
bool GlobsAccept(const std::vector<std::string>& globs, const std::string& name);

// Calls found for every path to search, and for every path that cannot be walked or searched with Outcome
// goSkipped or goFailed and its Message; in order. Paths named in roots are searched whatever the globs
// say; "-" is standard input. Stops early when cancel is set.
void WalkFiles(const std::vector<std::string>& roots, const TWalkOptions& options,
    const std::function<void(TGrepFile&&)>& found, const std::atomic<bool>* cancel = nullptr);

} // namespace brenvik
