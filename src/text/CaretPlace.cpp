// Caret places: the bytes of the line's rows before the caret's, and the caret's column as a byte.
#include "text/CaretPlace.h"

#include "text/ColumnModel.h"
#include "text/EditorScreenStrings.h"
#include "text/PlaceCaretAfter.h"

#include <algorithm>

namespace brenvik {

TCaretPlace CaretPlaceOf(const TEditorScreenStrings& rows, const TAttachedEditor& editor, TKnownLine known)
{
    const int row = std::clamp(editor.CaretRow(), 0, rows.Count());
    TCaretPlace place {rows.LineOfRowFrom(known, row), 0};
    if (row == rows.Count())
        return place;
    const TColumnLayout layout {std::max(1, editor.TabSpaceCount()), rows.WordWrap() ? rows.WrapByte() : 0};
    const std::string_view text = rows.Strings(row);
    const int col = std::max(editor.CaretCol(), 0);
    // Every edit and undo step asks this: the columns up to the caret's, in a buffer kept.
    thread_local std::string attributes;
    BuildAttributes(text, layout, col + 1, attributes);
    const int byte = ByteOfColumn(attributes, col);
    place.Byte = std::min(std::size_t(std::max(byte, 0)), text.size());
    for (int r = rows.LineStartRow(row); r < row; ++r)
        place.Byte += rows.Strings(r).size();
    return place;
}

void PlaceCaret(
    const TEditorScreenStrings& rows, TAttachedEditor& editor, TCaretPlace place, TKnownLine known)
{
    PlaceCaretAfter(rows, editor, rows.RowOfLineFrom(known, place.Line), place.Byte);
}

} // namespace brenvik
