// TEditorModel::ReplaceBytes: a byte stretch of the whole text replaced in one ReplaceRows, the
// way replace-all puts all its replacements in as one undo step.
#include "model/EditorModel.h"

#include "text/EditorScreenStrings.h"

#include <algorithm>

namespace brenvik {

void TEditorModel::ReplaceBytes(qint64 start, qint64 end, std::string text, qint64 caret)
{
    if (FReadOnly || RowCount() == 0)
        return;
    start = std::clamp<qint64>(start, 0, TextLength());
    end = std::clamp<qint64>(end, start, TextLength());
    // Whole logical lines from the one holding start to the one holding the last replaced byte;
    // only the rows at the two ends are read, the text between comes whole from the caller.
    const int startRow = RowOfOffset(start);
    const int endRow = RowOfOffset(std::max(start, end - 1));
    const int first = LineStart(startRow);
    const int last = FRows->LineEndRow(endRow);
    const std::string head = FRows->RowsText(first, startRow - first + 1).Text;
    const std::string tail = FRows->RowsText(endRow, last - endRow + 1).Text;
    const qint64 firstOffset = RowOffset(first);
    const size_t headBytes = std::min(head.size(), size_t(start - firstOffset));
    const size_t tailFrom = std::min(tail.size(), size_t(end - RowOffset(endRow)));
    if (headBytes > 0 || tailFrom < tail.size()) {
        text.reserve(headBytes + text.size() + tail.size() - tailFrom);
        text.insert(0, head, 0, headBytes);
        text.append(tail, tailFrom);
    }
    CancelSelection();
    Replace(first, last - first + 1, text, first, caret - firstOffset);
}

} // namespace brenvik
