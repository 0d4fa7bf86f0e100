// Undo and redo of row replacements: each ReplaceRows leaves one record of the rows it took out.
// Records count logical lines and carets by line and byte, not rows, so that a rewrap (a new
// wrap width or mode) leaves the history valid.
#pragma once

#include "text/CaretPlace.h"
#include "text/RowAttribute.h"

#include <cstdint>
#include <deque>
#include <string>

namespace brenvik {

class TEditorScreenStrings;

struct TUndoData {
    TCaretPlace Caret;
    int Line = -1; // first logical line of the replaced span
    // Line's first row while the rows are wrapped as when the record was made (Layout), saving a
    // lookup through the tallies of a long text.
    int Row = -1;
    std::uint32_t Layout = 0;
    int LineCount = 0; // logical lines the operation put in, taken out on replay
    bool Joined = false; // undone and redone in one step with the record before it
    TRowAttribute Attribute = raNone; // attribute of the last removed row; raNone: nothing removed
    std::string Text; // text of the removed rows, CR LF after each raBreak row
};

// Oldest record first.
using TUndoDataList = std::deque<TUndoData>;

// Invariant: the undo list holds at most Limit() records; Limit() >= 64.
class TEditorUndoObj {
public:
    static constexpr int MinLimit = 64;

    explicit TEditorUndoObj(TEditorScreenStrings& rows);

    // Appends a fresh record (caret from the active editor) for the caller to fill; drops the
    // oldest when the list is over the limit; clears the redo list unless a redo is replaying.
    // known: the first line of the edit and its row, the record's Line and Row (the caret
    // usually stands near it).
    TUndoData& NewUndoRecord(TKnownLine known);
    bool CanUndo() const { return !FUndoList.empty(); }
    bool CanRedo() const { return !FRedoList.empty(); }
    // One step: a record and those joined to it.
    void Undo();
    void Redo();
    // Keeps record for redo, with caret: where the caret stood before the undo.
    void PushRedo(const TUndoData& record, TCaretPlace caret);
    // Makes the last record one step with the record before it (typing on in one word).
    void JoinLast();
    void ClearAll();

    // The rows were rewrapped: the rows records keep no longer hold.
    void RowsRewrapped()
    {
        ++FLayout;
        FLastLine = {};
    }
    // A line and its first row as the rows stand now, for lookups near it: where the last edit,
    // undo or redo began (rows before it are as they were), else the first line.
    TKnownLine LastKnownLine() const { return FLastLine; }

    int Limit() const { return FLimit; }
    // Stores max(64, value).
    void SetLimit(int value);

    const TUndoDataList& UndoList() const { return FUndoList; }
    const TUndoDataList& RedoList() const { return FRedoList; }

private:
    struct Inverse {
        int LineCount = 0;
        int RowCount = 0;
        TRowAttribute Attribute = raNone;
        std::string Text;
        int Removed = 0;
    };
    // The first row of record's line.
    TKnownLine KnownLine(const TUndoData& record) const;
    // Takes out what the record put in and puts back what it took out; returns the inverse.
    Inverse Replay(const TUndoData& record, int row);
    void SetCaret(TCaretPlace place, TKnownLine known);
    void UndoOne();
    void RedoOne();

    TEditorScreenStrings& FRows;
    int FLimit = MinLimit;
    std::uint32_t FLayout = 0;
    TKnownLine FLastLine;
    bool FReplaying = false;
    TUndoDataList FRedoList;
    TUndoDataList FUndoList;
};

} // namespace brenvik
