// What an editing model asks of, and tells, whoever shows it: the narrow interface between
// the headless model and a widget (or a test).
#pragma once

namespace brenvik {

class TFountain;
struct TSelectionCols;

// The caret settings the model follows; a widget copies them from its caret view object.
struct TCaretRules {
    int TabWidth = 8;
    bool FreeCaret = false;     // the caret may stand past a row's end
    bool KeepCaret = true;      // vertical moves return to the remembered column
    bool InTab = false;         // the caret may stand inside a tab's space
    bool BackSpaceUnIndent = false;
    bool AutoIndent = false;
    bool PrevSpaceIndent = false;
    bool TabIndent = false;     // indents are written with tabs
    bool SoftTab = false;       // Tab types spaces
};

class TEditorModelOwner {
public:
    virtual ~TEditorModelOwner() = default;

    // An owner that shows nothing: the default caret rules, no fountain, no view.
    static TEditorModelOwner& None()
    {
        static TEditorModelOwner none;
        return none;
    }

    virtual TCaretRules CaretRules() const { return {}; }
    // The fountain whose tokens words and TokenAt follow; null for none.
    virtual TFountain* TokenFountain() const { return nullptr; }
    // True while the pointer drags a selection: the caret then clamps to the row's end.
    virtual bool PointerHeld() const { return false; }

    // Notifications; each tells what changed, the owner repaints and scrolls as it likes.
    virtual void CaretMoved() {}
    virtual void SelectionChanged(const TSelectionCols& before, bool wasSelected, const TSelectionCols& after)
    {
        (void)before, (void)wasSelected, (void)after;
    }
    virtual void SelectionCancelled(const TSelectionCols& cols) { (void)cols; }
    virtual void SelectionModeChanged() {}
    // The rows changed; changed is false for a refresh that changed no text.
    virtual void RowsChanged(bool changed) { (void)changed; }
    virtual void InvalidateRow(int row) { (void)row; }
    // An edit begins and ends: the caret is hidden meanwhile.
    virtual void HideCaret() {}
    virtual void ShowCaret() {}

    // The view: its top row (a request to scroll there), focus and size.
    virtual int TopRow() const { return 0; }
    virtual void SetTopRow(int row) { (void)row; }
    virtual bool HasFocus() const { return true; }
    virtual bool IsDestroying() const { return false; }
    virtual int ScreenHeight() const { return 0; }
    virtual int RowHeight() const { return 0; }
};

} // namespace brenvik
