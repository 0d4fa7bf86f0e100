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

TUndoData& TEditorUndoObj::NewUndoRecord()
{
    TUndoData record;
    if (TAttachedEditor* active = FRows.ActiveEditor())
        record.Caret = CaretPlaceOf(FRows, *active);
    FUndoList.push_back(std::move(record));
    if (static_cast<int>(FUndoList.size()) > FLimit)
        FUndoList.pop_front();
    if (!FReplaying)
        FRedoList.clear();
    return FUndoList.back();
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
    FRedoList.clear();
    FUndoList.clear();
}

void TEditorUndoObj::SetLimit(int value)
{
    FLimit = std::max(MinLimit, value);
    while (static_cast<int>(FUndoList.size()) > FLimit)
        FUndoList.pop_front();
}

TEditorUndoObj::Inverse TEditorUndoObj::Replay(const TUndoData& record)
{
    Inverse inverse;
    const int row = FRows.RowOfLine(record.Line);
    if (record.LineCount > 0) {
        TRowsText taken = FRows.RowsText(row, FRows.RowOfLine(record.Line + record.LineCount) - row);
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
    FRows.TellLinesReplaced(row, inverse.Text, inserted);
    int rescanned = FRows.Rescan(row, true);
    FRows.SetPendingChange({row, inverse.Removed, inverse.RowCount, rescanned, true});
    return inverse;
}

void TEditorUndoObj::SetCaret(TCaretPlace place)
{
    if (TAttachedEditor* active = FRows.ActiveEditor()) {
        PlaceCaret(FRows, *active, place);
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
    TCaretPlace caret;
    if (TAttachedEditor* active = FRows.ActiveEditor()) {
        caret = CaretPlaceOf(FRows, *active);
        active->HideCaret();
    }
    {
        TUpdateBatch batch(FRows);
        Inverse inverse = Replay(record);
        record.LineCount = inverse.LineCount;
        record.Attribute = inverse.Attribute;
        record.Text = std::move(inverse.Text);
        PushRedo(record, caret);
    }
    SetCaret(record.Caret);
    FUndoList.pop_back();
}

void TEditorUndoObj::RedoOne()
{
    if (FRedoList.empty())
        return;
    TUndoData& record = FRedoList.back();
    if (TAttachedEditor* active = FRows.ActiveEditor())
        active->HideCaret();
    {
        TUpdateBatch batch(FRows);
        Inverse inverse = Replay(record);
        FReplaying = true;
        TUndoData& redone = NewUndoRecord();
        FReplaying = false;
        redone.Line = record.Line;
        redone.LineCount = inverse.LineCount;
        redone.Joined = record.Joined;
        redone.Attribute = inverse.Attribute;
        redone.Text = std::move(inverse.Text);
    }
    SetCaret(record.Caret);
    FRedoList.pop_back();
}

} // namespace brenvik
