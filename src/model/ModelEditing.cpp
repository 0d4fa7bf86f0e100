// TEditorModel's editing operations: each builds the new text of a run of rows, hands it to
// ReplaceRows (one undo step) and places the caret by a byte count from the first row of the
// logical line, which the re-split never moves. A read-only model refuses them all.
#include "model/EditorModel.h"

#include "support/LineBreaks.h"
#include "text/EditorScreenStrings.h"

#include <algorithm>

namespace brenvik {

namespace {

constexpr std::string_view kCrLf = "\r\n";

// Bytes that text takes once in the rows: every line break (CR, LF or CR LF) becomes CR LF.
qint64 BytesInRows(std::string_view text)
{
    qint64 bytes = 0;
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n')
            ++i;
        bytes += text[i] == '\r' || text[i] == '\n' ? LineBreakBytes : 1;
    }
    return bytes;
}

std::string Padded(std::string_view text, int size)
{
    std::string padded(text);
    if (int(padded.size()) < size)
        padded.append(size_t(size) - padded.size(), ' ');
    return padded;
}

// Bytes of a row that fill its columns [0, col); a tab or double-byte character cut at col
// gives spaces for its columns left of col.
std::string ColumnsBefore(std::string_view text, const std::string& attributes, int col)
{
    std::string head;
    int c = 0;
    for (size_t i = 0; i < text.size() && c < col; ++i) {
        int span = 1;
        while (c + span < int(attributes.size())
            && (attributes[size_t(c + span)] == '3' || attributes[size_t(c + span)] == '5'))
            ++span;
        if (c + span <= col) {
            head += text[i];
            if (span > 1 && attributes[size_t(c + 1)] == '5' && i + 1 < text.size())
                head += text[++i];
        } else {
            head.append(size_t(col - c), ' ');
        }
        c += span;
    }
    return head;
}

// Bytes of a row from column col on; a tab whose space holds col gives spaces for its
// columns from col.
std::string ColumnsFrom(std::string_view text, const std::string& attributes, int col)
{
    int c = 0;
    for (size_t i = 0; i < text.size(); ++i) {
        int span = 1;
        while (c + span < int(attributes.size())
            && (attributes[size_t(c + span)] == '3' || attributes[size_t(c + span)] == '5'))
            ++span;
        const size_t bytes = span > 1 && attributes[size_t(c + 1)] == '5' ? 2 : 1;
        if (c >= col)
            return std::string(text.substr(i));
        if (c + span > col)
            return std::string(size_t(c + span - col), ' ')
                + std::string(text.substr(std::min(i + bytes, text.size())));
        c += span;
        i += bytes - 1;
    }
    return {};
}

} // namespace

std::string TEditorModel::WithBreak(std::string text, int row) const
{
    if (RowAttribute(row) == raBreak)
        text += kCrLf;
    return text;
}

void TEditorModel::Replace(int row, int count, std::string_view text, int anchorRow, qint64 caretOffset)
{
    FOwner->HideCaret();
    FRows->ReplaceRows(row, count, text);
    InvalidateOffsetsFrom(anchorRow);
    PlaceCaretAfter(anchorRow, caretOffset);
    FOwner->ShowCaret();
}

std::vector<TEditorModel::TCutRow> TEditorModel::RowsWithoutSelection() const
{
    std::vector<TCutRow> rows;
    if (FBoxSelection) {
        for (int row = FSel.StartRow; row <= std::min(FSel.EndRow, RowCount() - 1); ++row) {
            const std::string_view text = RowText(row);
            const int start = BoxStartByte(row);
            const int end = std::max(start, BoxEndByte(row));
            rows.push_back(
                {std::string(text.substr(0, size_t(start))) + std::string(text.substr(size_t(end))),
                    RowAttribute(row), start});
        }
        return rows;
    }
    const std::string_view first = RowText(FSel.StartRow);
    const int start = std::min(FSel.StartByte, int(first.size()));
    std::string text(first.substr(0, size_t(start)));
    const std::string_view last = RowText(FSel.EndRow);
    text += last.substr(std::min(size_t(FSel.EndByte + 1), last.size()));
    rows.push_back({std::move(text), RowAttribute(FSel.EndRow), start});
    return rows;
}

