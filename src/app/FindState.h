// The window's find state: the last accepted texts (Shift_JIS bytes), the option word and
// whether the search hits are highlighted.
#pragma once

#include "search/SearchFlags.h"

#include <string>

namespace brenvik {

struct TFindState {
    std::string SearchText;
    std::string ReplaceText;
    TSearchFlags Options;
    bool Highlight = false;
};

} // namespace brenvik
