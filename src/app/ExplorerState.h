// What the main window keeps for the variable explorer: the list items, the line-start
// states, the keyword highlight and the background rebuild.
#pragma once

#include "app/ExplorerJob.h"
#include "app/ExplorerListModel.h"
#include "app/RowHighlighter.h"
#include "model/ExplorerLines.h"

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

    bool MemoReverting = false; // the memo box is being set, or takes back text with no Shift_JIS form
};

} // namespace brenvik
