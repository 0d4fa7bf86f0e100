// Selecting a place given by line and column, as grep's hits and the command line's +LINE:COL name it.
#pragma once

namespace brenvik {

class TScriptDocument;

// Puts the selection on length bytes from column (from 1, counting the line's Shift_JIS bytes) of line
// (from 1); a line or column beyond the text is clamped to its last line or the line's end.
void SelectAtLineColumn(TScriptDocument& document, int line, int column, int length = 0);

} // namespace brenvik
