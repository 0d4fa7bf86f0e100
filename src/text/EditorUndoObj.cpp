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
    if (TAttachedEditor* active = FRows.ActiveEditor()) {
        record.CaretRow = active->CaretRow();
        record.CaretCol = active->CaretCol();
    }
    FUndoList.push_back(std::move(record));
    if (static_cast<int>(FUndoList.size()) > FLimit)
        FUndoList.pop_front();
    if (!FReplaying)
        FRedoList.clear();
    return FUndoList.back();
}

void TEditorUndoObj::PushRedo(const TUndoData& record)
{
    TUndoData copy = record;
    if (TAttachedEditor* active = FRows.ActiveEditor()) {
        copy.CaretRow = active->CaretRow();
        copy.CaretCol = active->CaretCol();
    }
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
    if (record.RowCount > 0) {
        TRowsText taken = FRows.RowsText(record.Row, record.RowCount);
        inverse.Text = std::move(taken.Text);
        inverse.Attribute = taken.Attribute;
        inverse.Removed = taken.Rows;
        FRows.DeleteRows(record.Row, record.RowCount);
    }
    if (record.Attribute != raNone) {
        TEditorStringList rows;
        FRows.SplitRows(record.Text, record.Attribute, rows);
        inverse.RowCount = rows.Count();
        FRows.InsertRows(record.Row, rows);
    }
    const std::string_view inserted = record.Attribute != raNone ? record.Text : std::string_view();
    FRows.TellLinesReplaced(record.Row, inverse.Text, inserted);
    int rescanned = FRows.Rescan(record.Row, true);
    FRows.SetPendingChange({record.Row, inverse.Removed, inverse.RowCount, rescanned, true});
    return inverse;
}

void TEditorUndoObj::SetCaret(int row, int col)
{
    if (TAttachedEditor* active = FRows.ActiveEditor()) {
        active->SetCaretRow(row);
        active->SetCaretCol(col);
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
    if (TAttachedEditor* active = FRows.ActiveEditor())
        active->HideCaret();
    {
        TUpdateBatch batch(FRows);
        Inverse inverse = Replay(record);
        record.RowCount = inverse.RowCount;
        record.Attribute = inverse.Attribute;
        record.Text = std::move(inverse.Text);
        PushRedo(record);
    }
    SetCaret(record.CaretRow, record.CaretCol);
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
        redone.Row = record.Row;
        redone.RowCount = inverse.RowCount;
        redone.Joined = record.Joined;
        redone.Attribute = inverse.Attribute;
        redone.Text = std::move(inverse.Text);
    }
    SetCaret(record.CaretRow, record.CaretCol);
    FRedoList.pop_back();
}

} // namespace brenvik
