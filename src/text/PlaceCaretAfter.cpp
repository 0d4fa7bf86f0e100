// Placing a caret by a byte count from a row, as the editing operations and Lines need.
#include "text/PlaceCaretAfter.h"

#include "support/LineBreaks.h"
#include "text/ColumnModel.h"
#include "text/EditorScreenStrings.h"

#include <algorithm>

namespace brenvik {

void PlaceCaretAfter(const TEditorScreenStrings& rows, TAttachedEditor& editor, int row, std::size_t n)
{
    TColumnLayout layout {std::max(1, editor.TabSpaceCount()), rows.WordWrap() ? rows.WrapByte() : 0};
    for (int r = std::max(row, 0); r < rows.Count(); ++r) {
        TRowAttribute attribute = rows.RowAttribute(r);
        std::string_view text = rows.Strings(r);
        std::size_t size = text.size() + (attribute == raBreak ? LineBreakBytes : attribute == raEndOfText ? 1 : 0);
        if (size > n || attribute == raEndOfText) {
            editor.SetCaretRow(r);
            editor.SetCaretCol(TextWidth(text.substr(0, std::min(n, text.size())), layout));
            return;
        }
        n -= size;
    }
    editor.SetCaretRow(rows.Count());
    editor.SetCaretCol(0);
}

} // namespace brenvik
