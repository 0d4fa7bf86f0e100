// The tab and full-width-space marks that the main window and the builder draw over their
// editors' rows (from the editors' OnDrawLine).
#pragma once

#include "highlight/Colors.h"

#include <QRect>

namespace brenvik {

class TEditor;

struct TLineMarkStyle {
    bool TabVisible = true;
    TColor TabColor = 0x808080;
    bool DBSpaceVisible = true;
    TColor DBSpaceColor = 0x808080;
};

// Draws the marks of row on the editor's canvas inside rect (a part of the row being painted,
// selected or not); x is the x of the row's column 0. Marks are found in the row's own bytes,
// not in the painted text, whose tabs are already expanded.
void DrawLineMarks(
    TEditor& editor, int row, int x, const QRect& rect, bool selected, const TLineMarkStyle& style);

} // namespace brenvik
