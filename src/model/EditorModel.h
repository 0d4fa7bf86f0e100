// The headless editing model: caret and selection (normal and box) over a row list, positions
// and byte offsets, the editing operations, the selected text and the token under a position.
// It knows no widget: it tells its owner (TEditorModelOwner) what changed. Its parts live in
// separate files: positions, selection, editing, tokens and the row list's calls.
#pragma once

#include "model/EditorModelOwner.h"
#include "model/MarkedLines.h"
#include "text/AttachedEditor.h"
#include "text/ColumnModel.h"
#include "text/RowAttribute.h"

#include <QtGlobal>

#include <algorithm>
#include <chrono>
#include <compare>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace brenvik {

class TEditorScreenStrings;
class TEditorStrings;

// A caret position: a row of the row list and a display column.
struct TEditorPos {
    int Row = 0;
    int Col = 0;
    friend auto operator<=>(const TEditorPos&, const TEditorPos&) = default;
};

// The selection in bytes: rows inclusive; EndByte is inclusive and -1 when the selection
// ends at the start of its end row.
struct TSelectionBytes {
    int StartRow = 0;
    int EndRow = 0;
    int StartByte = 0;
    int EndByte = -1;
    friend bool operator==(const TSelectionBytes&, const TSelectionBytes&) = default;
};

// The selection in display columns, for drawing; EndCol is exclusive.
struct TSelectionCols {
    int StartRow = 0;
    int EndRow = 0;
    int StartCol = 0;
    int EndCol = 0;
    friend bool operator==(const TSelectionCols&, const TSelectionCols&) = default;
};

enum class TSelectionState { None, Anchored, Selected };

// A token of the active fountain.
struct TEditorToken {
    std::string Text;
    int Kind = 0;      // the fountain's token kind; 0 when no token is there
    qint64 Start = -1; // byte offset of the token in the whole text
};

// Invariant: 0 <= Row() <= RowCount(), and Row() < RowCount() when the last row is
// raEndOfText; 0 <= Col() <= max(HorizontalExtent(), the row's width) + 1 and Col() never
// stands on a trail byte; with a
// selection, StartRow <= EndRow (CheckInvariant tells what is broken).
class TEditorModel : public TAttachedEditor {
public:
    static constexpr int MaxCol = 1000; // the least horizontal extent of the text in columns

    // owner: who shows the model; none: a model without a view, which tells nobody.
    explicit TEditorModel(TEditorModelOwner& owner = TEditorModelOwner::None());
    ~TEditorModel() override;
    TEditorModel(const TEditorModel&) = delete;
    TEditorModel& operator=(const TEditorModel&) = delete;

    // The view that is told of changes from now on; none: nobody.
    void SetOwner(TEditorModelOwner& owner) { FOwner = &owner; }

    // Rows (EditorModel.cpp).
    TEditorStrings& Lines() const { return *FLines; }
    // The row list is shared, not part of the model's own state: const queries may reach it.
    TEditorScreenStrings& Rows() const { return *FRows; }
    // Leaves this model's rows and edits those of other, with its undo history and marks.
    void ShareRows(TEditorModel& other);
    // The marks on the lines of the rows, shared with the models sharing them.
    TMarkedLines& Marks() const { return *FMarks; }
    int RowCount() const;
    // Empty outside the rows.
    std::string_view RowText(int row) const;
    // raEndOfText outside the rows: the place after the last row behaves as an end of text.
    TRowAttribute RowAttribute(int row) const;
    bool WordWrap() const;
    void SetWordWrap(bool value);
    int WrapByte() const;
    // The row holding the first byte of row's logical line.
    int LineStart(int row) const;
    // The last row of row's logical line.
    int LineEnd(int row) const;
    // The text of the logical line that starts at row first, its wrapped rows joined.
    std::string LineText(int first) const;
    // The last row the caret may stand on: the row count, or the last row when it ends the text.
    int LastCaretRow() const;
    // Columns the view scrolls over: MaxCol, or the widest row's width when wider. It follows
    // rows as they are edited and shrinks only when the rows are rebuilt.
    int HorizontalExtent() const { return std::max(MaxCol, FWidest); }

    bool ReadOnly() const { return FReadOnly; }
    void SetReadOnly(bool value) { FReadOnly = value; }
    bool Overwrite() const { return FOverwrite; }
    void SetOverwrite(bool value) { FOverwrite = value; }
    bool Modified() const { return FModified; }
    void SetModified(bool value) { FModified = value; }
    bool WantTabs() const { return FWantTabs; }
    void SetWantTabs(bool value) { FWantTabs = value; }

