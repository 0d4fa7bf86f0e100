// TEditorModel::ReplaceBytes: a byte stretch of the whole text replaced in one ReplaceRows, the
// way replace-all puts all its replacements in as one undo step.
#include "model/EditorModel.h"

#include "text/EditorScreenStrings.h"

#include <algorithm>

namespace brenvik {

void TEditorModel::ReplaceBytes(qint64 start, qint64 end, std::string_view text, qint64 caret)
{
    if (FReadOnly || RowCount() == 0)
        return;
    start = std::clamp<qint64>(start, 0, TextLength());
    end = std::clamp<qint64>(end, start, TextLength());
    // Whole logical lines from the one holding start to the one holding the last replaced byte.
    const int first = LineStart(RowOfOffset(start));
    const int last = FRows->LineEndRow(RowOfOffset(std::max(start, end - 1)));
    const qint64 firstOffset = RowOffset(first);
    const std::string region = FRows->RowsText(first, last - first + 1).Text;
    std::string lines = region.substr(0, size_t(start - firstOffset));
    lines.append(text);
    lines.append(std::string_view(region).substr(std::min(region.size(), size_t(end - firstOffset))));
    CancelSelection();
    Replace(first, last - first + 1, lines, first, caret - firstOffset);
}

} // namespace brenvik
