// The painter's marks: end of text, line break, wrap, hidden rest of a row, and the caret row's underline.
#include "editor/Editor.h"
#include "editor/EditorFont.h"
#include "editor/EditorMarks.h"
#include "editor/EditorPainter.h"
#include "editor/EditorViewInfo.h"

#include <QPainter>

namespace brenvik {

namespace {

constexpr std::string_view kEofText = "[EOF]";

} // namespace

void TEditorPainter::PaintMarkLines(const QColor& color, std::initializer_list<QPoint> points)
{
    QPainter& canvas = *FCanvas;
    canvas.setPen(QPen(color, 0, Qt::SolidLine));
    const QPoint* previous = nullptr;
    for (const QPoint& point : points) {
        if (previous)
            canvas.drawLine(*previous, point);
        previous = &point;
    }
}

void TEditorPainter::PaintEofMark(int x, int y)
{
    if (x < FEditor.LeftOffset())
        return;
    const int column = std::max(1, FEditor.ColWidth());
    const QRect textArea(FEditor.LeftOffset(), FEditor.TopOffset(), TextAreaRight() - FEditor.LeftOffset(),
        FEditor.viewport()->height() - FEditor.TopOffset());
    const QRect box = QRect(x, y, 6 * column, FEditor.FontHeight()).intersected(textArea);
    if (box.isEmpty())
        return;
    // The box is clipped as well as the row part under way.
    const QRect previousClip = FCanvas->hasClipping() ? FCanvas->clipBoundingRect().toRect() : textArea;
    DrawCells(box.intersected(previousClip), x, true, kEofText, y,
        ColorOr(FEditor.Marks()->EofMark()->Color(), FFont->Color()), BackColor(), FontStyle());
    FCanvas->setClipRect(previousClip);
}

void TEditorPainter::PaintRetMark(int x, int y, bool selected)
{
    if (x < FEditor.LeftOffset())
        return;
    const int font = FEditor.FontHeight();
    const int d = std::max(1, font / 8);
    const int h = std::max(d, 3);
    const int cx = x + FEditor.ColWidth() / 2;
    const int bottom = y + font - 2 * d;
    const QColor color = selected ? ColorOr(FView->Colors()->Select()->Color(), FColor)
                                  : ColorOr(FEditor.Marks()->RetMark()->Color(), FFont->Color());
    PaintMarkLines(color, {QPoint(cx, y + 2 * d), QPoint(cx, bottom)});
    PaintMarkLines(color, {QPoint(cx - h, bottom - h), QPoint(cx, bottom), QPoint(cx + h, bottom - h)});
}

void TEditorPainter::PaintWrapMark(int x, int y, bool selected)
{
    PaintArrowMark(x, y, selected, *FEditor.Marks()->WrapMark(), true);
}

void TEditorPainter::PaintHideMark(int x, int y, bool selected)
{
    PaintArrowMark(x, y, selected, *FEditor.Marks()->HideMark(), false);
}

void TEditorPainter::PaintArrowMark(int x, int y, bool selected, const TEditorMark& mark, bool pointsLeft)
{
    if (x < FEditor.LeftOffset())
        return;
    const int c = FEditor.ColWidth();
    const int e = std::max(2, 3 * c / 5);
    const int m = y + FEditor.FontHeight() / 2;
    const QColor color = selected ? ColorOr(FView->Colors()->Select()->Color(), FColor)
                                  : ColorOr(mark.Color(), FFont->Color());
    // The arrow head fills the column's right part; its arms lie on the side it does not point to.
    const int arms = pointsLeft ? x + c : x + c - e;
    const int tip = pointsLeft ? x + c - e : x + c;
    const int outward = pointsLeft ? 1 : -1;
    PaintMarkLines(color, {QPoint(arms, m - e), QPoint(tip, m), QPoint(arms + outward, m + e + 1)});
}

void TEditorPainter::PaintUnderline()
{
    const TEditorMark& underline = *FEditor.Marks()->Underline();
    if (!underline.Visible() || FEditor.HasSelection())
        return;
    const int top = FEditor.TopOffset();
    const int y = top + FEditor.RowHeight() * (FEditor.Row() - FEditor.TopRow()) + FEditor.FontHeight();
    if (y <= top || y >= FEditor.viewport()->height())
        return;
    PaintMarkLines(ColorOr(underline.Color(), FFont->Color()),
        {QPoint(FEditor.LeftOffset(), y), QPoint(TextAreaRight() - 1, y)});
}

void TEditorPainter::DrawCells(const QRect& clip, int x, bool opaque, std::string_view text, int y,
    const QColor& color, const QColor& bkColor, TFontStyles style)
{
    QPainter& canvas = *FCanvas;
    if (opaque)
        canvas.fillRect(clip, bkColor);
    canvas.setClipRect(clip);
    FGlyphs.Draw(canvas, x, y, text, 0, CutLength(text), style, color);
    canvas.setClipping(false);
}

} // namespace brenvik