std::string TEditorModel::JoinRows(const std::vector<TCutRow>& rows)
{
    std::string text;
    for (const TCutRow& row : rows) {
        text += row.Text;
        if (row.Attribute == raBreak)
            text += kCrLf;
    }
    return text;
}

// Replaces the selection by text (which may hold line breaks); the caret ends after it.
void TEditorModel::ReplaceSelection(std::string_view text)
{
    std::vector<TCutRow> rows = RowsWithoutSelection();
    const int first = FSel.StartRow;
    const int last = std::min(FSel.EndRow, RowCount() - 1);
    const int anchor = LineStart(first);
    const int cut = rows.empty() ? 0 : rows.front().CutPos;
    if (!rows.empty())
        rows.front().Text.insert(size_t(cut), text);
    const qint64 target = BytesBetween(anchor, first) + cut + BytesInRows(text);
    CancelSelection();
    if (rows.empty()) {
        // A selection that holds only the place after the last row.
        Replace(RowCount(), 0, text, anchor, target);
        return;
    }
    Replace(first, last - first + 1, JoinRows(rows), anchor, target);
}

void TEditorModel::TypeText(std::string_view text)
{
    if (FReadOnly || text.empty())
        return;
    if (HasSelection()) {
        ReplaceSelection(text);
        return;
    }
    const int row = FRow;
    const int anchor = LineStart(row);
    const std::string attributes = ColumnAttributes(row);
    const std::string_view rowText = RowText(row);
    const int k = ByteOfColumn(attributes, FCol);
    const qint64 target = BytesBetween(anchor, row) + k + BytesInRows(text);
    const bool joins = FGroupTyping && TypingContinues(anchor, target - qint64(BytesInRows(text)), text);
    CancelSelection();
    if (row >= RowCount()) {
        Replace(row, 0, Padded({}, k) + std::string(text), anchor, target);
        EndTyping(joins, anchor, target, text);
        return;
    }
    int lastRow = row;
    std::string newText;
    if (k >= int(rowText.size())) {
        newText = Padded(rowText, k) + std::string(text);
    } else if (FOverwrite) {
        // The typed bytes cover as many columns as they have bytes, across wrapped rows.
        int col = FCol + int(text.size());
        while (RowAttribute(lastRow) == raWrapped && lastRow + 1 < RowCount() && col >= RowWidth(lastRow)) {
            col -= RowWidth(lastRow);
            ++lastRow;
        }
        const std::string lastAttributes = ColumnAttributes(lastRow);
        newText = std::string(rowText.substr(0, size_t(k))) + std::string(text)
            + ColumnsFrom(RowText(lastRow), lastAttributes, col);
    } else {
        newText = std::string(rowText.substr(0, size_t(k))) + std::string(text)
            + std::string(rowText.substr(size_t(k)));
    }
    Replace(row, lastRow - row + 1, WithBreak(std::move(newText), lastRow), anchor, target);
    EndTyping(joins, anchor, target, text);
}

// Typing groups into one undo step per word: a character typed where the last one left the
// caret, with no other edit between, soon after it, and not starting a new word.
bool TEditorModel::TypingContinues(int line, qint64 offset, std::string_view text) const
{
    return FTyping.Version == FTextVersion && FTyping.Line == line && FTyping.Offset == offset
        && TypingClock::now() - FTyping.At < TypingPause
        && !(TypedWordChar(text) && !FTyping.WordChar) && text.find_first_of("\r\n") == std::string_view::npos;
}

void TEditorModel::EndTyping(bool joins, int line, qint64 offset, std::string_view text)
{
    if (joins)
        FRows->UndoObj().JoinLast();
    if (FGroupTyping)
        FTyping = {FTextVersion, line, offset, TypedWordChar(text), TypingClock::now()};
}

void TEditorModel::TypeKeys(std::string_view text)
{
    FGroupTyping = true;
    struct TReset {
        bool& Flag;
        ~TReset() { Flag = false; }
    } reset {FGroupTyping};
    TypeText(text);
}

bool TEditorModel::TypedWordChar(std::string_view text)
{
    const auto c = static_cast<unsigned char>(text.empty() ? ' ' : text[0]);
    return c == '_' || c >= 0x80 || (c >= '0' && c <= '9') || ((c | 0x20) >= 'a' && (c | 0x20) <= 'z');
}

