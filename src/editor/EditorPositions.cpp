// TEditor's position model: caret and view, display columns, byte offsets and the selection.
#include "editor/Editor.h"
#include "editor/EditorPainter.h"

#include "editor/EditorCaret.h"
#include "highlight/Fountain.h"
#include "highlight/FountainParser.h"
#include "text/ColumnModel.h"
#include "text/EditorScreenStrings.h"
#include "text/PlaceCaretAfter.h"

#include <QScrollBar>

#include <algorithm>

namespace brenvik {

namespace {

int CountFill(const std::string& attributes, int codes)
{
    const int n = std::clamp(codes, 0, int(attributes.size()));
    return int(std::count(attributes.begin(), attributes.begin() + n, '3'));
}

} // namespace

// ---- rows -------------------------------------------------------------------------------

int TEditor::RowCount() const
{
    return FRows->Count();
}

std::string_view TEditor::RowText(int row) const
{
    return row >= 0 && row < RowCount() ? FRows->Strings(row) : std::string_view();
}

TRowAttribute TEditor::RowAttribute(int row) const
{
    return row >= 0 && row < RowCount() ? FRows->RowAttribute(row) : raEndOfText;
}

int TEditor::LineStart(int row) const
{
    if (row >= RowCount())
        return row > 0 && RowAttribute(row - 1) == raWrapped ? FRows->LineStartRow(row - 1) : row;
    return FRows->LineStartRow(std::max(row, 0));
}

// ---- columns ----------------------------------------------------------------------------

bool TEditor::IsDelimiter(unsigned char c)
{
    return c <= 0x2F || (c >= 0x3A && c <= 0x40) || (c >= 0x5B && c <= 0x5E) || c == 0x60
        || (c >= 0x7B && c <= 0x80) || (c >= 0xA0 && c <= 0xA5) || c >= 0xFD;
}

std::string TEditor::ColumnAttributes(std::string_view text) const
{
    const int tab = TabSpaceCount();
    const bool wrap = WordWrap();
    const int wrapByte = WrapByte();
    const size_t limit = wrap ? size_t(wrapByte + 3) : size_t(MaxCol);
    std::string attributes;
    attributes.reserve(std::min(text.size(), limit) + 8);
    for (size_t i = 0; i < text.size() && attributes.size() < limit; ++i) {
        const auto c = static_cast<unsigned char>(text[i]);
        if (IsLeadByte(c)) {
            attributes += "45";
            ++i;
        } else if (c == '\t') {
            const int col = int(attributes.size());
            int fill = tab - col % tab - 1;
            if (wrap)
                fill = std::min(fill, wrapByte - col % wrapByte - 1);
            attributes += '2';
            attributes.append(size_t(std::max(fill, 0)), '3');
        } else {
            attributes += IsDelimiter(c) ? '2' : '1';
        }
    }
    return attributes;
}

char TEditor::ColumnCode(const std::string& attributes, int col)
{
    return col >= 0 && col < int(attributes.size()) ? attributes[size_t(col)] : '\0';
}

int TEditor::RawCharIndex(const std::string& attributes, int col)
{
    if (col <= 0)
        return 0;
    if (ColumnCode(attributes, col) == '5')
        --col;
    return col - CountFill(attributes, col + 1);
}

int TEditor::CharIndexAt(int row, int col) const
{
    return std::min(int(RowText(row).size()), RawCharIndex(ColumnAttributes(row), col));
}

int TEditor::SelStartChar(const std::string& attributes, int col1)
{
    int p = col1;
    if (ColumnCode(attributes, p - 1) == '5')
        ++p;
    else
        while (ColumnCode(attributes, p - 1) == '3')
            ++p;
    return p - CountFill(attributes, p);
}

int TEditor::SelEndChar(const std::string& attributes, int col1)
{
    int p = col1;
    if (ColumnCode(attributes, p - 1) == '4')
        ++p;
    else
        while (ColumnCode(attributes, p - 1) == '3')
            --p;
    return p - CountFill(attributes, p);
}

int TEditor::TextWidth(std::string_view text) const
{
    return brenvik::TextWidth(text, TColumnLayout {TabSpaceCount(), WordWrap() ? WrapByte() : 0});
}

int TEditor::IndentWidth(std::string_view text) const
{
    if (text.empty())
        return -1;
    const int tab = TabSpaceCount();
    int width = 0;
    for (size_t i = 0; i < text.size(); ++i) {
        const auto c = static_cast<unsigned char>(text[i]);
        if (c == ' ') {
            ++width;
        } else if (c == 0x81 && i + 1 < text.size() && static_cast<unsigned char>(text[i + 1]) == 0x40) {
            width += 2;
            ++i;
        } else if (c == '\t') {
            int advance = tab - width % tab;
            if (WordWrap())
                advance = std::min(advance, WrapByte() - width % WrapByte());
            width += advance;
        } else {
            break;
        }
    }
    return width;
}

qint64 TEditor::BytesBetween(int row0, int row) const
{
    qint64 offset = 0;
    for (int r = std::max(row0, 0); r < std::min(row, RowCount()); ++r)
        offset += qint64(RowText(r).size()) + (RowAttribute(r) == raBreak ? 2 : 0);
    return offset;
}

qint64 TEditor::TextOffset(int row0, int row, int col) const
{
    return BytesBetween(row0, row) + RawCharIndex(ColumnAttributes(row), col);
}

// ---- byte offsets of the whole text --------------------------------------------------------

void TEditor::InvalidateOffsetsFrom(int row) const
{
    FOffsetsValid = std::min(FOffsetsValid, std::max(row, 0));
}

qint64 TEditor::RowOffset(int row) const
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
    FRows->ForEachRow(FOffsetsValid, row - FOffsetsValid, [&](std::string_view text, std::uint32_t packed) {
        offset += qint64(text.size()) + (PackedAttribute(packed) == raBreak ? 2 : 0);
        *next++ = offset;
    });
    FOffsetsValid = std::max(FOffsetsValid, row);
    return FRowOffsets[size_t(row)];
}

