// TEditor's view of its model: the point under the mouse, following the caret, scrolling.
#include "editor/Editor.h"

#include <QScrollBar>

#include <algorithm>

namespace brenvik {

TEditorPos TEditor::PositionAt(QPoint point, bool rounding) const
{
    const int colWidth = std::max(FColWidth, 1);
    int x = point.x() - FLeftOffset;
    if (x < 0)
        x -= colWidth;
    const int col = (x + (rounding ? colWidth / 2 : 0)) / colWidth;
    // Truncating division, as the mouse rules expect: a point just above the text is row TopRow.
    const int row = (point.y() - FTopOffset) / std::max(FRowHeight, 1);
    return {row + FTopRow, std::max(0, col + FTopCol)};
}

void TEditor::CaretMoved()
{
    // Only the caret's old and new places repaint, and both rows when the underlined row changes.
    viewport()->update(FShownCaret);
    if (FShownCaretRow != Row()) {
        InvalidateRows(FShownCaretRow, FShownCaretRow);
        InvalidateRows(Row(), Row());
    }
    if (hasFocus()) {
        FollowCaret();
        // The input method's window follows, except while a key repeats: then at its release.
        if (!FAutoRepeat)
            updateMicroFocus();
        if (OnCaretMoved)
            OnCaretMoved(this);
    }
    const QRect caret = CaretRect();
    if (caret.x() != FShownCaret.x() && RulerHeight() > 0)
        viewport()->update(QRect(0, 0, viewport()->width(), FTopOffset)); // the ruler's caret mark
    FShownCaret = caret;
    FShownCaretRow = Row();
    viewport()->update(FShownCaret);
    QueueBrackets();
    NoteJump(FLastCaret);
}

void TEditor::FollowCaret()
{
    const int rows = std::max(FVisibleRows, 1);
    const int cols = std::max(FVisibleCols, 1);
    if (Row() < FTopRow)
        SetTopRow(Row());
    else if (Row() > FTopRow + rows - 1)
        SetTopRow(Row() - rows + 1);
    if (Col() < FTopCol)
        SetTopCol(std::max(0, std::min(Col(), FTopCol - cols / 4)));
    else if (Col() > FTopCol + cols - 1)
        SetTopCol(std::min(std::max(Col() - cols + 1, FTopCol + cols / 4), FModel->HorizontalExtent() - cols / 2));
}

void TEditor::SetTopRow(int row)
{
    row = std::clamp(row, 0, MaxTopRow());
    if (row == FTopRow)
        return;
    const int delta = FTopRow - row;
    FTopRow = row;
    if (std::abs(delta) <= std::max(FVisibleRows, 1))
        viewport()->scroll(0, delta * std::max(FRowHeight, 1));
    else
        viewport()->update();
    const QSignalBlocker blocker(verticalScrollBar());
    verticalScrollBar()->setValue(FTopRow);
    if (OnTopRowChange)
        OnTopRowChange(this);
}

void TEditor::SetTopCol(int col)
{
    col = std::clamp(col, 0, std::max(0, FModel->HorizontalExtent() - std::max(FVisibleCols, 1) / 2));
    if (col == FTopCol)
        return;
    FTopCol = col;
    viewport()->update();
    const QSignalBlocker blocker(horizontalScrollBar());
    horizontalScrollBar()->setValue(FTopCol);
    if (OnTopColChange)
        OnTopColChange(this);
}

void TEditor::ScrollCaret()
{
    const int rows = std::max(FVisibleRows, 1);
    const int cols = std::max(FVisibleCols, 1);
    if (Row() < FTopRow || Row() > FTopRow + rows - 1)
        SetTopRow(Row() - rows / 3);
    if (Col() < FTopCol || Col() > FTopCol + cols - 1)
        SetTopCol(Col() - cols / 3);
}

} // namespace brenvik