void TEditorModel::SetSelText(std::string_view text)
{
    if (FReadOnly)
        return;
    if (HasSelection()) {
        ReplaceSelection(text);
        return;
    }
    if (text.empty())
        return;
    const int row = FRow;
    const int anchor = LineStart(row);
    const std::string_view rowText = RowText(row);
    const int k = ByteOfColumn(ColumnAttributes(row), FCol);
    const qint64 target = BytesBetween(anchor, row) + k + BytesInRows(text);
    const int head = std::min(k, int(rowText.size()));
    std::string newText = Padded(rowText.substr(0, size_t(head)), k) + std::string(text)
        + std::string(rowText.substr(size_t(head)));
    if (row >= RowCount()) {
        Replace(row, 0, newText, anchor, target);
        return;
    }
    Replace(row, 1, WithBreak(std::move(newText), row), anchor, target);
}

void TEditorModel::DeleteSelection()
{
    if (FReadOnly || !HasSelection())
        return;
    ReplaceSelection({});
}

void TEditorModel::PasteBox(std::string_view text)
{
    if (FReadOnly)
        return;
    if (text.empty()) {
        DeleteSelection();
        return;
    }
    std::vector<std::string> lines;
    ForEachLine(text, [&](std::string_view line) { lines.emplace_back(line); });
    const bool selected = HasSelection();
    const int count = RowCount();
    const int firstRow = selected ? FSel.StartRow : FRow;
    const int col0 = (selected ? FSelCols.StartCol : FCol) + 1;
    std::vector<TCutRow> rows = selected ? RowsWithoutSelection() : std::vector<TCutRow> {};
    // The last text row the work list holds; rows after it are drawn in as lines need them.
    int lastRow = selected ? std::min(FSel.EndRow, count - 1) : std::min(FRow, count) - 1;
    int insertAt = 0;
    for (size_t i = 0; i < lines.size(); ++i) {
        if (i >= rows.size()) {
            if (lastRow + 1 < count) {
                ++lastRow;
                rows.push_back({std::string(RowText(lastRow)), RowAttribute(lastRow),
                    SelectionStartByte(ColumnAttributes(lastRow), col0) - 1});
            } else {
                rows.push_back({std::string(), raBreak, col0 - 1});
            }
        }
        TCutRow& row = rows[i];
        row.Text = Padded(row.Text, row.CutPos);
        row.Text.insert(size_t(row.CutPos), lines[i]);
        insertAt = row.CutPos + int(lines[i].size());
    }
    for (TCutRow& row : rows)
        if (row.Attribute == raEndOfText)
            row.Attribute = raBreak;
    const int caretRow = firstRow + int(lines.size()) - 1;
    CancelSelection();
    FOwner->HideCaret();
    if (firstRow >= count)
        FRows->ReplaceRows(count, 0, JoinRows(rows));
    else
        FRows->ReplaceRows(firstRow, lastRow - firstRow + 1, JoinRows(rows));
    InvalidateOffsetsFrom(LineStart(firstRow));
    SetRowCol(caretRow, TextWidth(RowText(caretRow).substr(0, size_t(insertAt))));
    FOwner->ShowCaret();
}

int TEditorModel::UnindentTarget() const
{
    const int lineStart = LineStart(FRow);
    for (int row = FRow - 1; row >= 0; --row) {
        const int indent = std::max(0, IndentWidth(RowText(row)));
        if (row >= lineStart) {
            if (indent > 0 && indent < FCol)
                return indent;
        } else if ((row == 0 || RowAttribute(row - 1) != raWrapped) && indent < FCol) {
            return indent;
        }
    }
    return 0;
}

void TEditorModel::Unindent()
{
    const int target = UnindentTarget();
    const int row = FRow;
    const std::string attributes = ColumnAttributes(row);
    if (row >= RowCount() || target >= int(attributes.size())) {
        SetCol(target);
        return;
    }
    const std::string_view text = RowText(row);
    const std::string head = ColumnsBefore(text, attributes, target);
    const int anchor = LineStart(row);
    Replace(row, 1, WithBreak(head + ColumnsFrom(text, attributes, FCol), row), anchor,
        BytesBetween(anchor, row) + qint64(head.size()));
}

