// Row list: attached editors, update batches, row moves and the ReplaceRows primitive.
#include "text/EditorScreenStrings.h"

#include "support/LineBreaks.h"
#include "support/NotifyPersistent.h"
#include "text/CaretPlace.h"
#include "text/LineWrapper.h"

#include <algorithm>
#include <cassert>

namespace brenvik {

namespace {
constexpr std::string_view kCrLf = "\r\n";
static_assert(kCrLf.size() == LineBreakBytes);
} // namespace

int LineCountOf(const TEditorStringList& rows)
{
    int lines = 0;
    for (int row = 0; row < rows.Count(); ++row)
        lines += rows.RowAttribute(row) != raWrapped;
    return lines;
}

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
    if (editor == OwnerEditor())
        FScanner.reset();
    std::erase(FEditors, editor);
}

TRowStateScanner* TEditorScreenStrings::OwnerScanner(TAttachedEditor& owner)
{
    if (!FScanner)
        FScanner = owner.CreateRowStateScanner();
    return FScanner.get();
}

TAttachedEditor* TEditorScreenStrings::ActiveEditor() const
{
    for (TAttachedEditor* editor : FEditors)
        if (editor->HasFocus())
            return editor;
    return OwnerEditor();
}

void TEditorScreenStrings::AddLineListener(TLineEditListener* listener)
{
    if (std::find(FLineListeners.begin(), FLineListeners.end(), listener) == FLineListeners.end())
        FLineListeners.push_back(listener);
}

void TEditorScreenStrings::RemoveLineListener(TLineEditListener* listener)
{
    std::erase(FLineListeners, listener);
}

