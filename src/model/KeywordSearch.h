// The keyword list's text search: the search engine over the whole text (lines joined by
// CR LF), case-sensitive and across line breaks, with one retry from the other end, and the
// scroll that brings a found row out of the edges of the view.
#pragma once

#include "search/SearchRange.h"

#include <optional>
#include <string_view>

namespace brenvik {

// From the selection: forward after it, backward before it; when that finds nothing, once
// more from the start (forward) or the end (backward). The engine ends a text at a NUL byte,
// so the text is searched piece by piece between NULs and no keyword is hidden behind one.
std::optional<TSearchRange> FindKeyword(
    std::string_view text, TSearchRange selection, std::string_view keyword, bool forward);

// The top row to scroll to when the caret row lies in the top fifth or below four fifths of
// the visible rows (caret row - visible / 3); nothing when it lies between.
std::optional<int> KeywordScrollTop(int caretRow, int topRow, int visibleRows);

} // namespace brenvik