void TEditorModel::Backspace()
{
    if (FReadOnly)
        return;
    if (HasSelection()) {
        DeleteSelection();
        return;
    }
    if (RowCount() == 0) {
        SetCol(FCol - 1);
        return;
    }
    const int row = FRow;
    const std::string_view text = RowText(row);
    const std::string attributes = ColumnAttributes(row);
    if (FCol > 0) {
        const int indent = IndentWidth(text);
        const bool blank = text.find_first_not_of(" \t") == std::string_view::npos;
        if (FOwner->CaretRules().BackSpaceUnIndent && (blank || indent == FCol)) {
            Unindent();
            return;
        }
        const int k = ByteOfColumn(attributes, FCol);
        if (k > int(text.size())) {
            SetCol(FCol - 1);
            return;
        }
        // Inside a tab's space the character before the caret is the tab itself.
        const bool inTab = ColumnCode(attributes, FCol) == '3';
        const int start = inTab ? k : k - (ColumnCode(attributes, FCol - 1) == '5' ? 2 : 1);
        const int end = inTab ? k + 1 : k;
        const int anchor = LineStart(row);
        std::string newText
            = std::string(text.substr(0, size_t(start))) + std::string(text.substr(size_t(end)));
        Replace(row, 1, WithBreak(std::move(newText), row), anchor, BytesBetween(anchor, row) + start);
        return;
    }
    if (row == 0)
        return;
    const int previous = row - 1;
    const std::string_view previousText = RowText(previous);
    const int anchor = LineStart(previous);
    if (RowAttribute(previous) == raWrapped) {
        const std::string previousAttributes = ColumnAttributes(previous);
        const size_t cut = ColumnCode(previousAttributes, int(previousAttributes.size()) - 1) == '5' ? 2 : 1;
        const size_t keep = previousText.size() - std::min(cut, previousText.size());
        Replace(previous, 1, std::string(previousText.substr(0, keep)), anchor,
            BytesBetween(anchor, previous) + qint64(keep));
        return;
    }
    const qint64 target = BytesBetween(anchor, previous) + qint64(previousText.size());
    if (row >= RowCount())
        Replace(previous, 1, std::string(previousText), anchor, target);
    else
        Replace(previous, 2, WithBreak(std::string(previousText) + std::string(text), row), anchor, target);
}

void TEditorModel::DeleteChar()
{
    if (FReadOnly)
        return;
    if (HasSelection()) {
        DeleteSelection();
        return;
    }
    const int row = FRow;
    if (row >= RowCount())
        return;
    const std::string_view text = RowText(row);
    const std::string attributes = ColumnAttributes(row);
    const int k = ByteOfColumn(attributes, FCol);
    const int anchor = LineStart(row);
    const qint64 target = BytesBetween(anchor, row) + k;
    if (k < int(text.size())) {
        const bool lead = ColumnCode(attributes, FCol) == '4';
        const size_t bytes = std::min<size_t>(lead ? 2 : 1, text.size() - size_t(k));
        std::string newText
            = std::string(text.substr(0, size_t(k))) + std::string(text.substr(size_t(k) + bytes));
        Replace(row, 1, WithBreak(std::move(newText), row), anchor, target);
        return;
    }
    if (RowAttribute(row) == raEndOfText)
        return;
    const std::string padded = Padded(text, k);
    if (row + 1 >= RowCount())
        Replace(row, 1, padded, anchor, target);
    else
        Replace(row, 2, WithBreak(padded + std::string(RowText(row + 1)), row + 1), anchor, target);
}

int TEditorModel::EnterIndent() const
{
    if (!FOwner->CaretRules().AutoIndent)
        return 0;
    const int first = LineStart(FRow);
    const int indent = IndentWidth(RowText(first));
    if (indent >= 1)
        return first == FRow && FCol < indent ? FCol : indent;
    if (!FOwner->CaretRules().PrevSpaceIndent || first != FRow || !RowText(FRow).empty())
        return 0;
    for (int row = first - 1; row >= 0; --row)
        if ((row == 0 || RowAttribute(row - 1) != raWrapped) && !RowText(row).empty())
            return std::max(0, IndentWidth(RowText(row)));
    return 0;
}

std::string TEditorModel::IndentText(int width) const
{
    if (!FOwner->CaretRules().TabIndent)
        return std::string(size_t(width), ' ');
    const int tab = TabSpaceCount();
    return std::string(size_t(width / tab), '\t') + std::string(size_t(width % tab), ' ');
}

