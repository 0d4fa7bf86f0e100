// The painter's bars: the corner, the ruler with its caret mark, and the left bar's numbers.
#include "editor/EditorFont.h"
#include "editor/EditorLeftbar.h"
#include "editor/EditorPaintImages.h"
#include "editor/EditorPainter.h"
#include "editor/EditorRuler.h"
#include "model/EditorModel.h"
#include "text/EditorScreenStrings.h"

#include <QPainter>

namespace brenvik {

namespace {

const QColor kEdgeLight = Qt::white;
const QColor kEdgeShadow(0x80, 0x80, 0x80);
// A bookmark is a blue tab in the bar's left margin over a pale blue band; a line a syntax check
// found wrong has a pale red band, over the bookmark's.
const QColor kBookmarkColor(0x20, 0x60, 0xd0);
const QColor kBookmarkBand(0xc8, 0xdc, 0xff);
const QColor kSyntaxErrorBand(0xff, 0xb4, 0xb4);

QColor MarkBackground(unsigned kinds)
{
    return kinds & (1u << unsigned(TMarkKind::SyntaxError)) ? kSyntaxErrorBand : kBookmarkBand;
}

// Right-aligned in digits columns, padded with spaces or zeros.
std::string PaddedNumber(int number, int digits, bool zeroLead)
{
    std::string text = std::to_string(number);
    if (static_cast<int>(text.size()) < digits)
        text.insert(0, static_cast<size_t>(digits) - text.size(), zeroLead ? '0' : ' ');
    return text;
}

} // namespace

void TEditorPainter::PaintLeftbarEdge(int x, int top, int bottom)
{
    const TEditorLeftbar& bar = FViewProps.Leftbar();
    const bool edge = bar.Edge();
    FCanvas->fillRect(
        QRect(x, top, 1, bottom - top), edge ? kEdgeLight : ColorOr(bar.BkColor(), FViewProps.Color()));
    FCanvas->fillRect(QRect(x + 1, top, 1, bottom - top),
        edge ? kEdgeShadow : ColorOr(bar.Color(), FViewProps.Font().Color()));
}

void TEditorPainter::PaintRulerEdge(int left, int right, int bottom)
{
    FCanvas->fillRect(QRect(left, bottom - 2, right - left, 1), kEdgeLight);
    FCanvas->fillRect(QRect(left, bottom - 1, right - left, 1), kEdgeShadow);
}

void TEditorPainter::PaintCorner()
{
    QPainter& canvas = *FCanvas;
    const int left = FGeometry.LeftOffset;
    const int top = FGeometry.TopOffset;
    canvas.fillRect(QRect(0, 0, left, top), BackColor());
    const TEditorLeftbar& bar = FViewProps.Leftbar();
    if (bar.Visible() && bar.Edge()) {
        const int width = FGeometry.LeftbarWidth;
        canvas.fillRect(QRect(0, 0, width, top), ColorOr(bar.BkColor(), FViewProps.Color()));
        PaintLeftbarEdge(width - 2, 0, top);
    }
    const TEditorRuler& ruler = FViewProps.Ruler();
    if (ruler.Visible() && ruler.Edge()) {
        const int height = FGeometry.RulerHeight;
        canvas.fillRect(QRect(0, 0, left, height), ColorOr(ruler.BkColor(), FViewProps.Color()));
        PaintRulerEdge(0, left, height);
    }
}

void TEditorPainter::PaintLeftbar(int firstRow, int lastRow)
{
    QPainter& canvas = *FCanvas;
    const TEditorLeftbar& bar = FViewProps.Leftbar();
    const TEditorScreenStrings& rows = FModel->Rows();
    const TMarkedLines& marks = FModel->Marks();
    const int width = FGeometry.LeftbarWidth;
    const int top = FGeometry.TopOffset;
    const int rowHeight = std::max(1, FGeometry.RowHeight);
    const int height = FGeometry.Height;
    PaintLeftbarEdge(width - 2, top, height);
    const QColor background = ColorOr(bar.BkColor(), FViewProps.Color());
    const QColor foreground = ColorOr(bar.Color(), FViewProps.Font().Color());
    const int firstY = top + (firstRow - FGeometry.TopRow) * rowHeight;
    const int rowCount = rows.Count();
    const bool endsOpen = rowCount == 0 || rows.RowAttribute(rowCount - 1) != raEndOfText;
    const int base = bar.ZeroBase() ? 0 : 1;
    const int digits = FGeometry.LeftbarDigits;
    const bool byLine = bar.ShowNumberMode() == nmLine;
    const bool marked = !marks.Empty();
    int line = byLine || marked ? FModel->LineOfRow(std::min(firstRow, rowCount)) : 0;
    int y = firstY;
    for (int row = firstRow; row <= lastRow; ++row, y += rowHeight) {
        const QRect rowRect(0, y, width - 2, rowHeight);
        const unsigned kinds = marked && row < rowCount ? marks.KindsAt(line) : 0;
        const QColor rowBackground = kinds != 0 ? MarkBackground(kinds) : background;
        int number = -1;
        if (bar.ShowNumber() && !byLine) {
            if (row < rowCount || (row == rowCount && endsOpen))
                number = row + base;
        } else if (bar.ShowNumber() && row <= rowCount) {
            const bool startsLine = row == 0 || rows.RowAttribute(row - 1) == raBreak;
            if (startsLine && (row < rowCount || endsOpen))
                number = line + base;
        }
        if (number < 0)
            canvas.fillRect(rowRect, rowBackground);
        else
            DrawCells(rowRect, bar.LeftMargin(), true, PaddedNumber(number, digits, bar.ZeroLead()), y,
                foreground, rowBackground, FontStyle());
        if (kinds & (1u << unsigned(TMarkKind::Bookmark))) {
            const QRect tab(1, y + 1, std::max(2, bar.LeftMargin() - 3), rowHeight - 2);
            canvas.fillRect(tab, kBookmarkColor);
        }
        if (row < rowCount && rows.RowAttribute(row) == raBreak)
            ++line;
    }
}

void TEditorPainter::PaintRuler()
{
    QPainter& canvas = *FCanvas;
    const TEditorRuler& ruler = FViewProps.Ruler();
    const int left = FGeometry.LeftOffset;
    const int right = TextAreaRight();
    const int height = FGeometry.RulerHeight;
    const int column = std::max(1, FGeometry.ColWidth);
    const int gauge = ruler.GaugeRange();
    const QColor background = ColorOr(ruler.BkColor(), FViewProps.Color());
    const QColor foreground = ColorOr(ruler.Color(), FViewProps.Font().Color());
    const int tickBottom = height - (ruler.Edge() ? 3 : 2);
    canvas.setClipRect(QRect(left, 0, right - left, height));
    canvas.fillRect(QRect(left, 0, right - left, height), background);
    const int firstCol = FGeometry.TopCol;
    const int count = (right - left) / column + 1;
    for (int i = 0; i < count; ++i) {
        const int col = firstCol + i;
        const int x = left + i * column;
        const int phase = col % gauge;
        const int tickTop = phase == 0 ? 0 : phase == gauge / 2 ? 3 : 6;
        canvas.fillRect(QRect(x, tickTop, 1, tickBottom - tickTop + 1), foreground);
    }
    // The numbers follow the columns in view, so they move with horizontal scrolling.
    for (int col = (firstCol + gauge - 1) / gauge * gauge; col < firstCol + count; col += gauge) {
        const int x = left + (col - firstCol) * column + 2;
        const int width = static_cast<int>(std::to_string(col).size()) * 6;
        canvas.fillRect(QRect(x, 0, width, TRulerDigits::Height), background);
        TRulerDigits::Draw(canvas, x, 0, col, foreground);
    }
    if (ruler.Edge())
        PaintRulerEdge(left, right, height);
    else
        canvas.fillRect(QRect(left, height - 1, right - left, 1), foreground);
    PaintRulerMark(FModel->Col());
    canvas.setClipping(false);
}

void TEditorPainter::PaintRulerMark(int col)
{
    const TEditorRuler& ruler = FViewProps.Ruler();
    const int visible = FGeometry.VisibleCols;
    if (!ruler.Visible() || col < FGeometry.TopCol || col > FGeometry.TopCol + visible)
        return;
    const int column = std::max(1, FGeometry.ColWidth);
    const int x = FGeometry.LeftOffset + (col - FGeometry.TopCol) * column;
    const int tickBottom = FGeometry.RulerHeight - (ruler.Edge() ? 3 : 2);
    FCanvas->fillRect(
        QRect(x + 1, 1, column - 2, tickBottom - 1), ColorOr(ruler.MarkColor(), FViewProps.Font().Color()));
}

} // namespace brenvik
