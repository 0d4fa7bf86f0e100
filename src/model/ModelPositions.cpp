// TEditorModel's positions: rows, display columns, byte offsets and the caret.
#include "model/EditorModel.h"
#include "support/LineBreaks.h"

#include "text/EditorScreenStrings.h"
#include "text/PlaceCaretAfter.h"

#include <algorithm>

namespace brenvik {

int TEditorModel::RowCount() const
{
    return FRows->Count();
}

std::string_view TEditorModel::RowText(int row) const
{
    return row >= 0 && row < RowCount() ? FRows->Strings(row) : std::string_view();
}

TRowAttribute TEditorModel::RowAttribute(int row) const
{
    return row >= 0 && row < RowCount() ? FRows->RowAttribute(row) : raEndOfText;
}

int TEditorModel::LineStart(int row) const
{
    if (row >= RowCount())
        return row > 0 && RowAttribute(row - 1) == raWrapped ? FRows->LineStartRow(row - 1) : row;
    return FRows->LineStartRow(std::max(row, 0));
}

int TEditorModel::LineEnd(int row) const
{
    while (row + 1 < RowCount() && RowAttribute(row) == raWrapped)
        ++row;
    return row;
}

std::string TEditorModel::LineText(int first) const
{
    std::string line;
    for (int row = first; row < RowCount(); ++row) {
        line += RowText(row);
        if (RowAttribute(row) != raWrapped)
            break;
    }
    return line;
}

TColumnLayout TEditorModel::ColumnLayout() const
{
    return {TabSpaceCount(), WordWrap() ? WrapByte() : 0};
}

std::string TEditorModel::ColumnAttributes(std::string_view text) const
{
    return brenvik::ColumnAttributes(text, ColumnLayout(), WordWrap() ? WrapByte() + 3 : INT_MAX);
}

int TEditorModel::CharIndexAt(int row, int col) const
{
    return std::min(int(RowText(row).size()), ByteOfColumn(ColumnAttributes(row), col));
}

int TEditorModel::TextWidth(std::string_view text) const
{
    return brenvik::TextWidth(text, ColumnLayout());
}

int TEditorModel::IndentWidth(std::string_view text) const
{
    if (text.empty())
        return -1;
    const TColumnLayout layout = ColumnLayout();
    int width = 0;
    for (size_t i = 0; i < text.size(); ++i) {
        const auto c = static_cast<unsigned char>(text[i]);
        if (c == ' ') {
            ++width;
        } else if (c == 0x81 && i + 1 < text.size() && static_cast<unsigned char>(text[i + 1]) == 0x40) {
            width += 2;
            ++i;
        } else if (c == '\t') {
            width += TabColumns(width, layout);
        } else {
            break;
        }
    }
    return width;
}

qint64 TEditorModel::BytesBetween(int row0, int row) const
{
    qint64 offset = 0;
    for (int r = std::max(row0, 0); r < std::min(row, RowCount()); ++r)
        offset += qint64(RowText(r).size()) + (RowAttribute(r) == raBreak ? LineBreakBytes : 0);
    return offset;
}

qint64 TEditorModel::TextOffset(int row0, int row, int col) const
{
    return BytesBetween(row0, row) + ByteOfColumn(ColumnAttributes(row), col);
}

// ---- byte offsets of the whole text --------------------------------------------------------

void TEditorModel::InvalidateOffsetsFrom(int row) const
{
    FOffsetsValid = std::min(FOffsetsValid, std::max(row, 0));
}

qint64 TEditorModel::RowOffset(int row) const
{
    const int count = RowCount();
    row = std::clamp(row, 0, count);
    if (FRows->UpdateCount() > 0) {
        // Inside an open batch the editors have not heard of the changes yet: walk.
        return BytesBetween(0, row);
    }
    if (FRowOffsets.size() != size_t(count) + 1) {
        FRowOffsets.resize(size_t(count) + 1);
        FOffsetsValid = std::min(FOffsetsValid, count);
    }
    if (FOffsetsValid < 0) {
        FRowOffsets[0] = 0;
        FOffsetsValid = 0;
    }
    qint64 offset = FRowOffsets[size_t(FOffsetsValid)];
    qint64* next = FRowOffsets.data() + FOffsetsValid + 1;
    FRows->ForEachRow(FOffsetsValid, row - FOffsetsValid, [&](std::string_view text, TRowAttribute attribute) {
        offset += qint64(text.size()) + (attribute == raBreak ? LineBreakBytes : 0);
        *next++ = offset;
    });
    FOffsetsValid = std::max(FOffsetsValid, row);
    return FRowOffsets[size_t(row)];
}

qint64 TEditorModel::TextLength() const
{
    return RowOffset(RowCount());
}

int TEditorModel::RowOfOffset(qint64 offset) const
{
    const int count = RowCount();
    if (count == 0)
        return 0;
    // Extend the cache only as far as the offset needs.
    int probe = std::max(FOffsetsValid, 0);
    while (probe < count && RowOffset(probe) <= offset)
        probe = std::min(count, probe + std::max(probe, 4096));
    if (FRows->UpdateCount() > 0) {
        int row = 0;
        while (row + 1 < count && RowOffset(row + 1) <= offset)
            ++row;
        return row;
    }
    const auto end = FRowOffsets.begin() + probe + 1;
    const int row = int(std::upper_bound(FRowOffsets.begin(), end, offset) - FRowOffsets.begin()) - 1;
    return std::clamp(row, 0, count - 1);
}

void TEditorModel::PlaceCaretAfter(int row, qint64 bytes)
{
    brenvik::PlaceCaretAfter(*FRows, *this, row, size_t(std::max<qint64>(bytes, 0)));
}

void TEditorModel::PlaceCaretAtOffset(qint64 offset)
{
    const int count = RowCount();
    if (FRows->UpdateCount() > 0 || count == 0) {
        PlaceCaretAfter(0, offset);
        return;
    }
    offset = std::max<qint64>(offset, 0);
    if (offset >= TextLength() && RowAttribute(count - 1) != raEndOfText) {
        SetRowCol(count, 0);
        return;
    }
    const int row = RowOfOffset(offset);
    PlaceCaretAfter(row, offset - RowOffset(row));
}

// ---- caret --------------------------------------------------------------------------------

void TEditorModel::AssignRow(int row)
{
    const int count = RowCount();
    const int last = count > 0 && RowAttribute(count - 1) == raEndOfText ? count - 1 : count;
    FRow = std::clamp(row, 0, last);
    ValidateCol(-1, true);
}

void TEditorModel::AssignCol(int col)
{
    col = std::max(col, 0);
    const int direction = col > FCol ? 1 : -1;
    FCol = col;
    ValidateCol(direction, false);
}

void TEditorModel::SetRow(int row)
{
    if (row == FRow && FRow != RowCount())
        return;
    AssignRow(row);
    FOwner->CaretMoved();
}

void TEditorModel::SetCol(int col)
{
    AssignCol(col);
    FOwner->CaretMoved();
}

void TEditorModel::SetRowCol(int row, int col)
{
    if (row == FRow && col == FCol)
        return;
    AssignRow(row);
    AssignCol(col);
    FOwner->CaretMoved();
}

void TEditorModel::MoveToRowEnd()
{
    const int width = RowWidth(FRow);
    if (RowAttribute(FRow) != raWrapped) {
        SetCol(width);
        return;
    }
    if (FCol == width) {
        const int last = LineEnd(FRow);
        SetRowCol(last, RowWidth(last));
        return;
    }
    // Set past ValidateCol, which keeps other moves off this place.
    FRemembered = false;
    FCol = width;
    FOwner->CaretMoved();
}

void TEditorModel::ValidateCol(int direction, bool rowRule)
{
    const std::string attributes = ColumnAttributes(FRow);
    const int width = int(attributes.size());
    const TCaretRules caret = FOwner->CaretRules();
    auto remember = [&](int col) {
        if (rowRule && !FRemembered) {
            FRememberedCol = col;
            FRemembered = true;
        }
    };
    if (!rowRule)
        FRemembered = false;
    else if (FRemembered)
        FCol = FRememberedCol;

    if (!caret.FreeCaret && FCol > width) {
        if (caret.KeepCaret)
            remember(FOwner->PointerHeld() ? width : FCol);
        FCol = width;
    }
    if (ColumnCode(attributes, FCol) == '5') {
        remember(FCol);
        FCol += direction;
    }
    if (!caret.InTab && ColumnCode(attributes, FCol) == '3') {
        remember(FCol);
        while (ColumnCode(attributes, FCol) == '3')
            FCol += direction;
    }
    if (WordWrap() && FCol >= width) {
        remember(FCol);
        if (RowAttribute(FRow) == raWrapped)
            FCol = std::max(width - 1, 0);
        else if (FCol >= WrapByte())
            FCol = std::max(width, WrapByte() - 1);
        if (ColumnCode(attributes, FCol) == '5')
            --FCol;
        if (!caret.InTab)
            while (ColumnCode(attributes, FCol) == '3')
                --FCol;
    }
    // The caret stops at the horizontal extent, or after a double-byte character that
    // starts in its last column.
    const int limit = std::max(HorizontalExtent(), width);
    if (FCol > limit && ColumnCode(attributes, limit - 1) != '4')
        FCol = limit;
    FCol = std::clamp(FCol, 0, limit + 1);
}

int TEditorModel::LastCaretRow() const
{
    const int count = RowCount();
    return count > 0 && RowAttribute(count - 1) == raEndOfText ? count - 1 : count;
}

// The one place that asks the row list for a row's logical line.
int TEditorModel::LineOfRow(int row) const
{
    // The row list keeps a count of line ends per block: no walk from row 0.
    return WordWrap() ? FRows->LineOfRow(row) : row;
}

int TEditorModel::LineCharIndex(int row, int col) const
{
    if (row < 0 || col < 0 || row > RowCount())
        return -1;
    const std::string attributes = ColumnAttributes(row);
    if (ColumnCode(attributes, col) == '5')
        --col;
    while (ColumnCode(attributes, col) == '3')
        --col;
    int index = std::min(int(RowText(row).size()), ByteOfColumn(attributes, col));
    for (int r = row - 1; r >= 0 && RowAttribute(r) == raWrapped; --r)
        index += int(RowText(r).size());
    return index;
}

int TEditorModel::CaretByte() const
{
    return CharIndexAt(FRow, FCol);
}

std::string TEditorModel::CheckInvariant() const
{
    const int count = RowCount();
    if (FRow < 0 || FRow > count)
        return "caret row outside the rows";
    if (count > 0 && FRow == count && RowAttribute(count - 1) == raEndOfText)
        return "caret row after a raEndOfText row";
    if (FCol < 0 || FCol > std::max(HorizontalExtent(), RowWidth(FRow)) + 1)
        return "caret column out of range";
    if (ColumnCode(ColumnAttributes(FRow), FCol) == '5')
        return "caret on a trail byte";
    if (HasSelection() && FSel.StartRow > FSel.EndRow)
        return "selection rows reversed";
    return {};
}

} // namespace brenvik
