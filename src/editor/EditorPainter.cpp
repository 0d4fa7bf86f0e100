// Paints the editor: the paint pass, the snapped rectangle and the text rows with their tokens.
#include "editor/EditorPainter.h"

#include "editor/EditorFont.h"
#include "editor/EditorLeftbar.h"
#include "editor/EditorMargin.h"
#include "editor/EditorMarks.h"
#include "editor/EditorRuler.h"
#include "editor/EditorViewInfo.h"
#include "highlight/Fountain.h"
#include "highlight/FountainParser.h"
#include "highlight/RowTokenizer.h"
#include "model/EditorModel.h"
#include "support/DoubleByte.h"
#include "text/EditorScreenStrings.h"

#include <QPainter>
#include <QPalette>
#include <algorithm>
#include <cassert>

namespace brenvik {

namespace {

// Floor division, so that rectangles left of or above the grid's origin snap outwards.
int FloorDiv(int a, int b)
{
    return a >= 0 ? a / b : -((-a + b - 1) / b);
}

// Clears the canvas pointer when a paint pass ends, also through an exception.
class TCanvasScope {
public:
    TCanvasScope(QPainter*& slot, QPainter& canvas)
        : FSlot(slot)
    {
        FSlot = &canvas;
    }
    ~TCanvasScope() { FSlot = nullptr; }

private:
    QPainter*& FSlot;
};

} // namespace

TEditorPainter::TEditorPainter(const TEditorModel& model, const TEditorViewProperties& viewProps)
    : FModel(&model)
    , FViewProps(viewProps)
{
}

QColor ToQColor(TColor color, const QPalette& palette)
{
    if (color & 0x80000000) {
        switch (color & 0xFF) {
        case 5: // clWindow
            return palette.color(QPalette::Base);
        case 8: // clWindowText
            return palette.color(QPalette::Text);
        case 13: // clHighlight
            return palette.color(QPalette::Highlight);
        case 14: // clHighlightText
            return palette.color(QPalette::HighlightedText);
        case 15: // clBtnFace
            return palette.color(QPalette::Button);
        case 18: // clBtnText
            return palette.color(QPalette::ButtonText);
        default:
            return palette.color(QPalette::Window);
        }
    }
    return QColor(color & 0xFF, (color >> 8) & 0xFF, (color >> 16) & 0xFF);
}

QColor TEditorPainter::ToQColor(TColor color) const
{
    return brenvik::ToQColor(color, FViewProps.Palette());
}

QColor TEditorPainter::FontColor() const
{
    return ColorOr(FViewProps.Font().Color(), clBlack);
}

QColor TEditorPainter::BackColor() const
{
    return ColorOr(FViewProps.Color(), clWhite);
}

TFontStyles TEditorPainter::FontStyle() const
{
    return FViewProps.Font().Style();
}

bool TEditorPainter::ItalicFlag() const
{
    return (FontStyle() & fsItalic) != 0 || TFountain::HasItalic(FViewProps.PaintFountain());
}

int TEditorPainter::ScrollOffset() const
{
    return FGeometry.TopCol * std::max(1, FGeometry.ColWidth);
}

int TEditorPainter::TextAreaRight() const
{
    return FGeometry.Width;
}

int TEditorPainter::CutLength(std::string_view text) const
{
    const int kCut = FModel->HorizontalExtent();
    const int size = static_cast<int>(text.size());
    if (size <= kCut)
        return size;
    // A double-byte character in the extent's last column and the one after is drawn whole.
    const bool wideAtEdge = IsLeadByte(static_cast<unsigned char>(text[kCut - 1]))
        && TEditorPaintGlyphs::CharStart(text, kCut - 1) == kCut - 1;
    return wideAtEdge ? kCut + 1 : kCut;
}

void TEditorPainter::Paint(
    QPainter& canvas, const QRect& rect, const TEditorGeometry& geometry, const QRect& caret)
{
    const TCanvasScope scope(FCanvas, canvas);
    FGeometry = geometry;
    FGlyphs.SetFont(FViewProps.TextFont(), FGeometry.ColWidth);
    canvas.setFont(FViewProps.TextFont());
    FItalic = ItalicFlag();
    PaintArea(rect);
    PaintUnderline();
    PaintCaret(rect, caret);
}

void TEditorPainter::PaintCaret(const QRect& rect, const QRect& caret)
{
    if (caret.isEmpty())
        return;
    QPainter& canvas = *FCanvas;
    canvas.setClipRect(rect);
    canvas.setCompositionMode(QPainter::CompositionMode_Difference);
    canvas.fillRect(caret, Qt::white);
    canvas.setCompositionMode(QPainter::CompositionMode_SourceOver);
    canvas.setClipping(false);
}

void TEditorPainter::PaintArea(const QRect& rect)
{
    assert(FCanvas && "painting runs inside a paint pass");
    QPainter& canvas = *FCanvas;
    const int top = FGeometry.TopOffset;
    const int left = FGeometry.LeftOffset;
    const int column = std::max(1, FGeometry.ColWidth);
    const int rowHeight = std::max(1, FGeometry.RowHeight);
    const int width = FGeometry.Width;
    const int height = FGeometry.Height;
    const int rulerHeight = FGeometry.RulerHeight;
    const bool leftbar = FViewProps.Leftbar().Visible();
    const int leftbarWidth = leftbar ? FGeometry.LeftbarWidth : 0;

    if (QRect(0, 0, left, top).intersects(rect))
        PaintCorner();
    if (rulerHeight > 0 && QRect(left, 0, width - left, rulerHeight).intersects(rect))
        PaintRuler();
    // The margins between the bars and the text show the editor's background.
    canvas.fillRect(QRect(left, rulerHeight, width - left, top - rulerHeight).intersected(rect), BackColor());
    canvas.fillRect(
        QRect(leftbarWidth, top, left - leftbarWidth, height - top).intersected(rect), BackColor());

    const int snappedLeft = std::max(left, left + FloorDiv(rect.left() - left, column) * column);
    const int snappedTop = std::max(top, top + FloorDiv(rect.top() - top, rowHeight) * rowHeight);
    const int bottom = rect.bottom() + 1;
    const int rows = bottom > snappedTop ? (bottom - snappedTop + rowHeight - 1) / rowHeight : 0;
    if (rows == 0)
        return;
    const int firstRow = (snappedTop - top) / rowHeight + FGeometry.TopRow;
    const int lastRow = firstRow + rows - 1;
    if (leftbar && QRect(0, top, leftbarWidth, height - top).intersects(rect))
        PaintLeftbar(firstRow, lastRow);
    if (rect.right() >= snappedLeft)
        PaintTextRows(
            QRect(QPoint(snappedLeft, snappedTop), QPoint(rect.right(), snappedTop + rows * rowHeight - 1)),
            firstRow, lastRow);
}

void TEditorPainter::PaintTextRows(const QRect& snapped, int firstRow, int lastRow)
{
    QPainter& canvas = *FCanvas;
    const TEditorScreenStrings& rows = FModel->Rows();
    const int rowCount = rows.Count();
    const int rowHeight = std::max(1, FGeometry.RowHeight);
    const int x = FGeometry.LeftOffset - ScrollOffset();
    const bool selected = FModel->HasSelection();
    FRowRectHeight
        = std::max(1, FGeometry.FontHeight + (selected ? FViewProps.Margin().UnderlineSpace() : 0));
    const std::unique_ptr<TFountainParser> parser = FViewProps.PaintFountain().CreateParser();
    parser->UseContexts(rows.Contexts());
    int y = snapped.top();
    for (int row = firstRow; row <= lastRow; ++row, y += rowHeight) {
        const QRect rowRect(snapped.left(), y, snapped.width(), FRowRectHeight);
        if (row < rowCount) {
            const std::string text = ExpandTabs(rows.Strings(row), FModel->ColumnLayout());
            if (selected)
                PaintRowWithSelection(rowRect, x, parser.get(), row, text, y);
            else
                PaintRow(rowRect, x, parser.get(), row, text, y);
        } else {
            canvas.fillRect(rowRect, BackColor());
            const bool endsOpen = rowCount == 0 || rows.RowAttribute(rowCount - 1) != raEndOfText;
            if (row == rowCount && endsOpen && FViewProps.Marks().EofMark()->Visible()) {
                canvas.setClipRect(rowRect);
                PaintEofMark(x, y);
                canvas.setClipping(false);
            }
        }
        if (rowHeight > FRowRectHeight)
            canvas.fillRect(
                QRect(snapped.left(), y + FRowRectHeight, snapped.width(), rowHeight - FRowRectHeight),
                BackColor());
    }
}

void TEditorPainter::PaintRow(
    const QRect& rect, int x, TFountainParser* parser, int row, const std::string& text, int y)
{
    PaintRowPart(rect, x, parser, row, text, y, TRowMode::Plain);
}

void TEditorPainter::PaintSelectedRow(
    const QRect& rect, int x, TFountainParser* parser, int row, const std::string& text, int y)
{
    PaintRowPart(rect, x, parser, row, text, y, TRowMode::Selected);
}

void TEditorPainter::PaintRowPart(
    const QRect& rect, int x, TFountainParser* parser, int row, const std::string& text, int y, TRowMode mode)
{
    QPainter& canvas = *FCanvas;
    const QRect clip = rect.intersected(QRect(FGeometry.LeftOffset, 0, TextAreaRight(), FGeometry.Height));
    if (clip.isEmpty())
        return;
    const bool selected = mode == TRowMode::Selected;
    const TFountainColor& select = *FViewProps.View().Colors()->Select();
    const QColor background = selected ? ColorOr(select.BkColor(), FViewProps.Font().Color()) : BackColor();
    const QColor foreground = selected ? ColorOr(select.Color(), FViewProps.Color()) : FontColor();
    const TFontStyles fontStyle = FontStyle();
    const int column = std::max(1, FGeometry.ColWidth);
    const int length = static_cast<int>(text.size());
    const int cut = CutLength(text);

    canvas.fillRect(clip, background);
    canvas.setClipRect(clip);
    const TEditorScreenStrings& rows = FModel->Rows();
    std::string_view next;
    if (length > 0 && (length + 5) * column >= ScrollOffset()) {
        int clipRight = std::min(clip.right() + 1, x + cut * column);
        if (FModel->WordWrap() && rows.RowAttribute(row) == raWrapped && row < rows.Count() - 1) {
            next = rows.Strings(row + 1);
            clipRight = std::min(clipRight, x + length * column);
        }
        if (clipRight > clip.left()) {
            canvas.setClipRect(QRect(clip.left(), clip.top(), clipRight - clip.left(), clip.height()));
            const int firstVisible
                = TEditorPaintGlyphs::CharStart(text, std::max(0, (clip.left() - x) / column));
            int drawn = firstVisible;
            const auto drawPlain = [&](int from, int to) {
                if (from < to)
                    FGlyphs.Draw(canvas, x, y, text, from, to, fontStyle, foreground);
            };
            TRowTokenizer tokens(*parser, FJoined);
            tokens.Begin(text, next, RowStartState(rows.RowState(row)));
            for (TRowToken token; tokens.Next(token);) {
                const int offset = token.Offset;
                if (x + offset * column >= clipRight)
                    break;
                const int end = std::min(token.End(), length);
                if (end <= drawn)
                    continue;
                const int from = std::max(offset, drawn);
                drawPlain(drawn, from);
                const TFountainColor* color = parser->TokenColor();
                QColor tokenBack = background;
                QColor tokenFore = foreground;
                TFontStyles tokenStyle = fontStyle;
                if (selected) {
                    if (color && color->Style() != fontStyle)
                        tokenStyle = color->Style();
                } else if (color) {
                    tokenBack = ColorOr(color->BkColor(), FViewProps.Color());
                    tokenFore = ColorOr(color->Color(), FViewProps.Font().Color());
                    tokenStyle = color->Style();
                }
                if (tokenBack != background)
                    canvas.fillRect(
                        QRect(x + from * column, y, (end - from) * column, clip.height()), tokenBack);
                FGlyphs.Draw(canvas, x, y, text, from, end, tokenStyle, tokenFore);
                drawn = end;
            }
            drawPlain(drawn, std::min(length, (clipRight - x + column - 1) / column));
        }
        canvas.setClipRect(clip);
    }
    if (FViewProps.WantsPaintedRows())
        FViewProps.RowPainted(text + std::string(next), x, y, row, rect, selected);
    PaintRowMarks(clip, x, row, length, cut, y, selected);
    canvas.setClipping(false);
}

void TEditorPainter::PaintRowMarks(
    const QRect& rect, int x, int row, int length, int cut, int y, bool selected)
{
    const TEditorScreenStrings& rows = FModel->Rows();
    const TEditorMarks& marks = FViewProps.Marks();
    const int column = std::max(1, FGeometry.ColWidth);
    const int markX = x + std::min(length, cut) * column;
    if (markX > rect.right())
        return;
    const TRowAttribute attribute = rows.RowAttribute(row);
    if (length <= cut) {
        if (marks.EofMark()->Visible() && row == rows.Count() - 1 && attribute == raEndOfText)
            PaintEofMark(markX, y);
        else if (marks.RetMark()->Visible() && attribute == raBreak)
            PaintRetMark(markX, y, selected);
        else if (marks.WrapMark()->Visible() && attribute == raWrapped)
            PaintWrapMark(markX, y, selected);
    } else if (marks.HideMark()->Visible()) {
        PaintHideMark(markX, y, selected);
    }
}

void TEditorPainter::PaintRowWithSelection(
    const QRect& rect, int x, TFountainParser* parser, int row, const std::string& text, int y)
{
    const TSelectionCols& selection = FModel->SelectionCols();
    if (row < selection.StartRow || row > selection.EndRow) {
        PaintRow(rect, x, parser, row, text, y);
        return;
    }
    const int column = std::max(1, FGeometry.ColWidth);
    const bool oneRow = FModel->BoxSelection() || selection.StartRow == selection.EndRow;
    const int from = oneRow || row == selection.StartRow ? selection.StartCol : 0;
    const int to = oneRow || row == selection.EndRow ? selection.EndCol : -1;
    const int selectedLeft = x + from * column;
    const int selectedRight = to < 0 ? rect.right() + 1 : x + to * column;
    const auto piece = [&](int left, int right) {
        return rect.intersected(QRect(left, rect.top(), right - left, rect.height()));
    };
    const QRect before = piece(rect.left(), selectedLeft);
    const QRect inside = piece(selectedLeft, selectedRight);
    const QRect after = piece(selectedRight, rect.right() + 1);
    if (!before.isEmpty())
        PaintRow(before, x, parser, row, text, y);
    if (!inside.isEmpty())
        PaintSelectedRow(inside, x, parser, row, text, y);
    if (!after.isEmpty())
        PaintRow(after, x, parser, row, text, y);
}

} // namespace brenvik