qint64 TEditor::TextLength() const
{
    return RowOffset(RowCount());
}

int TEditor::RowOfOffset(qint64 offset) const
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

void TEditor::PlaceCaretAfter(int row, qint64 bytes)
{
    brenvik::PlaceCaretAfter(*FRows, *this, row, size_t(std::max<qint64>(bytes, 0)));
}

void TEditor::PlaceCaretAtOffset(qint64 offset)
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

TEditorPos TEditor::PositionAt(QPoint point, bool rounding) const
{
    const int colWidth = std::max(FColWidth, 1);
    int x = point.x() - FLeftOffset;
    if (x < 0)
        x -= colWidth;
    const int col = (x + (rounding ? colWidth / 2 : 0)) / colWidth;
    // Truncating division, as the mouse rules expect: a point just above the text is row TopRow.
    const int row = (point.y() - FTopOffset) / std::max(FRowHeight, 1);
    return {row + FTopRow, std::max(0, col + FTopCol)};
}

// ---- caret --------------------------------------------------------------------------------

void TEditor::AssignRow(int row)
{
    const int count = RowCount();
    const int last = count > 0 && RowAttribute(count - 1) == raEndOfText ? count - 1 : count;
    FRow = std::clamp(row, 0, last);
    ValidateCol(-1, true);
}

void TEditor::AssignCol(int col)
{
    col = std::clamp(col, 0, MaxCol + 1);
    const int direction = col > FCol ? 1 : -1;
    FCol = col;
    ValidateCol(direction, false);
}

void TEditor::SetRow(int row)
{
    if (row == FRow && FRow != RowCount())
        return;
    AssignRow(row);
    CaretMoved();
}

void TEditor::SetCol(int col)
{
    AssignCol(col);
    CaretMoved();
}

void TEditor::SetRowCol(int row, int col)
{
    if (row == FRow && col == FCol)
        return;
    AssignRow(row);
    AssignCol(col);
    CaretMoved();
}

void TEditor::ValidateCol(int direction, bool rowRule)
{
    const std::string attributes = ColumnAttributes(FRow);
    const int width = int(attributes.size());
    const TEditorCaret& caret = *FCaret;
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

    if (!caret.FreeCaret() && FCol > width) {
        if (caret.KeepCaret())
            remember(FLeftButtonDown ? width : FCol);
        FCol = width;
    }
    if (ColumnCode(attributes, FCol) == '5') {
        remember(FCol);
        FCol += direction;
    }
    if (!caret.InTab() && ColumnCode(attributes, FCol) == '3') {
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
        if (!caret.InTab())
            while (ColumnCode(attributes, FCol) == '3')
                --FCol;
    }
    if (FCol > MaxCol && ColumnCode(attributes, MaxCol - 1) != '4')
        FCol = MaxCol;
    FCol = std::clamp(FCol, 0, MaxCol + 1);
}

void TEditor::CaretMoved()
{
    // Only the caret's old and new places repaint, and both rows when the underlined row changes.
    viewport()->update(FShownCaret);
    if (FShownCaretRow != FRow) {
        InvalidateRows(FShownCaretRow, FShownCaretRow);
        InvalidateRows(FRow, FRow);
    }
    if (hasFocus()) {
        FollowCaret();
        // The input method's window follows, except while a key repeats: then at its release.
        if (!FAutoRepeat)
            updateMicroFocus();
        if (OnCaretMoved)
            OnCaretMoved(this);
    }
    const QRect caret = CaretRect();
    if (caret.x() != FShownCaret.x() && RulerHeight() > 0)
        viewport()->update(QRect(0, 0, viewport()->width(), FTopOffset)); // the ruler's caret mark
    FShownCaret = caret;
    FShownCaretRow = FRow;
    viewport()->update(FShownCaret);
}

