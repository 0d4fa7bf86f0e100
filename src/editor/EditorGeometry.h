// Where the editor's parts sit in the viewport, in pixels, rows and columns.
#pragma once

namespace brenvik {

// Computed by the widget from its font, view properties and scroll position; the painter
// reads it and nothing else of the widget's layout.
struct TEditorGeometry {
    int FontHeight = 0;
    int ColWidth = 1;
    int RowHeight = 1;
    int TopOffset = 0; // the top of row TopRow
    int LeftOffset = 0; // the left of column TopCol
    int VisibleRows = 1;
    int VisibleCols = 1;
    int TopRow = 0;
    int TopCol = 0;
    int RulerHeight = 0; // 0 when the ruler is hidden
    int LeftbarWidth = 0; // 0 when the left bar is hidden
    int LeftbarDigits = 0; // the left bar's number width in columns
    int Width = 0; // the viewport
    int Height = 0;
};

} // namespace brenvik
