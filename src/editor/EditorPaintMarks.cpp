// The painter's marks: end of text, line break, wrap, hidden rest of a row, and the caret row's underline.
#include "editor/EditorFont.h"
#include "editor/EditorMarks.h"
#include "editor/EditorPainter.h"
#include "editor/EditorViewInfo.h"
#include "model/EditorModel.h"

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
    if (x < FGeometry.LeftOffset)
        return;
    const int column = std::max(1, FGeometry.ColWidth);
    const QRect textArea(FGeometry.LeftOffset, FGeometry.TopOffset, TextAreaRight() - FGeometry.LeftOffset,
        FGeometry.Height - FGeometry.TopOffset);
    const QRect box = QRect(x, y, 6 * column, FGeometry.FontHeight).intersected(textArea);
    if (box.isEmpty())
        return;
    // The box is clipped as well as the row part under way.
    const QRect previousClip = FCanvas->hasClipping() ? FCanvas->clipBoundingRect().toRect() : textArea;
    DrawCells(box.intersected(previousClip), x, true, kEofText, y,
        ColorOr(FViewProps.Marks().EofMark()->Color(), FViewProps.Font().Color()), BackColor(), FontStyle());
    FCanvas->setClipRect(previousClip);
}

void TEditorPainter::PaintRetMark(int x, int y, bool selected)
{
    if (x < FGeometry.LeftOffset)
        return;
    const int font = FGeometry.FontHeight;
    const int d = std::max(1, font / 8);
    const int h = std::max(d, 3);
    const int cx = x + FGeometry.ColWidth / 2;
    const int bottom = y + font - 2 * d;
    const QColor color = selected ? ColorOr(FViewProps.View().Colors()->Select()->Color(), FViewProps.Color())
                                  : ColorOr(FViewProps.Marks().RetMark()->Color(), FViewProps.Font().Color());
    PaintMarkLines(color, {QPoint(cx, y + 2 * d), QPoint(cx, bottom)});
    PaintMarkLines(color, {QPoint(cx - h, bottom - h), QPoint(cx, bottom), QPoint(cx + h, bottom - h)});
}

void TEditorPainter::PaintWrapMark(int x, int y, bool selected)
{
    PaintArrowMark(x, y, selected, *FViewProps.Marks().WrapMark(), true);
}

void TEditorPainter::PaintHideMark(int x, int y, bool selected)
{
    PaintArrowMark(x, y, selected, *FViewProps.Marks().HideMark(), false);
}

void TEditorPainter::PaintArrowMark(int x, int y, bool selected, const TEditorMark& mark, bool pointsLeft)
{
    if (x < FGeometry.LeftOffset)
        return;
    const int c = FGeometry.ColWidth;
    const int e = std::max(2, 3 * c / 5);
    const int m = y + FGeometry.FontHeight / 2;
    const QColor color = selected ? ColorOr(FViewProps.View().Colors()->Select()->Color(), FViewProps.Color())
                                  : ColorOr(mark.Color(), FViewProps.Font().Color());
    // The arrow head fills the column's right part; its arms lie on the side it does not point to.
    const int arms = pointsLeft ? x + c : x + c - e;
    const int tip = pointsLeft ? x + c - e : x + c;
    const int outward = pointsLeft ? 1 : -1;
    PaintMarkLines(color, {QPoint(arms, m - e), QPoint(tip, m), QPoint(arms + outward, m + e + 1)});
}

void TEditorPainter::PaintUnderline()
{
    const TEditorMark& underline = *FViewProps.Marks().Underline();
    if (!underline.Visible() || FModel->HasSelection())
        return;
    const int top = FGeometry.TopOffset;
    const int y = top + FGeometry.RowHeight * (FModel->Row() - FGeometry.TopRow) + FGeometry.FontHeight;
    if (y <= top || y >= FGeometry.Height)
        return;
    PaintMarkLines(ColorOr(underline.Color(), FViewProps.Font().Color()),
        {QPoint(FGeometry.LeftOffset, y), QPoint(TextAreaRight() - 1, y)});
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