void TEditorModel::Enter(bool shift)
{
    if (FReadOnly)
        return;
    if (HasSelection()) {
        if (shift)
            return;
        DeleteSelection();
    }
    const int row = FRow;
    const int count = RowCount();
    if (row >= count) {
        const int anchor = LineStart(row);
        Replace(count, 0, kCrLf, anchor, BytesBetween(anchor, row) + LineBreakBytes);
        return;
    }
    if (FOverwrite) {
        SetRowCol(row + 1, 0);
        return;
    }
    const std::string indent = IndentText(EnterIndent());
    if (shift) {
        const int first = LineStart(row);
        Replace(first, 0, indent + std::string(kCrLf), first, qint64(indent.size()));
        return;
    }
    const std::string_view text = RowText(row);
    const size_t k = std::min(size_t(ByteOfColumn(ColumnAttributes(row), FCol)), text.size());
    const int anchor = LineStart(row);
    std::string newText
        = std::string(text.substr(0, k)) + std::string(kCrLf) + indent + std::string(text.substr(k));
    Replace(row, 1, WithBreak(std::move(newText), row), anchor,
        BytesBetween(anchor, row) + qint64(k) + LineBreakBytes + qint64(indent.size()));
}

void TEditorModel::Tab()
{
    if (FReadOnly || !FWantTabs)
        return;
    const int n = TabColumns(FCol, ColumnLayout());
    if (FOverwrite)
        SetCol(FCol + n);
    else if (FOwner->CaretRules().SoftTab)
        TypeText(std::string(size_t(n), ' '));
    else
        TypeText("\t");
}

void TEditorModel::DropSelection(TEditorPos drop, bool copy)
{
    if (FReadOnly || !HasSelection())
        return;
    if (copy) {
        const std::string text = SelText();
        const qint64 start = SelStart();
        const qint64 end = start + SelLength();
        const qint64 at = drop.Row >= RowCount() ? TextLength() : RowOffset(drop.Row) + CaretByte();
        CancelSelection();
        if (at >= start && at <= end)
            return;
        SetSelText(text);
        return;
    }
    MoveSelectionTo(drop);
}

// Moves the selected text to the drop point in one ReplaceRows, computed on the text as it
// was: T[:p] + sel + T[p:s] + T[e:] for a drop before it, T[:s] + T[e:p] + sel + T[p:] after.
void TEditorModel::MoveSelectionTo(TEditorPos drop)
{
    const int count = RowCount();
    const int first = std::min(FSel.StartRow, drop.Row);
    const int last = std::min(std::max(FSel.EndRow, drop.Row), count - 1);
    std::string text;
    for (int row = first; row <= last; ++row) {
        text += RowText(row);
        if (RowAttribute(row) == raBreak)
            text += "\r\n";
    }
    qint64 s = BytesBetween(first, FSel.StartRow) + FSel.StartByte;
    qint64 e = s + SelLength();
    qint64 p = qint64(text.size());
    if (drop.Row < count) {
        const int rowStart = int(BytesBetween(first, drop.Row));
        const int length = int(RowText(drop.Row).size());
        const int k = ByteOfColumn(ColumnAttributes(drop.Row), drop.Col);
        if (k > length) {
            // Spaces for a drop beyond the row's end belong to the text before the drop.
            text.insert(size_t(rowStart + length), size_t(k - length), ' ');
            if (rowStart + length <= s)
                s += k - length;
            if (rowStart + length <= e)
                e += k - length;
        }
        p = rowStart + k;
    }
    if (p >= s && p <= e) {
        CancelSelection();
        return;
    }
    const std::string moved = text.substr(size_t(s), size_t(e - s));
    std::string result;
    qint64 target;
    if (p < s) {
        result = text.substr(0, size_t(p)) + moved + text.substr(size_t(p), size_t(s - p))
            + text.substr(size_t(e));
        target = p + qint64(moved.size());
    } else {
        result = text.substr(0, size_t(s)) + text.substr(size_t(e), size_t(p - e)) + moved
            + text.substr(size_t(p));
        target = p;
    }
    CancelSelection();
    const int anchor = LineStart(first);
    Replace(first, last - first + 1, result, anchor, BytesBetween(anchor, first) + target);
}

} // namespace brenvik
