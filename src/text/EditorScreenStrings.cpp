// Row list: attached editors, update batches, row moves and the ReplaceRows primitive.
#include "text/EditorScreenStrings.h"

#include "support/NotifyPersistent.h"
#include "support/LineBreaks.h"
#include "text/LineWrapper.h"

#include <algorithm>
#include <cassert>

namespace brenvik {

TEditorScreenStrings::TEditorScreenStrings()
    : FUndo(*this)
    , FWrapOption(std::make_unique<TEditorWrapOption>())
{
    // A new wrap width or rule rebuilds the rows, but only while word wrap is on.
    FWrapOption->OnChange = [this](QObject*) {
        if (FWordWrap && !OwnerLoading())
            Rewrap();
    };
}

TEditorScreenStrings::~TEditorScreenStrings() = default;

void TEditorScreenStrings::AddEditor(TAttachedEditor* editor)
{
    assert(editor && std::find(FEditors.begin(), FEditors.end(), editor) == FEditors.end());
    FEditors.push_back(editor);
}

void TEditorScreenStrings::RemoveEditor(TAttachedEditor* editor)
{
    std::erase(FEditors, editor);
}

TAttachedEditor* TEditorScreenStrings::ActiveEditor() const
{
    for (TAttachedEditor* editor : FEditors)
        if (editor->HasFocus())
            return editor;
    return OwnerEditor();
}

void TEditorScreenStrings::UpdateEditors()
{
    ForEachEditor([](TAttachedEditor& editor) { editor.Refresh(); });
}

void TEditorScreenStrings::ClampCarets()
{
    bool endOfText = Count() > 0 && RowAttribute(Count() - 1) == raEndOfText;
    int limit = std::max(0, endOfText ? Count() - 1 : Count());
    ForEachEditor([&](TAttachedEditor& editor) {
        if (editor.CaretRow() > Count() - 1 && editor.CaretRow() != limit)
            editor.SetCaretRow(limit);
        if (editor.TopRow() > Count() - 1 && editor.TopRow() != limit)
            editor.SetTopRow(limit);
    });
}

void TEditorScreenStrings::CancelSelections()
{
    ForEachEditor([](TAttachedEditor& editor) {
        if (editor.HasSelection())
            editor.CancelSelection();
    });
}

bool TEditorScreenStrings::OwnerLoading() const
{
    return OwnerEditor() && OwnerEditor()->IsLoading();
}

void TEditorScreenStrings::BeginUpdate()
{
    ++FUpdateCount;
}

void TEditorScreenStrings::EndUpdate()
{
    assert(FUpdateCount > 0);
    if (--FUpdateCount > 0)
        return;
    if (FChangeEventBound)
        NotifyEditors();
    FPendingChange = {};
    ClampCarets();
}

void TEditorScreenStrings::NotifyEditors()
{
    ForEachEditor([](TAttachedEditor& editor) { editor.LinesChanged(); });
}

int TEditorScreenStrings::LineStartRow(int row) const
{
    while (row > 0 && row <= Count() && RowAttribute(row - 1) == raWrapped)
        --row;
    return row;
}

int TEditorScreenStrings::LineEndRow(int row) const
{
    if (row < 0)
        return row;
    while (row < Count() - 1 && RowAttribute(row) == raWrapped)
        ++row;
    return row;
}

TRowsText TEditorScreenStrings::RowsText(int row, int count) const
{
    if (row < 0 || row >= Count() || count == 0)
        return {};
    if (count < 0)
        count = LineEndRow(row) - row + 1;
    count = std::min(count, Count() - row);
    TRowsText result;
    std::size_t size = 0;
    ForEachRow(row, count, [&](std::string_view text, std::uint32_t slot1) {
        size += text.size() + ((slot1 & 0xF) == raBreak ? 2 : 0);
    });
    result.Text.reserve(size);
    ForEachRow(row, count, [&](std::string_view text, std::uint32_t slot1) {
        result.Text += text;
        result.Attribute = static_cast<TRowAttribute>(slot1 & 0xF);
        if (result.Attribute == raBreak)
            result.Text += "\r\n";
    });
    result.Rows = count;
    return result;
}

void TEditorScreenStrings::DeleteRows(int row, int count)
{
    if (row < 0 || row >= Count() || count <= 0)
        return;
    TUpdateBatch batch(*this);
    DeleteRange(row, std::min(count, Count() - row));
}

void TEditorScreenStrings::InsertRows(int row, const TEditorStringList& rows)
{
    assert(row >= 0 && row <= Count());
    InsertFrom(row, rows);
}

void TEditorScreenStrings::SetRows(int row, int count, const TEditorStringList& rows)
{
    assert(row >= 0 && count >= 0 && row + count <= Count());
    TUpdateBatch batch(*this);
    DeleteRange(row, count);
    InsertFrom(row, rows);
}

void TEditorScreenStrings::ReplaceRows(int row, int count, std::string_view text)
{
    const int rowCount = Count();
    if (row < 0 || count < 0 || row + count > rowCount || (count == 0 && text.empty()))
        return;
    // Nothing can go after a last row without a line break.
    if (count == 0 && row == rowCount && rowCount > 0 && RowAttribute(rowCount - 1) == raEndOfText)
        return;
    TUpdateBatch batch(*this);
    // Whole logical lines are re-split, so the rows always equal a full rewrap of the text.
    const int first = LineStartRow(row);
    int last = LineEndRow(row + count - 1);

    if (first == row && last == row + count - 1 && text.empty() && count > 0) {
        TUndoData& record = FUndo.NewUndoRecord();
        record.Row = row;
        TRowsText taken = RowsText(row, count);
        record.Text = std::move(taken.Text);
        record.Attribute = taken.Attribute;
        DeleteRows(row, count);
        int rescanned = Rescan(row, true);
        FPendingChange = {row, taken.Rows, 0, rescanned, true};
        return;
    }

    const int lastReplaced = row + count - 1;
    TRowAttribute attribute;
    if (lastReplaced >= 0 && RowAttribute(lastReplaced) == raWrapped) {
        attribute = RowAttribute(last);
    } else if (last + 1 < rowCount) {
        // The replaced text took the break before the next line: that line is re-split too.
        last = LineEndRow(last + 1);
        attribute = RowAttribute(last);
    } else {
        attribute = EndsWithLineBreak(text) ? raBreak : raEndOfText;
    }

    TUndoData& record = FUndo.NewUndoRecord();
    record.Row = first;
    TRowsText taken = RowsText(first, last - first + 1);
    std::string newText = RowsText(first, row - first).Text;
    newText += text;
    newText += RowsText(row + count, last - (row + count) + 1).Text;
    if (EndsWithLineBreak(newText))
        attribute = raBreak;

    TEditorStringList rows;
    SplitText(newText, rows);
    rows.SetRowAttribute(rows.Count() - 1, attribute);
    record.Text = std::move(taken.Text);
    record.Attribute = taken.Attribute;
    record.RowCount = rows.Count();
    SetRows(first, taken.Rows, rows);
    int rescanned = Rescan(first, true);
    FPendingChange = {first, taken.Rows, rows.Count(), rescanned, true};
}

void TEditorScreenStrings::SplitText(std::string_view text, TEditorStringList& target) const
{
    target.Clear();
    AppendLines(text, target);
    if (target.Count() == 0)
        target.Add({});
}

void TEditorScreenStrings::AppendLines(std::string_view text, TEditorStringList& target) const
{
    ForEachLine(text, [&](std::string_view line) { AppendLine(line, target); });
}

void TEditorScreenStrings::AppendLine(std::string_view line, TEditorStringList& target) const
{
    // Without tabs a line is as wide as it is long: a short one needs no attribute string.
    if (!FWordWrap
        || (static_cast<int>(line.size()) < FWrapOption->WrapByte()
            && line.find('\t') == std::string_view::npos)) {
        target.Add(line);
        return;
    }
    TLineWrapper(*FWrapOption, TabWidth())
        .Wrap(line, [&target](std::string_view row, TRowAttribute attribute) {
            target.Add(row);
            if (attribute != raBreak)
                target.SetRowAttribute(target.Count() - 1, attribute);
        });
}

int TEditorScreenStrings::CountRows(std::string_view line) const
{
    return FWordWrap ? TLineWrapper(*FWrapOption, TabWidth()).CountRows(line) : 1;
}

int TEditorScreenStrings::TabWidth() const
{
    return OwnerEditor() ? OwnerEditor()->TabSpaceCount() : 8;
}

int TEditorScreenStrings::Rescan(int row, bool notify)
{
    TAttachedEditor* owner = OwnerEditor();
    if (!owner || Count() == 0)
        return 0;
    std::unique_ptr<TRowStateScanner> scanner = owner->CreateRowStateScanner();
    if (!scanner)
        return 0;
    const int first = std::clamp(row, 0, Count() - 1);
    int begin = 0;
    RowTokenState state = RowTokenState::FirstRow();
    for (int r = first - 1; r >= 0; --r) {
        if (ScanState(r) != -2) {
            state = scanner->ScanRowState(r, *this, RowState(r));
            begin = r + 1;
            break;
        }
    }
    const int horizon
        = std::min(Count() - 1, first + 2 * (owner->ScreenHeight() / std::max(owner->RowHeight(), 1)));
    int changed = 0;
    for (int r = begin; r <= horizon; ++r) {
        if (RowState(r) == state)
            return changed;
        SetRowState(r, state);
        if (notify) {
            ++changed;
            ForEachEditor([r](TAttachedEditor& editor) { editor.InvalidateRow(r); });
        }
        state = scanner->ScanRowState(r, *this, state);
    }
    MarkNotComputedFrom(horizon + 1);
    return changed;
}

void TEditorScreenStrings::MarkNotComputedFrom(int row)
{
    MaskSlotFrom(row, 1, 0xF);
    MaskSlotFrom(row, 2, 0);
}

void TEditorScreenStrings::RescanAll()
{
    TAttachedEditor* owner = OwnerEditor();
    if (owner && (owner->IsLoading() || owner->IsDestroying()))
        return;
    MarkNotComputedFrom(0);
    std::unique_ptr<TRowStateScanner> scanner = owner ? owner->CreateRowStateScanner() : nullptr;
    if (!scanner || Count() == 0)
        return;
    const int last = std::min(
        Count() - 1, 2 * (owner->ScreenHeight() / std::max(owner->RowHeight(), 1)) + owner->TopRow());
    RowTokenState state = RowTokenState::FirstRow();
    for (int r = 0; r <= last; ++r) {
        SetRowState(r, state);
        state = scanner->ScanRowState(r, *this, state);
    }
}

void TEditorScreenStrings::RewrapAll()
{
    if (OwnerLoading() || Count() == 0)
        return;
    CancelSelections();
    TRowAttribute lastAttribute = RowAttribute(Count() - 1);
    TEditorStringList rebuilt;
    std::string line;
    const int lastRow = Count() - 1;
    int row = 0;
    ForEachRow(0, Count(), [&](std::string_view text, std::uint32_t slot1) {
        bool lineEnds = (slot1 & 0xF) != raWrapped || row == lastRow;
        ++row;
        if (!lineEnds) {
            line += text;
        } else if (line.empty()) {
            AppendLine(text, rebuilt);
        } else {
            line += text;
            AppendLine(line, rebuilt);
            line.clear();
        }
    });
    rebuilt.SetRowAttribute(rebuilt.Count() - 1, lastAttribute == raWrapped ? raEndOfText : lastAttribute);
    ReplaceAllRows(rebuilt);
}

void TEditorScreenStrings::UnwrapAll()
{
    if (Count() == 0)
        return;
    CancelSelections();
    TRowAttribute lastAttribute = RowAttribute(Count() - 1);
    TEditorStringList rebuilt;
    std::string line;
    ForEachRow(0, Count(), [&, row = 0](std::string_view text, std::uint32_t slot1) mutable {
        line += text;
        bool lastRow = ++row == Count();
        if ((slot1 & 0xF) == raWrapped && !lastRow)
            return;
        rebuilt.Add(line);
        line.clear();
    });
    rebuilt.SetRowAttribute(rebuilt.Count() - 1, lastAttribute == raWrapped ? raEndOfText : lastAttribute);
    ReplaceAllRows(rebuilt);
}

void TEditorScreenStrings::ReplaceAllRows(TEditorStringList& rows)
{
    // The editors hear nothing of the rebuild: the caller updates them as a whole.
    bool bound = FChangeEventBound;
    FChangeEventBound = false;
    {
        TUpdateBatch batch(*this);
        Swap(rows);
    }
    FChangeEventBound = bound;
}

void TEditorScreenStrings::Clear()
{
    CancelSelections();
    FUndo.ClearAll();
    {
        TUpdateBatch batch(*this);
        FPendingChange = {0, Count(), 0, 0, true};
        TPointerStringList::Clear();
    }
    FPendingChange = {};
    ForEachEditor([](TAttachedEditor& editor) {
        editor.SetCaretRow(0);
        editor.SetCaretCol(0);
    });
}

std::size_t TEditorScreenStrings::TextSize() const
{
    std::size_t size = TextLength();
    ForEachRow(0, Count(), [&](std::string_view, std::uint32_t slot1) {
        if ((slot1 & 0xF) == raBreak)
            size += 2;
    });
    return size;
}

std::string TEditorScreenStrings::Text() const
{
    std::string text;
    text.reserve(TextSize());
    ForEachRow(0, Count(), [&](std::string_view row, std::uint32_t slot1) {
        text += row;
        if ((slot1 & 0xF) == raBreak)
            text += "\r\n";
    });
    return text;
}

void TEditorScreenStrings::SetWordWrap(bool value)
{
    if (FWordWrap == value)
        return;
    FWordWrap = value;
    if (OwnerLoading())
        return;
    Rewrap();
}

void TEditorScreenStrings::Rewrap()
{
    FUndo.ClearAll();
    if (FWordWrap)
        RewrapAll();
    else
        UnwrapAll();
    RescanAll();
    UpdateEditors();
    ClampCarets();
    ForEachEditor([](TAttachedEditor& editor) { editor.SetCaretCol(0); });
}

std::string TEditorScreenStrings::CheckRows() const
{
    std::string broken = CheckInvariant();
    if (!broken.empty())
        return broken;
    std::string result;
    ForEachRow(0, Count(), [&, row = 0](std::string_view text, std::uint32_t slot1) mutable {
        auto attribute = static_cast<TRowAttribute>(slot1 & 0xF);
        if (result.empty() && text.find_first_of("\r\n") != std::string_view::npos)
            result = "row " + std::to_string(row) + " holds a line break";
        if (result.empty() && attribute == raEndOfText && row != Count() - 1)
            result = "row " + std::to_string(row) + " ends the text but is not the last row";
        if (result.empty() && attribute == raWrapped && !FWordWrap)
            result = "row " + std::to_string(row) + " is wrapped with word wrap off";
        if (result.empty() && attribute == raNone)
            result = "row " + std::to_string(row) + " has no attribute";
        ++row;
    });
    return result;
}

} // namespace brenvik
