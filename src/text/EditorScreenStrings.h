// The shared row store of the editor: display rows, attached editors, update batches, undo.
#pragma once

#include "support/LineBreaks.h"
#include "text/AttachedEditor.h"
#include "text/EditorStringList.h"
#include "text/EditorUndoObj.h"
#include "text/EditorWrapOption.h"
#include "text/LineEditListener.h"
#include "text/RowContexts.h"

#include <cstdint>
#include <memory>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace brenvik {

struct TPendingChange {
    int FirstRow = 0;
    int Removed = 0;
    int Inserted = 0;
    int Rescanned = 0;
    bool Pending = false;
    // False when the whole text was replaced by a load: the document is then not "modified".
    bool ByEdit = true;
    friend bool operator==(const TPendingChange&, const TPendingChange&) = default;
};

struct TRowsText {
    std::string Text;
    TRowAttribute Attribute = raNone; // of the last row taken; raNone when none
    int Rows = 0;
};

// The logical lines rows hold: rows that are not raWrapped.
int LineCountOf(const TEditorStringList& rows);

// The editors that share one row list each hold it through a std::shared_ptr; the list is
// freed with the last of them. AddEditor/RemoveEditor keep the (non-owning) list of attached
// editors, the first being the owner that supplies metrics and the row-state scanner.
//
// The rows are kept behind the list's own methods: they are read through the accessors below,
// row states are written by the rescan, and every other change goes through ReplaceRows, the
// row moves, LoadLines, Clear and the rewraps, which check their indices in release builds too.
//
// Invariant: no row contains CR or LF; only the last row may be raEndOfText; with word wrap
// off no row is raWrapped; a text that ends with a line break ends with a raBreak row
// (CheckRows tells what is broken).
class TEditorScreenStrings : private TEditorStringList {
public:
    TEditorScreenStrings();
    ~TEditorScreenStrings() override;
    TEditorScreenStrings(const TEditorScreenStrings&) = delete;
    TEditorScreenStrings& operator=(const TEditorScreenStrings&) = delete;

    // Reading rows, attributes and row states; writing row states and row data.
    using TPointerStringList::Count;
    using TPointerStringList::Length;
    using TPointerStringList::Strings;
    using TPointerStringList::TextLength;
    using TRowAttributeStringList::ForEachRow;
    using TRowAttributeStringList::RowAttribute;
    using TRowAttributeStringList::RowData;
    using TRowAttributeStringList::RowState;
    using TRowAttributeStringList::RowStateComputed;
    using TRowAttributeStringList::ScanState;
    using TRowAttributeStringList::ScanState2;
    using TRowAttributeStringList::ScanState3;
    using TRowAttributeStringList::ScanState4;
    using TRowAttributeStringList::ScanState5;
    using TRowAttributeStringList::SetRowData;
    using TRowAttributeStringList::SetRowState;
    using TRowAttributeStringList::SetScanState;
    using TRowAttributeStringList::SetScanState2;
    using TRowAttributeStringList::SetScanState3;
    using TRowAttributeStringList::SetScanState4;
    using TRowAttributeStringList::SetScanState5;

    // Logical lines, counted from per-block tallies of line ends: as fast at the end as at row 0.
    // A row starts a line when the row before it is not raWrapped.
    int LineCount() const;
    // The line that row belongs to; row is clamped to [0, Count()], and Count() (the caret after
    // a final line break) belongs to the line after the last one that ends.
    int LineOfRow(int row) const;
    // First row of line; Count() when there are not that many lines.
    int RowOfLine(int line) const;
    // LineOfRow and RowOfLine walking from a row known to start its line when the target lies a
    // few rows after it (an edit's caret, an undo step's lines), else through the tallies.
    int LineOfRowFrom(TKnownLine known, int row) const;
    int RowOfLineFrom(TKnownLine known, int line) const;

    // Attached editors.
    void AddEditor(TAttachedEditor* editor);
    void RemoveEditor(TAttachedEditor* editor);
    const std::vector<TAttachedEditor*>& Editors() const { return FEditors; }
    TAttachedEditor* OwnerEditor() const { return FEditors.empty() ? nullptr : FEditors.front(); }
    // The first attached editor with the input focus, else the owner; null when none is attached.
    TAttachedEditor* ActiveEditor() const;
    void UpdateEditors();

    // Listeners to changes of the logical lines (not owned; a listener removes itself).
    void AddLineListener(TLineEditListener* listener);
    void RemoveLineListener(TLineEditListener* listener);
    // Tells the listeners that the whole lines from line first on read after where they read
    // before (ReplaceRows and the undo replay call it).
    void TellLinesReplaced(int first, std::string_view before, std::string_view after);
    void ClampCarets();

    // Update batches nest; the editors hear of changes when the outermost one ends.
    void BeginUpdate();
    void EndUpdate();
    int UpdateCount() const { return FUpdateCount; }
    const TPendingChange& PendingChange() const { return FPendingChange; }
    void SetPendingChange(const TPendingChange& change) { FPendingChange = change; }

    // Logical lines over rows.
    int LineStartRow(int row) const;
    int LineEndRow(int row) const;
    // count -1: up to the end of the logical line.
    TRowsText RowsText(int row, int count) const;