    // Undo.
    bool CanUndo() const;
    bool CanRedo() const;
    void Undo();
    void Redo();
    int UndoListMax() const;
    void SetUndoListMax(int value);

    // Caret (ModelPositions.cpp).
    int Row() const { return FRow; }
    void SetRow(int row);
    int Col() const { return FCol; }
    void SetCol(int col);
    void SetRowCol(int row, int col);
    // End: after the row's last character, on a wrapped row too (where no other move may stand,
    // as that place is also the next row's start); from there, the end of the logical line.
    void MoveToRowEnd();
    void PlaceCaretAfter(int row, qint64 bytes);
    // Where PlaceCaretAfter(0, offset) puts the caret, found through the offset cache.
    void PlaceCaretAtOffset(qint64 offset);
    int LineOfRow(int row) const;
    int LineCharIndex(int row, int col) const;

    // Columns, by the rules of text/ColumnModel.h.
    TColumnLayout ColumnLayout() const;
    std::string ColumnAttributes(std::string_view text) const;
    std::string ColumnAttributes(int row) const { return ColumnAttributes(RowText(row)); }
    int RowWidth(int row) const { return int(ColumnAttributes(row).size()); }
    // Byte index of column col of a row, at most the row's length.
    int CharIndexAt(int row, int col) const;
    int TextWidth(std::string_view text) const;
    // Columns of the leading blanks; -1 for an empty text.
    int IndentWidth(std::string_view text) const;
    qint64 TextOffset(int row0, int row, int col) const;
    // Bytes of the rows [row0, row), CR LF after every raBreak row.
    qint64 BytesBetween(int row0, int row) const;
    int CaretByte() const;

    // Byte offsets of the whole text, CR LF after every raBreak row.
    qint64 RowOffset(int row) const;
    // The row holding offset (the walk stops at the last row).
    int RowOfOffset(qint64 offset) const;
    qint64 TextLength() const;

    // Selection (ModelSelection.cpp).
    bool HasSelection() const override { return FSelState == TSelectionState::Selected; }
    TSelectionState SelectionState() const { return FSelState; }
    const TSelectionBytes& Selection() const { return FSel; }
    const TSelectionCols& SelectionCols() const { return FSelCols; }
    void StartSelection();
    void ExtendSelection();
    void CancelSelection() override;
    qint64 SelStart() const;
    void SetSelStart(qint64 offset);
    qint64 SelLength() const;
    void SetSelLength(qint64 length);
    void SelectAll();
    bool BoxSelection() const { return FBoxSelection; }
    void SetBoxSelection(bool value);
    bool InSelection(TEditorPos position) const;
    // Whole rows from first to row, either way, line breaks included.
    void SelectRows(int first, int row);
    // The word at a position (WordSpan.h), the caret after it; the logical line holding a row,
    // its line break included.
    void SelectWordAt(TEditorPos position);
    void SelectLineAt(int row);
    std::string SelText() const;

    // Tokens and words (ModelTokens.cpp).
    void WordMove(int row, int col, int direction);
    TEditorToken TokenAt(TEditorPos position) const;

    // Editing (ModelEditing.cpp). Each refuses on a read-only model.
    void TypeText(std::string_view text);
    // TypeText for typed keys and input-method results: characters typed on where the last
    // ones left the caret, soon after them and within one word, are undone in one step.
    void TypeKeys(std::string_view text);
    // A pause this long in typing starts a new undo step.
    static constexpr int TypingPauseMs = 1000;
    void SetSelText(std::string_view text);
    void DeleteSelection();
    void PasteBox(std::string_view text);
    void Backspace();
    void DeleteChar();
    // shift: Shift+Enter opens a line above.
    void Enter(bool shift = false);
    void Tab();
    // Moves the selected text to drop (a caret position); copy leaves it in place.
    void DropSelection(TEditorPos drop, bool copy);
    // Replaces the bytes [start, end) of the whole text by text (line breaks as CR LF) in one
    // edit and puts the caret at the whole-text offset caret of the new text (ModelReplace.cpp).
    // A stretch of whole lines goes in without a copy.
    void ReplaceBytes(qint64 start, qint64 end, std::string text, qint64 caret);
    // Changes whenever the rows change (edits, undo, loads): whoever keeps a copy of the text
    // compares it.
    std::uint64_t TextVersion() const { return FTextVersion; }

