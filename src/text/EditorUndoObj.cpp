// Undo and redo: replaying a record swaps the rows it put in for the text it took out.
#include "text/EditorUndoObj.h"

#include "support/NotifyPersistent.h"
#include "text/EditorScreenStrings.h"

#include <algorithm>

namespace brenvik {

TEditorUndoObj::TEditorUndoObj(TEditorScreenStrings& rows)
    : FRows(rows)
{
}

TUndoData& TEditorUndoObj::NewUndoRecord(TKnownLine known)
{
    FLastLine = known;
    TUndoData record;
    record.Line = known.Line;
    record.Row = known.Row;
    record.Layout = FLayout;
    if (TAttachedEditor* active = FRows.ActiveEditor())
        record.Caret = CaretPlaceOf(FRows, *active, known);
    FUndoList.push_back(std::move(record));
    if (static_cast<int>(FUndoList.size()) > FLimit)
        FUndoList.pop_front();
    if (!FReplaying)
        FRedoList.clear();
    return FUndoList.back();
}

TKnownLine TEditorUndoObj::KnownLine(const TUndoData& record) const
{
    return {record.Layout == FLayout ? record.Row : FRows.RowOfLine(record.Line), record.Line};
}

void TEditorUndoObj::PushRedo(const TUndoData& record, TCaretPlace caret)
{
    TUndoData copy = record;
    copy.Caret = caret;
    FRedoList.push_back(std::move(copy));
}

void TEditorUndoObj::JoinLast()
{
    if (FUndoList.size() >= 2)
        FUndoList.back().Joined = true;
}

void TEditorUndoObj::ClearAll()
{
    FLastLine = {};
    FRedoList.clear();
    FUndoList.clear();
}

void TEditorUndoObj::SetLimit(int value)
{
    FLimit = std::max(MinLimit, value);
    while (static_cast<int>(FUndoList.size()) > FLimit)
        FUndoList.pop_front();
}

TEditorUndoObj::Inverse TEditorUndoObj::Replay(const TUndoData& record, int row)
{
    Inverse inverse;
    if (record.LineCount > 0) {
        const int end = FRows.RowOfLineFrom({row, record.Line}, record.Line + record.LineCount);
        TRowsText taken = FRows.RowsText(row, end - row);
        inverse.Text = std::move(taken.Text);
        inverse.Attribute = taken.Attribute;
        inverse.Removed = taken.Rows;
        FRows.DeleteRows(row, taken.Rows);
    }
    if (record.Attribute != raNone) {
        TEditorStringList rows;
        FRows.SplitRows(record.Text, record.Attribute, rows);
        inverse.LineCount = LineCountOf(rows);
        inverse.RowCount = rows.Count();
        FRows.InsertRows(row, rows);
    }
    const std::string_view inserted = record.Attribute != raNone ? record.Text : std::string_view();
    FRows.TellLinesReplaced(record.Line, inverse.Text, inserted);
    int rescanned = FRows.Rescan(row, true);
    FRows.SetPendingChange({row, inverse.Removed, inverse.RowCount, rescanned, true});
    return inverse;
}

void TEditorUndoObj::SetCaret(TCaretPlace place, TKnownLine known)
{
    if (TAttachedEditor* active = FRows.ActiveEditor()) {
        PlaceCaret(FRows, *active, place, known);
        active->ShowCaret();
    }
}

void TEditorUndoObj::Undo()
{
    bool joined = true;
    while (joined && !FUndoList.empty()) {
        joined = FUndoList.back().Joined;
        UndoOne();
    }
}

void TEditorUndoObj::Redo()
{
    // The first record of a step comes back first; the records joined to it follow.
    do {
        RedoOne();
    } while (!FRedoList.empty() && FRedoList.back().Joined);
}

void TEditorUndoObj::UndoOne()
{
    if (FUndoList.empty())
        return;
    TUndoData& record = FUndoList.back();
    const TKnownLine known = KnownLine(record);
    FLastLine = known;
    TCaretPlace caret;
    if (TAttachedEditor* active = FRows.ActiveEditor()) {
        caret = CaretPlaceOf(FRows, *active, known);
        active->HideCaret();
    }
    {
        TUpdateBatch batch(FRows);
        Inverse inverse = Replay(record, known.Row);
        record.LineCount = inverse.LineCount;
        record.Attribute = inverse.Attribute;
        record.Text = std::move(inverse.Text);
        // The rows before the record's line are the same before and after it is replayed.
        record.Row = known.Row;
        record.Layout = FLayout;
        PushRedo(record, caret);
    }
    SetCaret(record.Caret, known);
    FUndoList.pop_back();
}

void TEditorUndoObj::RedoOne()
{
    if (FRedoList.empty())
        return;
    TUndoData& record = FRedoList.back();
    const TKnownLine known = KnownLine(record);
    FLastLine = known;
    // Undoing the step again brings back the caret as it stands before the redo.
    TCaretPlace caret;
    if (TAttachedEditor* active = FRows.ActiveEditor()) {
        caret = CaretPlaceOf(FRows, *active, known);
        active->HideCaret();
    }
    {
        TUpdateBatch batch(FRows);
        Inverse inverse = Replay(record, known.Row);
        FReplaying = true;
        TUndoData& redone = NewUndoRecord(known);
        FReplaying = false;
        redone.Caret = caret;
        redone.LineCount = inverse.LineCount;
        redone.Joined = record.Joined;
        redone.Attribute = inverse.Attribute;
        redone.Text = std::move(inverse.Text);
    }
    SetCaret(record.Caret, known);
    FRedoList.pop_back();
}

} // namespace brenvik