    // Row moves; slots travel with their rows. A row or count outside the list does nothing.
    void DeleteRows(int row, int count);
    void InsertRows(int row, const TEditorStringList& rows);
    void SetRows(int row, int count, const TEditorStringList& rows);

    // Replaces the whole text by the lines produce hands to its sink, wrapped at the current
    // setting as they come, in one update batch. The last row is raBreak when finalLineBreak is
    // set, else raEndOfText. Undo is cleared, no row state is computed, the carets go to the
    // start. If produce throws, the text stays as it was.
    void LoadLines(const TLineProducer& produce, bool finalLineBreak);

    // Gives each logical line, in order, its row data on the row that ends it; nobody hears of it.
    void SetLineData(std::span<const std::uint32_t> lines);

    // The editing primitive: replaces count rows from row by text (CR, LF or CR LF breaks),
    // re-splits the touched logical lines, records one undo step and rescans row states.
    void ReplaceRows(int row, int count, std::string_view text);

    // Fills target with the rows of text; the last row is raBreak, the caller sets it.
    void SplitText(std::string_view text, TEditorStringList& target) const;
    // Fills target with the rows whose RowsText gave text and last: the exact rows again, an
    // empty last row after a line break included.
    void SplitRows(std::string_view text, TRowAttribute last, TEditorStringList& target) const;
    // Rows one logical line takes.
    int CountRows(std::string_view line) const;

    // Recomputes stored row states from row on; returns how many changed when notify is set.
    // The owner's scanner is kept between calls (a parser builds its word and dispatch tables when
    // created, which cost more than the rescan of a keystroke); RescanAll, which every change of
    // the highlighting runs, and a change of owner drop it.
    int Rescan(int row, bool notify);
    // Drops the kept scanner, so that the next rescan reads the highlighting as it is now.
    void ReleaseScanner() { FScanner.reset(); }
    // Stores state into row first and scans on, storing each next state, up to row last (which
    // must exist); returns the state after it. RescanAll's pass, without the screen's horizon.
    RowTokenState ScanRowStates(TRowStateScanner& scanner, int first, int last, RowTokenState state);
    // Row as a row-state scan reads it.
    TScanRow ScanRowAt(int row) const;
    // The values that row states' Context refers to.
    TRowContexts& Contexts() const { return FContexts; }
    void RescanAll();
    void RewrapAll();
    // True when wrapping every line at the current width gives the rows already stored.
    bool WrapsAsStored() const;
    void UnwrapAll();

    void Clear();
    // The whole text, CR LF after each raBreak row.
    std::string Text() const;
    // Byte length of the whole text.
    std::size_t TextSize() const;

    TEditorUndoObj& UndoObj() { return FUndo; }
    const TEditorUndoObj& UndoObj() const { return FUndo; }
    void Undo() { FUndo.Undo(); }
    void Redo() { FUndo.Redo(); }

    TEditorWrapOption& WrapOption() { return *FWrapOption; }
    const TEditorWrapOption& WrapOption() const { return *FWrapOption; }
    int WrapByte() const { return FWrapOption->WrapByte(); }

    bool WordWrap() const { return FWordWrap; }
    // The editor's WordWrap switch: rewraps or unwraps and rescans; the undo history and each
    // caret's place in the text are kept.
    void SetWordWrap(bool value);

    // Empty when the row invariant holds, else what is broken (for tests).
    std::string CheckRows() const;
    // The rows as a plain list, to read or copy (a copy is a snapshot of the text).
    const TEditorStringList& RowList() const { return *this; }

private:
    void NotifyEditors();
    // LoadLines; byEdit tells the editors whether the document counts as modified by it.
    void Fill(const TLineProducer& produce, bool finalLineBreak, bool byEdit);
    // Appends the rows of text (split and, with word wrap on, wrapped) to target.
    void AppendLines(std::string_view text, TEditorStringList& target) const;
    void AppendLine(std::string_view line, TEditorStringList& target) const;
    int TabWidth() const;
    // The row data of the row ending a line, given to the last row rebuilt for it.
    void KeepRowData(int lineEndRow, TEditorStringList& rebuilt) const;
    // Puts rows in place of all rows without telling the editors (rewrap and unwrap).
    void ReplaceAllRows(TEditorStringList& rows);
    // Rebuilds the rows for the word-wrap setting, rescans, updates the editors, puts the carets back.
    void Rewrap();
    bool OwnerLoading() const;
    void CancelSelections();
    // The owner's row-state scanner, created when there is none kept.
    TRowStateScanner* OwnerScanner(TAttachedEditor& owner);
    template <typename Fn> void ForEachEditor(Fn&& fn) const
    {
        for (TAttachedEditor* editor : FEditors)
            fn(*editor);
    }

    std::vector<TAttachedEditor*> FEditors;
    std::vector<TLineEditListener*> FLineListeners;
    TPendingChange FPendingChange;
    int FUpdateCount = 0;
    bool FChangeEventBound = true;
    bool FWordWrap = false;
    TEditorUndoObj FUndo;
    std::unique_ptr<TEditorWrapOption> FWrapOption;
    // Grows as scans meet new values; read by every parser that tokenizes stored rows.
    mutable TRowContexts FContexts;
    std::unique_ptr<TRowStateScanner> FScanner;
};

} // namespace brenvik
