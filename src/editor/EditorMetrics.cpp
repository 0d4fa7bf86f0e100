// TEditor's pixel metrics, computed from its font and view properties, and the geometry of
// rows and the caret in the viewport.
#include "editor/Editor.h"
#include "text/ColumnModel.h"

#include "editor/EditorCaret.h"
#include "editor/EditorLeftbar.h"
#include "editor/EditorMargin.h"
#include "editor/EditorMarks.h"
#include "editor/EditorRuler.h"
#include "text/EditorScreenStrings.h"
#include "text/EditorStrings.h"

#include <QFontMetrics>
#include <QResizeEvent>

#include <algorithm>

namespace brenvik {

int TEditor::RulerHeight() const
{
    if (!FRuler->Visible())
        return 0;
    return FRuler->Edge() ? 11 : 10;
}

int TEditor::LeftbarDigits() const
{
    const int column = FLeftbar->Column();
    if (!FLeftbar->Visible() || !FLeftbar->ShowNumber())
        return column;
    const int count = RowCount();
    const bool endOfText = count > 0 && RowAttribute(count - 1) == raEndOfText;
    const int lastIndex
        = FLeftbar->ShowNumberMode() == nmLine && WordWrap() ? FModel->Lines().GetCount() - 1 : count - 1;
    const qint64 largest
        = std::max<qint64>(0, qint64(lastIndex) + (endOfText ? 0 : 1) + (FLeftbar->ZeroBase() ? 0 : 1));
    const int digits = int(QString::number(largest).size());
    return std::min(std::max(column, digits), 8);
}

int TEditor::LeftbarWidth() const
{
    return FLeftbar->LeftMargin() + LeftbarDigits() * FColWidth + FLeftbar->RightMargin() + 2;
}

TEditorGeometry TEditor::Geometry() const
{
    return {FFontHeight, FColWidth, FRowHeight, FTopOffset, FLeftOffset, FVisibleRows, FVisibleCols, FTopRow,
        FTopCol, RulerHeight(), FLeftbar->Visible() ? LeftbarWidth() : 0, LeftbarDigits(),
        viewport()->width(), viewport()->height()};
}

void TEditor::UpdateMetrics()
{
    const QFontMetrics metrics(font());
    FFontHeight = metrics.height() + metrics.leading();
    // The grid's pitch is one half-width cell; a CJK font's average width would be a full one.
    FColWidth = std::max(1, FMargin->Character() + metrics.horizontalAdvance(QLatin1Char('x')));
    FMargin->SetUnderlineSpace(FMarks->Underline()->Visible() ? 1 : 0);
    FRowHeight = std::max(1, FFontHeight + FMargin->Line() + FMargin->UnderlineSpace());
    FTopOffset = FMargin->Top() + RulerHeight();
    FLeftOffset = FMargin->Left() + (FLeftbar->Visible() ? LeftbarWidth() : 0);
    FVisibleCols = std::max(1, (viewport()->width() - FLeftOffset - FColWidth / 2) / FColWidth);
    FVisibleRows = std::max(1, (viewport()->height() - FTopOffset - 5) / FRowHeight);
    UpdateScrollRanges();
    viewport()->update();
}

void TEditor::ViewPropertyChanged(QObject* sender)
{
    // The tab width moves columns: keep the caret on a character boundary.
    if (sender == FCaret)
        SetCol(Col());
    FountainChanged(sender);
}

QRect TEditor::CaretRect() const
{
    const int x = FLeftOffset + (Col() - FTopCol) * FColWidth;
    const int y = FTopOffset + (Row() - FTopRow) * FRowHeight;
    const int cellWidth = FColWidth - FMargin->Character();
    if (Overwrite()) {
        const bool wide = ColumnCode(ColumnAttributes(Row()), Col()) == '4';
        return QRect(x, y, cellWidth * (wide ? 2 : 1), FFontHeight);
    }
    if (FCaret->Style() == csBrief)
        return QRect(x, y + FFontHeight - 2, cellWidth, 2);
    return QRect(x, y, 2, FFontHeight);
}

void TEditor::InvalidateRow(int row)
{
    if (row < FTopRow || row > FTopRow + FVisibleRows)
        return;
    const int y = FTopOffset + (row - FTopRow) * FRowHeight;
    viewport()->update(QRect(FLeftOffset, y, viewport()->width() - FLeftOffset, FFontHeight));
}

void TEditor::InvalidateRows(int first, int last)
{
    if (first > last)
        std::swap(first, last);
    first = std::max(first, FTopRow);
    last = std::min(last, FTopRow + FVisibleRows);
    if (first > last)
        return;
    const int y = FTopOffset + (first - FTopRow) * FRowHeight;
    viewport()->update(QRect(0, y, viewport()->width(), (last - first + 1) * FRowHeight));
}

void TEditor::resizeEvent(QResizeEvent* event)
{
    QAbstractScrollArea::resizeEvent(event);
    UpdateMetrics();
}

} // namespace brenvik