void TEditor::FollowCaret()
{
    const int rows = std::max(FVisibleRows, 1);
    const int cols = std::max(FVisibleCols, 1);
    if (FRow < FTopRow)
        SetTopRow(FRow);
    else if (FRow > FTopRow + rows - 1)
        SetTopRow(FRow - rows + 1);
    if (FCol < FTopCol)
        SetTopCol(std::max(0, std::min(FCol, FTopCol - cols / 4)));
    else if (FCol > FTopCol + cols - 1)
        SetTopCol(std::min(std::max(FCol - cols + 1, FTopCol + cols / 4), MaxCol - cols / 2));
}

int TEditor::MaxTopRow() const
{
    const int count = RowCount();
    return count > 0 && RowAttribute(count - 1) == raEndOfText ? count - 1 : count;
}

void TEditor::SetTopRow(int row)
{
    row = std::clamp(row, 0, MaxTopRow());
    if (row == FTopRow)
        return;
    const int delta = FTopRow - row;
    FTopRow = row;
    if (std::abs(delta) <= std::max(FVisibleRows, 1))
        viewport()->scroll(0, delta * std::max(FRowHeight, 1));
    else
        viewport()->update();
    const QSignalBlocker blocker(verticalScrollBar());
    verticalScrollBar()->setValue(FTopRow);
    if (OnTopRowChange)
        OnTopRowChange(this);
}

void TEditor::SetTopCol(int col)
{
    col = std::clamp(col, 0, MaxCol - std::max(FVisibleCols, 1) / 2);
    if (col == FTopCol)
        return;
    FTopCol = col;
    viewport()->update();
    const QSignalBlocker blocker(horizontalScrollBar());
    horizontalScrollBar()->setValue(FTopCol);
    if (OnTopColChange)
        OnTopColChange(this);
}

void TEditor::ScrollCaret()
{
    const int rows = std::max(FVisibleRows, 1);
    const int cols = std::max(FVisibleCols, 1);
    if (FRow < FTopRow || FRow > FTopRow + rows - 1)
        SetTopRow(FRow - rows / 3);
    if (FCol < FTopCol || FCol > FTopCol + cols - 1)
        SetTopCol(FCol - cols / 3);
}

int TEditor::LineOfRow(int row) const
{
    if (!WordWrap())
        return row;
    int line = 0;
    for (int r = 0; r < std::min(row, RowCount()); ++r)
        line += RowAttribute(r) == raBreak ? 1 : 0;
    return line;
}

int TEditor::LineCharIndex(int row, int col) const
{
    if (row < 0 || col < 0 || row > RowCount())
        return -1;
    const std::string attributes = ColumnAttributes(row);
    if (ColumnCode(attributes, col) == '5')
        --col;
    while (ColumnCode(attributes, col) == '3')
        --col;
    int index = std::min(int(RowText(row).size()), RawCharIndex(attributes, col));
    for (int r = row - 1; r >= 0 && RowAttribute(r) == raWrapped; --r)
        index += int(RowText(r).size());
    return index;
}

// ---- selection ------------------------------------------------------------------------------

int TEditor::CaretByte() const
{
    return CharIndexAt(FRow, FCol);
}

void TEditor::StartSelection()
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

void TEditor::ExtendSelection()
{
    if (FSelState == TSelectionState::None)
        return;
    const bool wasSelected = FSelState == TSelectionState::Selected;
    FSelState = TSelectionState::Selected;
    RecomputeSelection(wasSelected);
}

void TEditor::RecomputeSelection(bool wasSelected)
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
        cols.StartCol = std::min(FAnchorCol, FCol);
        cols.EndCol = std::max(FAnchorCol, FCol);
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
    viewport()->update(Painter().SelectionChange(before, wasSelected, cols, true, FBoxSelection));
    if (OnSelectionChange)
        OnSelectionChange(this, true);
}

void TEditor::CancelSelection()
{
    const bool selected = FSelState == TSelectionState::Selected;
    FSelState = TSelectionState::None;
    if (!selected)
        return;
    InvalidateRows(FSelCols.StartRow, FSelCols.EndRow);
    if (OnSelectionChange)
        OnSelectionChange(this, false);
}

qint64 TEditor::SelStart() const
{
    if (RowCount() == 0)
        return 0;
    if (HasSelection())
        return RowOffset(FSel.StartRow) + FSel.StartByte;
    return RowOffset(FRow) + CaretByte();
}

