// Puts an editor's caret n bytes of text after the start of a row.
#pragma once

#include <cstddef>

namespace brenvik {

class TAttachedEditor;
class TEditorScreenStrings;

// Walks rows from row, each counting its length plus 2 after raBreak (plus 1 for raEndOfText),
// and sets the caret at the row where the remaining bytes end, at their display column (never
// beyond the row's last column); past the last row, at the row count and column 0.
void PlaceCaretAfter(const TEditorScreenStrings& rows, TAttachedEditor& editor, int row, std::size_t n);

} // namespace brenvik
