// TEditor's scroll bars: their ranges follow the text and the viewport.
#include "editor/Editor.h"

#include <QScrollBar>

#include <algorithm>

namespace brenvik {

// Called whenever the rows or the metrics change. The view is clamped first, so that a new
// range never moves a bar's value (which would scroll again through valueChanged); the range
// itself is set with signals on, because the scroll area shows or hides an as-needed bar only
// when it hears rangeChanged.
void TEditor::UpdateScrollRanges()
{
    const int rows = std::max(FVisibleRows, 1);
    const int cols = std::max(FVisibleCols, 1);
    SetTopRow(std::min(FTopRow, MaxTopRow()));
    SetTopCol(std::min(FTopCol, FModel->HorizontalExtent() - cols / 2));
    verticalScrollBar()->setRange(0, MaxTopRow());
    verticalScrollBar()->setPageStep(rows);
    horizontalScrollBar()->setRange(0, FModel->HorizontalExtent() - cols / 2);
    horizontalScrollBar()->setPageStep(cols);
}

} // namespace brenvik
