// What grep found in one file, or why it left the file alone.
#pragma once

#include "jcode/JCodeTypes.h"

#include <string>
#include <utility>
#include <vector>

namespace brenvik {

// One line holding a match, printed once however many matches it holds.
struct TGrepHit {
    int Line = 0; // from 1, as the editor's lines count
    int Column = 0; // from 1: the first match's first byte in the line's Shift_JIS bytes
    int Length = 0; // the first match's Shift_JIS bytes
    std::string Text; // the line in UTF-8
    std::vector<std::pair<int, int>> Marks; // every match of the line: [from, to) in Text's bytes
};

struct TGrepFile {
    enum TOutcome {
        goSearched,
        goBinary, // looks binary: left alone unless binary files are searched too
        goSkipped, // not a file to search (a FIFO, too large): a notice
        goFailed, // could not be read or walked: an error
    };
    std::string Path;
    TOutcome Outcome = goSearched;
    std::string Message; // why it was skipped or failed, or why a search stopped short, in Japanese
    JCode Code = jcNone; // the code the file was read in (jcNone too when a first look found no match)
    bool Bom = false;
    int MatchedLines = 0;
    std::vector<TGrepHit> Hits; // empty when only the count or the name was asked for
    int FirstInvalidLine = 0; // the first printed line with bytes that have no character, 0 for none
};

// The code as the status bar and the hit panel name it.
std::string JCodeCaption(JCode code, bool bom);

} // namespace brenvik