void TEditorScreenStrings::TellLinesReplaced(int first, std::string_view before, std::string_view after)
{
    for (TLineEditListener* listener : FLineListeners)
        listener->LinesReplaced(first, before, after);
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

int TEditorScreenStrings::LineCount() const
{
    return Count() == 0 ? 0 : LineEndsBefore(Count() - 1) + 1;
}

int TEditorScreenStrings::LineOfRow(int row) const
{
    return LineEndsBefore(std::clamp(row, 0, Count()));
}

int TEditorScreenStrings::RowOfLine(int line) const
{
    return line <= 0 ? 0 : std::min(Count(), FindLineEnd(line - 1) + 1);
}

namespace {
// Rows a near lookup walks at most before it asks the tallies.
constexpr int kNearRows = 64;
} // namespace

int TEditorScreenStrings::LineOfRowFrom(TKnownLine known, int row) const
{
    row = std::clamp(row, 0, Count());
    if (row < known.Row || row - known.Row > kNearRows || known.Row > Count())
        return LineOfRow(row);
    int line = known.Line;
    for (int r = known.Row; r < row; ++r)
        line += RowAttribute(r) != raWrapped;
    return line;
}

int TEditorScreenStrings::RowOfLineFrom(TKnownLine known, int line) const
{
    if (line < known.Line || known.Row > Count())
        return RowOfLine(line);
    int row = known.Row;
    for (int left = line - known.Line; left > 0; ++row) {
        if (row >= Count())
            return Count();
        if (row - known.Row >= kNearRows)
            return RowOfLine(line);
        left -= RowAttribute(row) != raWrapped;
    }
    return row;
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
    ForEachRow(row, count, [&](std::string_view text, TRowAttribute attribute) {
        size += text.size() + (attribute == raBreak ? LineBreakBytes : 0);
    });
    result.Text.reserve(size);
    ForEachRow(row, count, [&](std::string_view text, TRowAttribute attribute) {
        result.Text += text;
        result.Attribute = attribute;
        if (attribute == raBreak)
            result.Text += kCrLf;
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
    if (row < 0 || row > Count())
        return;
    InsertFrom(row, rows);
}

void TEditorScreenStrings::SetRows(int row, int count, const TEditorStringList& rows)
{
    if (row < 0 || count < 0 || row > Count() || count > Count() - row)
        return;
    TUpdateBatch batch(*this);
    DeleteRange(row, count);
    InsertFrom(row, rows);
}

void TEditorScreenStrings::SetLineData(std::span<const std::uint32_t> lines)
{
    if (Count() == 0)
        return;
    // A cursor sets the slot of row after row without a lookup each.
    std::size_t line = 0;
    for (TRowCursor cursor = Cursor(0); !cursor.AtEnd() && line < lines.size(); cursor.Advance())
        if (AttributeOf(cursor.Slot(1)) != raWrapped || cursor.Index() + 1 == Count())
            cursor.SetSlot(0, lines[line++]);
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

    // Typing goes on near the last edit: its line is found without a walk through the tallies.
    const TKnownLine known {first, LineOfRowFrom(FUndo.LastKnownLine(), first)};
    if (first == row && last == row + count - 1 && text.empty() && count > 0) {
        TUndoData& record = FUndo.NewUndoRecord(known);
        TRowsText taken = RowsText(row, count);
        record.Text = std::move(taken.Text);
        record.Attribute = taken.Attribute;
        DeleteRows(row, count);
        TellLinesReplaced(known.Line, record.Text, {});
        int rescanned = Rescan(row, true);
        FPendingChange = {row, taken.Rows, 0, rescanned, true};
        return;
    }

    const int lastReplaced = row + count - 1;
    TRowAttribute attribute;
    int followingLine = -1; // the first row of a line re-split only because the break before it went
    if (lastReplaced >= 0 && RowAttribute(lastReplaced) == raWrapped) {
        attribute = RowAttribute(last);
    } else if (last + 1 < rowCount) {
        // The replaced text took the break before the next line: that line is re-split too.
        followingLine = last + 1;
        last = LineEndRow(last + 1);
        attribute = RowAttribute(last);
    } else {
        attribute = EndsWithLineBreak(text) ? raBreak : raEndOfText;
    }

    TUndoData& record = FUndo.NewUndoRecord(known);
    TRowsText taken = RowsText(first, last - first + 1);
    std::string newText = RowsText(first, row - first).Text;
    newText += text;
    newText += RowsText(row + count, last - (row + count) + 1).Text;
    if (EndsWithLineBreak(newText))
        attribute = raBreak;

    TEditorStringList rows;
    // Lines that end the text and come out empty leave no row: the text then ends with the
    // break before them (or is empty), and such a text has no row after its last break.
    if (!newText.empty() || attribute != raEndOfText)
        SplitRows(newText, attribute, rows);
    // A line after the edit that comes out as it was keeps its row data.
    if (followingLine >= 0 && rows.Count() > 0) {
        const std::uint32_t data = RowData(last);
        const std::string following = RowsText(followingLine, last - followingLine + 1).Text;
        const std::size_t lineStart = newText.find_last_of("\r\n", newText.size() - following.size() - 1);
        if (data != 0 && newText.ends_with(following) && newText.size() > following.size()
            && lineStart == newText.size() - following.size() - 1)
            rows.SetRowData(rows.Count() - 1, data);
    }
    record.Text = std::move(taken.Text);
    record.Attribute = taken.Attribute;
    record.LineCount = LineCountOf(rows);
    SetRows(first, taken.Rows, rows);
    TellLinesReplaced(known.Line, record.Text, newText);
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

void TEditorScreenStrings::SplitRows(std::string_view text, TRowAttribute last, TEditorStringList& target) const
{
    std::string_view lines = text;
    if (last == raBreak && EndsWithLineBreak(lines)) {
        // The last row's own break: it ends that row, it does not open another.
        lines.remove_suffix(lines.size() >= 2 && lines.substr(lines.size() - 2) == kCrLf ? 2 : 1);
    }
    target.Clear();
    AppendLines(lines, target);
    if (lines.empty() || EndsWithLineBreak(lines))
        target.Add({}); // every break opens a row, the last row's own break aside
    // A line cut just at the wrap width leaves an empty tail row that a wrapped last row never had.
    if (last == raWrapped && target.Count() > 1 && target.Length(target.Count() - 1) == 0)
        target.Delete(target.Count() - 1);
    target.SetRowAttribute(target.Count() - 1, last);
}

void TEditorScreenStrings::AppendLines(std::string_view text, TEditorStringList& target) const
{
    ForEachLine(text, [&](std::string_view line) { AppendLine(line, target); });
}

void TEditorScreenStrings::AppendLine(std::string_view line, TEditorStringList& target) const
{
    // A line narrower than the wrap width is one row: its width is counted without building
    // the attribute string the wrapper needs.
    if (!FWordWrap || TextWidth(line, {TabWidth(), FWrapOption->WrapByte()}) < FWrapOption->WrapByte()) {
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

namespace {

TScanRow CursorScanRow(const TPointerStringList::TRowCursor& cursor, TRowContexts& contexts)
{
    TScanRow row {cursor.Text(), TRowAttributeStringList::AttributeOf(cursor.Slot(1)), {}, raBreak, &contexts};
    if (row.Attribute == raWrapped) {
        row.Next = cursor.NextText();
        row.NextAttribute = TRowAttributeStringList::AttributeOf(cursor.NextSlot(1));
    }
    return row;
}

void StoreState(TPointerStringList::TRowCursor& cursor, const RowTokenState& state)
{
    cursor.SetSlot(1, TRowAttributeStringList::Slot1WithState(cursor.Slot(1), state));
    cursor.SetSlot(2, TRowAttributeStringList::Slot2OfState(state));
}

} // namespace

TScanRow TEditorScreenStrings::ScanRowAt(int row) const
{
    TScanRow scan {Strings(row), RowAttribute(row), {}, raBreak, &FContexts};
    if (scan.Attribute == raWrapped && row + 1 < Count()) {
        scan.Next = Strings(row + 1);
        scan.NextAttribute = RowAttribute(row + 1);
    }
    return scan;
}

int TEditorScreenStrings::Rescan(int row, bool notify)
{
    TAttachedEditor* owner = OwnerEditor();
    if (!owner || Count() == 0)
        return 0;
    TRowStateScanner* scanner = OwnerScanner(*owner);
    if (!scanner)
        return 0;
    const int first = std::clamp(row, 0, Count() - 1);
    int begin = 0;
    RowTokenState state = RowTokenState::FirstRow();
    for (int r = first - 1; r >= 0; --r) {
        if (RowStateComputed(r)) {
            state = RowState(r);
            scanner->AdvanceRowState(ScanRowAt(r), state);
            begin = r + 1;
            break;
        }
    }
    const int horizon
        = std::min(Count() - 1, first + 2 * (owner->ScreenHeight() / std::max(owner->RowHeight(), 1)));
    int changed = 0;
    TRowCursor cursor = Cursor(begin);
    for (int r = begin; r <= horizon; ++r, cursor.Advance()) {
        if (StateOfSlots(cursor.Slot(1), cursor.Slot(2)) == state)
            return changed;
        StoreState(cursor, state);
        if (notify) {
            ++changed;
            ForEachEditor([r](TAttachedEditor& editor) { editor.InvalidateRow(r); });
        }
        scanner->AdvanceRowState(CursorScanRow(cursor, FContexts), state);
    }
    MarkRowStatesNotComputedFrom(horizon + 1);
    return changed;
}

RowTokenState TEditorScreenStrings::ScanRowStates(
    TRowStateScanner& scanner, int first, int last, RowTokenState state)
{
    TRowCursor cursor = Cursor(first);
    for (int r = first; r <= last; ++r, cursor.Advance()) {
        StoreState(cursor, state);
        scanner.AdvanceRowState(CursorScanRow(cursor, FContexts), state);
    }
    return state;
}

void TEditorScreenStrings::RescanAll()
{
    FScanner.reset();
    TAttachedEditor* owner = OwnerEditor();
    if (owner && (owner->IsLoading() || owner->IsDestroying()))
        return;
    MarkRowStatesNotComputedFrom(0);
    // No stored state refers to a context now.
    FContexts.Clear();
    TRowStateScanner* scanner = owner ? OwnerScanner(*owner) : nullptr;
    if (!scanner || Count() == 0)
        return;
    const int last = std::min(
        Count() - 1, 2 * (owner->ScreenHeight() / std::max(owner->RowHeight(), 1)) + owner->TopRow());
    ScanRowStates(*scanner, 0, last, RowTokenState::FirstRow());
}

bool TEditorScreenStrings::WrapsAsStored() const
{
    // Only lines at least as wide as the wrap width, or already cut into rows, can come out
    // differently; each of those is wrapped again and its row lengths compared.
    const TLineWrapper wrapper(*FWrapOption, TabWidth());
    const TColumnLayout layout {TabWidth(), FWrapOption->WrapByte()};
    std::string line;
    std::vector<std::size_t> stored;
    bool same = true;
    const int lastRow = Count() - 1;
    ForEachRow(0, Count(), [&, row = 0](std::string_view text, TRowAttribute attribute) mutable {
        const bool lineEnds = attribute != raWrapped || row++ == lastRow;
        if (!same)
            return;
        if (lineEnds && line.empty() && stored.empty()) {
            if (TextWidth(text, layout) < FWrapOption->WrapByte())
                return;
        }
        line += text;
        stored.push_back(text.size());
        if (!lineEnds)
            return;
        std::size_t index = 0;
        wrapper.Wrap(line, [&](std::string_view rowText, TRowAttribute) {
            same = same && index < stored.size() && stored[index] == rowText.size();
            ++index;
        });
        same = same && index == stored.size();
        line.clear();
        stored.clear();
    });
    return same;
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
    ForEachRow(0, Count(), [&](std::string_view text, TRowAttribute attribute) {
        bool lineEnds = attribute != raWrapped || row == lastRow;
        ++row;
        if (!lineEnds) {
            line += text;
            return;
        }
        if (line.empty()) {
            AppendLine(text, rebuilt);
        } else {
            line += text;
            AppendLine(line, rebuilt);
            line.clear();
        }
        KeepRowData(row - 1, rebuilt);
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
    ForEachRow(0, Count(), [&, row = 0](std::string_view text, TRowAttribute attribute) mutable {
        line += text;
        bool lastRow = ++row == Count();
        if (attribute == raWrapped && !lastRow)
            return;
        rebuilt.Add(line);
        KeepRowData(row - 1, rebuilt);
        line.clear();
    });
    rebuilt.SetRowAttribute(rebuilt.Count() - 1, lastAttribute == raWrapped ? raEndOfText : lastAttribute);
    ReplaceAllRows(rebuilt);
}

void TEditorScreenStrings::KeepRowData(int lineEndRow, TEditorStringList& rebuilt) const
{
    if (const std::uint32_t data = RowData(lineEndRow); data != 0)
        rebuilt.SetRowData(rebuilt.Count() - 1, data);
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

void TEditorScreenStrings::LoadLines(const TLineProducer& produce, bool finalLineBreak)
{
    Fill(produce, finalLineBreak, false);
}

void TEditorScreenStrings::Fill(const TLineProducer& produce, bool finalLineBreak, bool byEdit)
{
    // Filled apart and swapped in at the end, so a producer that fails leaves the text whole.
    TEditorStringList fresh;
    produce([this, &fresh](std::string_view line) { AppendLine(line, fresh); });
    if (!finalLineBreak && fresh.Count() > 0)
        fresh.SetRowAttribute(fresh.Count() - 1, raEndOfText);
    CancelSelections();
    FUndo.ClearAll();
    {
        TUpdateBatch batch(*this);
        FPendingChange = {0, Count(), fresh.Count(), 0, true, byEdit};
        Swap(fresh);
    }
    for (TLineEditListener* listener : FLineListeners)
        listener->TextReplaced();
    ForEachEditor([](TAttachedEditor& editor) {
        editor.SetCaretRow(0);
        editor.SetCaretCol(0);
    });
}

void TEditorScreenStrings::Clear()
{
    // Clearing is an edit of the document, unlike loading a text in its place.
    Fill([](const TLineSink&) {}, true, true);
}

std::size_t TEditorScreenStrings::TextSize() const
{
    std::size_t size = TextLength();
    ForEachRow(0, Count(), [&](std::string_view, TRowAttribute attribute) {
        if (attribute == raBreak)
            size += LineBreakBytes;
    });
    return size;
}

std::string TEditorScreenStrings::Text() const
{
    std::string text;
    text.reserve(TextSize());
    ForEachRow(0, Count(), [&](std::string_view row, TRowAttribute attribute) {
        text += row;
        if (attribute == raBreak)
            text += kCrLf;
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
    // The logical lines stay as they are: the undo history, kept by line, stays valid, and each
    // caret keeps its place in the text.
    std::vector<TCaretPlace> places;
    ForEachEditor([&](TAttachedEditor& editor) { places.push_back(CaretPlaceOf(*this, editor)); });
    // A new wrap width that cuts no line differently (the usual case when a window is resized
    // by a few columns over short lines) leaves the rows and their states as they are.
    if (!FWordWrap) {
        UnwrapAll();
        RescanAll();
    } else if (!WrapsAsStored()) {
        RewrapAll();
        RescanAll();
    }
    FUndo.RowsRewrapped();
    UpdateEditors();
    ClampCarets();
    for (std::size_t i = 0; i < FEditors.size() && i < places.size(); ++i)
        PlaceCaret(*this, *FEditors[i], places[i]);
}

std::string TEditorScreenStrings::CheckRows() const
{
    std::string broken = CheckInvariant();
    if (!broken.empty())
        return broken;
    std::string result;
    ForEachRow(0, Count(), [&, row = 0](std::string_view text, TRowAttribute attribute) mutable {
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
    // An empty last row is the tail of a wrapped line, never a line of its own after a break.
    if (result.empty() && Count() > 0 && Length(Count() - 1) == 0 && RowAttribute(Count() - 1) != raBreak
        && (Count() == 1 || RowAttribute(Count() - 2) != raWrapped))
        result = "an empty last row follows a line break";
    return result;
}

} // namespace brenvik
