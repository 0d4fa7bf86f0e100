// brenvik-grep's arguments: the pattern, the paths and the options, checked before any file is read.
#pragma once

#include "grep/GrepRun.h"
#include "search/SearchFlags.h"

#include <stdexcept>
#include <string>
#include <vector>

namespace brenvik {

// A wrong argument: the message, then exit status 2.
class EGrepUsage : public std::runtime_error {
    using std::runtime_error::runtime_error;
};

enum class TColor { clAuto, clAlways, clNever };

struct TGrepCommand {
    bool Help = false;
    bool Version = false;
    std::string Pattern; // in Shift_JIS
    bool Expression = false; // -E
    TSearchFlags Flags {TSearchFlags::MatchCase};
    std::vector<std::string> Paths;
    TGrepSettings Settings;
    TColor Color = TColor::clAuto;
    int FileNames = -1; // -1: when a folder or several paths are given; 0 never (-h); 1 always (-H)
    bool Quiet = false; // -s: no notices or errors on standard error
};

// Reads the arguments after the program name; throws EGrepUsage.
TGrepCommand ParseGrepCommand(int argc, char** argv);

extern const char* const kGrepUsage;

} // namespace brenvik
