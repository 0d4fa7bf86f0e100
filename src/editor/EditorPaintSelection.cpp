// The part of the window that a selection change repaints: only what changed state.
#include "editor/EditorPainter.h"
#include "model/EditorModel.h"

#include <QRegion>
#include <climits>

namespace brenvik {

namespace {

struct TColumnSpan {
    int From = 0;
    int To = 0; // exclusive; INT_MAX: to the right edge
    bool Empty() const { return From >= To; }
};

TColumnSpan SelectedSpan(const TSelectionCols& selection, bool selected, bool box, int row)
{
    if (!selected || row < selection.StartRow || row > selection.EndRow)
        return {};
    if (box || selection.StartRow == selection.EndRow)
        return {selection.StartCol, selection.EndCol};
    if (row == selection.StartRow)
        return {selection.StartCol, INT_MAX};
    if (row == selection.EndRow)
        return {0, selection.EndCol};
    return {0, INT_MAX};
}

} // namespace

QRegion TEditorPainter::SelectionChange(const TSelectionCols& before, bool wasSelected,
    const TSelectionCols& after, bool selected, bool box) const
{
    // Selections change between paint passes: the widget's geometry of the moment applies.
    const TEditorGeometry geometry = FViewProps.Geometry();
    QRegion region;
    const int rowHeight = std::max(1, geometry.RowHeight);
    const int column = std::max(1, geometry.ColWidth);
    const int left = geometry.LeftOffset;
    const int right = geometry.Width;
    const int x = left - geometry.TopCol * column;
    const int topRow = geometry.TopRow;
    const int lastVisible = topRow + geometry.VisibleRows;
    const auto toX = [&](int col) {
        return col == INT_MAX ? right
                              : static_cast<int>(std::clamp<qint64>(x + qint64(col) * column, left, right));
    };
    const auto add = [&](int row, int from, int to) {
        const int l = toX(from);
        const int r = toX(to);
        if (l < r)
            region += QRect(l, geometry.TopOffset + (row - topRow) * rowHeight, r - l, rowHeight);
    };
    for (int row = topRow; row <= lastVisible; ++row) {
        const TColumnSpan a = SelectedSpan(before, wasSelected, box, row);
        const TColumnSpan b = SelectedSpan(after, selected, box, row);
        if (a.Empty() && b.Empty())
            continue;
        if (a.Empty() || b.Empty()) {
            const TColumnSpan& only = a.Empty() ? b : a;
            add(row, only.From, only.To);
            continue;
        }
        // The symmetric difference of two spans: at most a left and a right piece.
        add(row, std::min(a.From, b.From), std::max(a.From, b.From));
        add(row, std::min(a.To, b.To), std::max(a.To, b.To));
    }
    return region;
}

} // namespace brenvik