void TEditor::SetSelStart(qint64 offset)
{
    CancelSelection();
    if (RowCount() == 0)
        return;
    if (offset <= 0)
        SetRowCol(0, 0);
    else
        PlaceCaretAtOffset(offset);
}

int TEditor::BoxStartByte(int row) const
{
    const int length = int(RowText(row).size());
    return std::min(SelStartChar(ColumnAttributes(row), FSelCols.StartCol + 1) - 1, length);
}

int TEditor::BoxEndByte(int row) const
{
    const int length = int(RowText(row).size());
    return std::clamp(SelEndChar(ColumnAttributes(row), FSelCols.EndCol), 0, length);
}

qint64 TEditor::SelLength() const
{
    if (!HasSelection())
        return 0;
    if (FBoxSelection) {
        qint64 length = 0;
        for (int row = FSel.StartRow; row <= FSel.EndRow; ++row)
            length += std::max(0, BoxEndByte(row) - BoxStartByte(row)) + 2;
        return length;
    }
    if (FSel.StartRow == FSel.EndRow)
        return FSel.EndByte - FSel.StartByte + 1;
    return RowOffset(FSel.EndRow) + FSel.EndByte + 1 - (RowOffset(FSel.StartRow) + FSel.StartByte);
}

void TEditor::SetSelLength(qint64 length)
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

void TEditor::SelectAll()
{
    HideCaret();
    SetSelStart(0);
    SetSelLength(TextLength());
    ShowCaret();
}

void TEditor::SetBoxSelection(bool value)
{
    if (value == FBoxSelection || FDragState != 0)
        return;
    FBoxSelection = value;
    if (HasSelection()) {
        if (value)
            viewport()->unsetCursor();
        RecomputeSelection(true);
        viewport()->update();
    }
    if (OnSelectionModeChange)
        OnSelectionModeChange(this);
}

// ---- word motion ---------------------------------------------------------------------------

// Columns where the active fountain's tokens start in a row whose tabs are spaces, so that
// token offsets are columns.
std::vector<int> TEditor::TokenStarts(int row) const
{
    const std::string attributes = ColumnAttributes(row);
    const std::string_view text = RowText(row);
    std::string expanded;
    expanded.reserve(attributes.size());
    for (size_t i = 0, col = 0; i < text.size() && col < attributes.size(); ++i) {
        if (text[i] != '\t') {
            expanded += text[i];
            ++col;
            continue;
        }
        do
            expanded += ' ';
        while (++col < attributes.size() && attributes[col] == '3');
    }
    std::vector<int> starts;
    TFountain* fountain = ActiveFountain();
    if (fountain == nullptr)
        return starts;
    const std::unique_ptr<TFountainParser> parser = fountain->CreateParser();
    const RowTokenState stored = row < RowCount() ? FRows->RowState(row) : RowTokenState::FirstRow();
    parser->BeginRow(expanded, stored.BracketIndex == -2 ? RowTokenState::FirstRow() : stored);
    while (parser->ReadToken() != 0)
        starts.push_back(parser->TokenOffset());
    return starts;
}

void TEditor::WordMove(int row, int col, int direction)
{
    const int count = RowCount();
    if (row < 0 || row > MaxTopRow() || (row == count && count == 0))
        return;
    if (direction > 0) {
        if (col >= RowWidth(row) && row + 1 <= MaxTopRow()) {
            ++row;
            col = -1;
        }
        for (int start : TokenStarts(row))
            if (start > col) {
                SetRowCol(row, start);
                return;
            }
        if (RowAttribute(row) == raWrapped)
            SetRowCol(row + 1, 0);
        else
            SetRowCol(row, RowWidth(row));
        return;
    }
    if (col == 0 && row > 0) {
        --row;
        col = RowWidth(row);
        if (RowAttribute(row) == raBreak) {
            SetRowCol(row, col);
            return;
        }
    }
    const std::vector<int> starts = TokenStarts(row);
    const auto before
        = std::find_if(starts.rbegin(), starts.rend(), [col](int start) { return start < col; });
    if (before != starts.rend())
        SetRowCol(row, *before);
    else if (row > 0)
        SetRowCol(row - 1, RowWidth(row - 1));
    else
        SetRowCol(0, 0);
}

std::string TEditor::CheckInvariant() const
{
    const int count = RowCount();
    if (FRow < 0 || FRow > count)
        return "caret row outside the rows";
    if (count > 0 && FRow == count && RowAttribute(count - 1) == raEndOfText)
        return "caret row after a raEndOfText row";
    if (FCol < 0 || FCol > MaxCol + 1)
        return "caret column out of range";
    if (ColumnCode(ColumnAttributes(FRow), FCol) == '5')
        return "caret on a trail byte";
    if (HasSelection() && FSel.StartRow > FSel.EndRow)
        return "selection rows reversed";
    return {};
}

} // namespace brenvik
