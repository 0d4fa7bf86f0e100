// The editor's built-in images: the ruler's digit font and the two extra mouse cursors.
#pragma once

#include <QColor>
#include <QCursor>
#include <QImage>

class QPainter;

namespace brenvik {

// Ruler digits: a one-bit sheet 56 x 9 pixels, digit d at x = 5 d, each 5 pixels wide
// except 1, which is 3.
class TRulerDigits {
public:
    static constexpr int Height = 9;
    static const QImage& Sheet();
    static int Width(int digit) { return digit == 1 ? 3 : 5; }
    // Draws number (0 or more) with its left edge at x and its top at y; returns the width drawn.
    static int Draw(QPainter& painter, int x, int y, int number, const QColor& color);
};

// The cursor for a cursor number of TEditorCursors: a Qt shape, or one of the two built from
// the program's own images ("RightArrow" and "DragSelCopy").
QCursor EditorCursor(int number);

} // namespace brenvik