    // Empty when the invariant holds, else what is broken (for tests).
    std::string CheckInvariant() const;

    // TAttachedEditor: the row list's calls.
    int CaretRow() const override { return FRow; }
    int CaretCol() const override { return FCol; }
    void SetCaretRow(int row) override { SetRow(row); }
    void SetCaretCol(int col) override { SetCol(col); }
    int TopRow() const override { return FOwner->TopRow(); }
    void SetTopRow(int row) override { FOwner->SetTopRow(row); }
    void HideCaret() override { FOwner->HideCaret(); }
    void ShowCaret() override { FOwner->ShowCaret(); }
    bool HasFocus() const override { return FOwner->HasFocus(); }
    void LinesChanged() override;
    void Refresh() override;
    void InvalidateRow(int row) override { FOwner->InvalidateRow(row); }
    bool IsLoading() const override { return false; }
    bool IsDestroying() const override { return FOwner->IsDestroying(); }
    int TabSpaceCount() const override;
    int ScreenHeight() const override { return FOwner->ScreenHeight(); }
    int RowHeight() const override { return FOwner->RowHeight(); }
    std::unique_ptr<TRowStateScanner> CreateRowStateScanner() override;

private:
    // Positions.
    void AssignRow(int row);
    void AssignCol(int col);
    void ValidateCol(int direction, bool rowRule);
    void InvalidateOffsetsFrom(int row) const;
    // Widens the extent to the rows [first, first + count).
    void MeasureRows(int first, int count);
    int BoxStartByte(int row) const;
    int BoxEndByte(int row) const;
    void RecomputeSelection(bool wasSelected);
    std::vector<int> TokenStarts(int row) const;

    // Editing.
    struct TCutRow {
        std::string Text;
        TRowAttribute Attribute = raBreak;
        int CutPos = 0; // 0-based byte where the cut began
    };
    std::vector<TCutRow> RowsWithoutSelection() const;
    static std::string JoinRows(const std::vector<TCutRow>& rows);
    void Replace(int row, int count, std::string_view text, int anchorRow, qint64 caretOffset);
    void ReplaceSelection(std::string_view text);
    void MoveSelectionTo(TEditorPos drop);
    void Unindent();
    int UnindentTarget() const;
    int EnterIndent() const;
    std::string IndentText(int width) const;
    std::string WithBreak(std::string text, int row) const;
    // Undo groups of typing.
    using TypingClock = std::chrono::steady_clock;
    static constexpr std::chrono::milliseconds TypingPause {TypingPauseMs};
    struct TTyping {
        std::uint64_t Version = ~std::uint64_t(0); // the text version the last typing left
        int Line = -1;      // the first row of its logical line
        qint64 Offset = -1; // the caret's byte in that line after it
        bool WordChar = false;
        TypingClock::time_point At;
    };
    bool TypingContinues(int line, qint64 offset, std::string_view text) const;
    void EndTyping(bool joins, int line, qint64 offset, std::string_view text);
    static bool TypedWordChar(std::string_view text);
    TTyping FTyping;
    bool FGroupTyping = false; // inside TypeKeys

    TEditorModelOwner* FOwner;
    std::shared_ptr<TEditorScreenStrings> FRows;
    std::unique_ptr<TEditorStrings> FLines;
    std::shared_ptr<TMarkedLines> FMarks; // after FRows: it leaves them before they go

    int FRow = 0;
    int FCol = 0;
    int FRememberedCol = 0;
    bool FRemembered = false;

    TSelectionState FSelState = TSelectionState::None;
    int FAnchorRow = 0;
    int FAnchorByte = 0;
    int FAnchorCol = 0;
    TSelectionBytes FSel;
    TSelectionCols FSelCols;
    bool FBoxSelection = false;

    bool FReadOnly = false;
    bool FOverwrite = false;
    bool FModified = false;
    bool FWantTabs = true;
    int FWidest = 0; // the widest row measured since the rows were rebuilt
    std::uint64_t FTextVersion = 0;

    // Offsets of row starts, valid for rows 0..FOffsetsValid; rebuilt lazily from the first
    // changed row, so queries near the end of a long text stay cheap between edits.
    mutable std::vector<qint64> FRowOffsets;
    mutable int FOffsetsValid = -1;
};

} // namespace brenvik
