// An editor's caret as a logical line and a byte in it: a place in the text that a rewrap (or any
// change of rows that keeps the lines) leaves where it is, unlike a row and a column.
#pragma once

#include <cstddef>

namespace brenvik {

class TAttachedEditor;
class TEditorScreenStrings;

// A row that starts a logical line, and that line: where line lookups near it may walk from.
struct TKnownLine {
    int Row = 0;
    int Line = 0;
};

struct TCaretPlace {
    int Line = 0;
    std::size_t Byte = 0;
    friend bool operator==(const TCaretPlace&, const TCaretPlace&) = default;
};

// The caret's place; a caret past its row's end stands at the row's end, in tab fill at its tab,
// on a trail byte at its character.
// known, when given, is a line the caret is likely to stand on or just after.
TCaretPlace CaretPlaceOf(
    const TEditorScreenStrings& rows, const TAttachedEditor& editor, TKnownLine known = {});
// Puts the caret at the place (PlaceCaretAfter from the line's first row).
void PlaceCaret(
    const TEditorScreenStrings& rows, TAttachedEditor& editor, TCaretPlace place, TKnownLine known = {});

} // namespace brenvik
