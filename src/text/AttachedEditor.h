// What the row list needs of an editor attached to it. The editor control
// implements this; tests use a small fake. It is the only way the text layer
// reaches an editor.
#pragma once

#include "text/RowAttribute.h"
#include "text/RowTokenState.h"

#include <memory>
#include <string_view>

namespace brenvik {

class TEditorScreenStrings;
class TRowContexts;

// One row as a row-state scan reads it, handed over by the row list's pass over its rows.
struct TScanRow {
    std::string_view Text;
    TRowAttribute Attribute = raBreak;
    std::string_view Next; // the following row when this one is raWrapped, else empty
    TRowAttribute NextAttribute = raBreak;
    TRowContexts* Contexts = nullptr; // the row list's table that states' Context refers to
};

// Computes the start state of the next row from the start state of a row:
// a parser of the editor's active fountain, created per rescan pass.
class TRowStateScanner {
public:
    virtual ~TRowStateScanner() = default;
    // Replaces state, the start state of row, by the start state of the row after it. In place:
    // a state returned by value is read back whole just after its fields were written, which
    // stalls on every row of a pass.
    virtual void AdvanceRowState(const TScanRow& row, RowTokenState& state) = 0;
};

class TAttachedEditor {
public:
    virtual ~TAttachedEditor() = default;

    // Caret and view position, in rows and display columns.
    virtual int CaretRow() const = 0;
    virtual int CaretCol() const = 0;
    virtual void SetCaretRow(int row) = 0;
    virtual void SetCaretCol(int col) = 0;
    virtual int TopRow() const = 0;
    virtual void SetTopRow(int row) = 0;
    virtual void HideCaret() = 0;
    virtual void ShowCaret() = 0;

    virtual bool HasSelection() const = 0;
    virtual void CancelSelection() = 0;
    virtual bool HasFocus() const = 0;

    // Run for every attached editor when the row list's outermost update
    // batch ends (sets Modified, repaints the changed rows, fires OnChange).
    virtual void LinesChanged() = 0;
    // Recompute scroll ranges and invalidate the window.
    virtual void Refresh() = 0;
    virtual void InvalidateRow(int row) = 0;

    // The Lines facade's outermost update batch opens (true) or closes (false): the editor
    // hides its caret and holds back the caret-row underline and repainting meanwhile.
    virtual void LinesUpdating(bool updating) { (void)updating; }

    // True while the editor is being loaded from stored form data or designed:
    // rewrapping and rescanning are skipped then.
    virtual bool IsLoading() const = 0;
    virtual bool IsDestroying() const = 0;

    // Metrics the row list needs for wrapping and for the rescan horizon.
    virtual int TabSpaceCount() const = 0;
    virtual int ScreenHeight() const = 0; // pixels of the text area
    virtual int RowHeight() const = 0;    // pixels per row; 0 before the editor has metrics

    // A scanner over the editor's active fountain, or null for no highlighting.
    virtual std::unique_ptr<TRowStateScanner> CreateRowStateScanner() = 0;
};

} // namespace brenvik
