// What the main window keeps for the variable explorer: the list items, the line-start
// states, the keyword highlight, the script's side file and the background rebuild.
#pragma once

#include "app/ExplorerJob.h"
#include "app/ExplorerListModel.h"
#include "app/RowHighlighter.h"
#include "model/ExplorerLines.h"
#include "model/ExplorerSideFile.h"

#include <QString>

#include <array>
#include <string>

namespace brenvik {

// The four built lists (TExplorerList order) and the keyword list.
constexpr int kKeyWordList = 4;
constexpr int kListCount = 5;

struct TExplorerState {
    std::array<TExplorerListModel*, kListCount> Models {};
    TExplorerStates States;
    TRowHighlighter Highlighter;
    TExplorerJob* Job = nullptr;

    // The side file of the current script.
    QString BlockedPath; // an existing side file that could not be read: never overwritten
    bool SideChanged = false; // memo or keywords changed since the side file was read or written
    bool MemoLocked = false; // the memo's bytes do not decode: shown read-only, kept as read
    std::string MemoBytes; // the memo as read, for a locked memo
    bool MemoReverting = false; // the memo is taking back text with no Shift_JIS form
};

} // namespace brenvik
