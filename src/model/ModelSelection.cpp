// TEditorModel's selection, normal and box, and its text.
#include "model/EditorModel.h"
#include "model/WordSpan.h"
#include "support/LineBreaks.h"

#include "text/EditorScreenStrings.h"

#include <algorithm>

namespace brenvik {

namespace {

constexpr std::string_view kCrLf = "\r\n";

} // namespace

void TEditorModel::StartSelection()
{
    CancelSelection();
    if (RowCount() == 0)
        return;
    FSelState = TSelectionState::Anchored;
    FAnchorRow = FRow;
    FAnchorByte = CaretByte();
    FAnchorCol = FBoxSelection ? FCol : std::min(FCol, RowWidth(FRow));
    FSel = {FRow, FRow, FAnchorByte, FAnchorByte - 1};
    FSelCols = {FRow, FRow, FAnchorCol, FAnchorCol};
}

void TEditorModel::ExtendSelection()
{
    if (FSelState == TSelectionState::None)
        return;
    const bool wasSelected = FSelState == TSelectionState::Selected;
    FSelState = TSelectionState::Selected;
    RecomputeSelection(wasSelected);
}

void TEditorModel::RecomputeSelection(bool wasSelected)
{
    const int k = CaretByte();
    TSelectionBytes bytes {std::min(FAnchorRow, FRow), std::max(FAnchorRow, FRow), 0, -1};
    if (FAnchorRow == FRow) {
        bytes.StartByte = std::min(FAnchorByte, k);
        bytes.EndByte = std::max(FAnchorByte, k) - 1;
    } else if (FAnchorRow < FRow) {
        bytes.StartByte = FAnchorByte;
        bytes.EndByte = k - 1;
    } else {
        bytes.StartByte = k;
        bytes.EndByte = FAnchorByte - 1;
    }
    TSelectionCols cols {bytes.StartRow, bytes.EndRow, 0, 0};
    if (FBoxSelection) {
        // Over a short row the box keeps the column the caret was moved up or down from.
        const int col = FRemembered ? std::max(FCol, FRememberedCol) : FCol;
        cols.StartCol = std::min(FAnchorCol, col);
        cols.EndCol = std::max(FAnchorCol, col);
    } else if (FAnchorRow == FRow) {
        const int width = RowWidth(FRow);
        cols.StartCol = std::min(std::min(FAnchorCol, FCol), width);
        cols.EndCol = std::min(std::max(FAnchorCol, FCol), width);
    } else {
        const bool anchorAbove = FAnchorRow < FRow;
        const int upperCol = anchorAbove ? FAnchorCol : FCol;
        const int lowerCol = anchorAbove ? FCol : FAnchorCol;
        cols.StartCol = std::min(upperCol, RowWidth(cols.StartRow));
        cols.EndCol = std::min(lowerCol, RowWidth(cols.EndRow));
    }
    const TSelectionCols before = FSelCols;
    FSel = bytes;
    FSelCols = cols;
    // Only the cells whose selected state changed are repainted.
    FOwner->SelectionChanged(before, wasSelected, cols);
}

void TEditorModel::CancelSelection()
{
    const bool selected = FSelState == TSelectionState::Selected;
    FSelState = TSelectionState::None;
    if (!selected)
        return;
    FOwner->SelectionCancelled(FSelCols);
}

qint64 TEditorModel::SelStart() const
{
    if (RowCount() == 0)
        return 0;
    if (HasSelection())
        return RowOffset(FSel.StartRow) + FSel.StartByte;
    return RowOffset(FRow) + CaretByte();
}

void TEditorModel::SetSelStart(qint64 offset)
{
    CancelSelection();
    if (RowCount() == 0)
        return;
    if (offset <= 0)
        SetRowCol(0, 0);
    else
        PlaceCaretAtOffset(offset);
}

int TEditorModel::BoxStartByte(int row) const
{
    const int length = int(RowText(row).size());
    return std::min(SelectionStartByte(ColumnAttributes(row), FSelCols.StartCol + 1) - 1, length);
}

int TEditorModel::BoxEndByte(int row) const
{
    const int length = int(RowText(row).size());
    return std::clamp(SelectionEndByte(ColumnAttributes(row), FSelCols.EndCol), 0, length);
}

qint64 TEditorModel::SelLength() const
{
    if (!HasSelection())
        return 0;
    if (FBoxSelection) {
        qint64 length = 0;
        // Like SelText, the box stops at the last row: the place after it holds no text.
        for (int row = FSel.StartRow; row <= std::min(FSel.EndRow, RowCount() - 1); ++row)
            length += std::max(0, BoxEndByte(row) - BoxStartByte(row)) + LineBreakBytes;
        return length;
    }
    if (FSel.StartRow == FSel.EndRow)
        return FSel.EndByte - FSel.StartByte + 1;
    return RowOffset(FSel.EndRow) + FSel.EndByte + 1 - (RowOffset(FSel.StartRow) + FSel.StartByte);
}

void TEditorModel::SetSelLength(qint64 length)
{
    if (RowCount() == 0)
        return;
    SetBoxSelection(false);
    if (length <= 0)
        return;
    if (HasSelection())
        SetRowCol(FSel.StartRow, TextWidth(RowText(FSel.StartRow).substr(0, size_t(FSel.StartByte))));
    StartSelection();
    PlaceCaretAtOffset(SelStart() + length);
    ExtendSelection();
}

void TEditorModel::SelectAll()
{
    FOwner->HideCaret();
    SetSelStart(0);
    SetSelLength(TextLength());
    FOwner->ShowCaret();
}

void TEditorModel::SetBoxSelection(bool value)
{
    if (value == FBoxSelection)
        return;
    FBoxSelection = value;
    if (HasSelection())
        RecomputeSelection(true);
    FOwner->SelectionModeChanged();
}

bool TEditorModel::InSelection(TEditorPos position) const
{
    if (!HasSelection() || position.Row < FSelCols.StartRow || position.Row > FSelCols.EndRow)
        return false;
    if (FBoxSelection) {
        const int byte = ByteOfColumn(ColumnAttributes(position.Row), position.Col);
        return byte >= BoxStartByte(position.Row) && byte < BoxEndByte(position.Row);
    }
    if (position.Row == FSelCols.StartRow && position.Col < FSelCols.StartCol)
        return false;
    return !(position.Row == FSelCols.EndRow && position.Col > FSelCols.EndCol - 1);
}

std::string TEditorModel::SelText() const
{
    if (!HasSelection())
        return {};
    std::string text;
    if (FBoxSelection) {
        for (int row = FSel.StartRow; row <= std::min(FSel.EndRow, RowCount() - 1); ++row) {
            const int start = BoxStartByte(row);
            text += RowText(row).substr(size_t(start), size_t(std::max(0, BoxEndByte(row) - start)));
            text += kCrLf;
        }
        return text;
    }
    const std::string_view first = RowText(FSel.StartRow);
    const size_t start = std::min(size_t(FSel.StartByte), first.size());
    if (FSel.StartRow == FSel.EndRow)
        return std::string(first.substr(start, size_t(std::max(0, FSel.EndByte - FSel.StartByte + 1))));
    text.reserve(size_t(SelLength()));
    text += first.substr(start);
    if (RowAttribute(FSel.StartRow) == raBreak)
        text += kCrLf;
    FRows->ForEachRow(
        FSel.StartRow + 1, FSel.EndRow - FSel.StartRow - 1, [&](std::string_view row, TRowAttribute attribute) {
            text += row;
            if (attribute == raBreak)
                text += kCrLf;
        });
    text += RowText(FSel.EndRow).substr(0, size_t(FSel.EndByte + 1));
    return text;
}

// Whole rows from the first row to row, either way, line breaks included.
void TEditorModel::SelectRows(int first, int row)
{
    const int count = RowCount();
    if (count == 0)
        return;
    first = std::clamp(first, 0, count - 1);
    row = std::clamp(row, 0, count - 1);
    auto after = [&](int r) {
        return RowAttribute(r) == raEndOfText ? TEditorPos {r, RowWidth(r)} : TEditorPos {r + 1, 0};
    };
    const TEditorPos anchor = row >= first ? TEditorPos {first, 0} : after(first);
    const TEditorPos caret = row >= first ? after(row) : TEditorPos {row, 0};
    CancelSelection();
    SetRowCol(anchor.Row, anchor.Col);
    StartSelection();
    SetRowCol(caret.Row, caret.Col);
    ExtendSelection();
}

void TEditorModel::SelectWordAt(TEditorPos position)
{
    if (position.Row < 0 || position.Row >= RowCount())
        return;
    const int first = LineStart(position.Row);
    const int offset = int(BytesBetween(first, position.Row)) + CharIndexAt(position.Row, position.Col);
    const TByteSpan word = WordSpanAt(LineText(first), offset);
    if (word.End == word.Start)
        return;
    SetSelStart(RowOffset(first) + word.Start);
    SetSelLength(word.End - word.Start);
}

void TEditorModel::SelectLineAt(int row)
{
    if (row < 0 || row >= RowCount())
        return;
    SelectRows(LineStart(row), LineEnd(row));
}

} // namespace brenvik
