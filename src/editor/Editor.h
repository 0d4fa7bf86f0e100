// The editor control: a scroll area that shows and edits a row list, possibly shared with
// other editors. Its parts live in separate files: positions and selection, editing, the
// clipboard, the message dispatcher, metrics and input.
#pragma once

#include "editor/EditorEnums.h"
#include "text/AttachedEditor.h"
#include "text/RowAttribute.h"

#include <QAbstractScrollArea>

#include <compare>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

class QMenu;

namespace brenvik {

class TEditorCaret;
class TEditorLeftbar;
class TEditorMargin;
class TEditorMarks;
class TEditorRuler;
class TEditorScreenStrings;
class TEditorStrings;
class TEditorStringList;
class TFountain;

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

// Invariant: 0 <= Row() <= RowCount(), and Row() < RowCount() when the last row is
// raEndOfText; 0 <= Col() <= 1001 and Col() never stands on a trail byte; with a selection,
// StartRow <= EndRow (CheckInvariant tells what is broken).
class TEditor : public QAbstractScrollArea, public TAttachedEditor {
    Q_OBJECT
public:
    static constexpr int MaxCol = 1000; // the horizontal extent of the text in columns

    explicit TEditor(QWidget* parent = nullptr);
    ~TEditor() override;

    // Text.
    TEditorStrings& Lines() { return *FLines; }
    TEditorScreenStrings& ListRows() { return *FRows; }
    const TEditorScreenStrings& ListRows() const { return *FRows; }
    // Leaves this editor's rows and shows and edits those of other, with its undo history.
    void ShareLines(TEditor& other);
    int RowCount() const;
    // Empty outside the rows.
    std::string_view RowText(int row) const;
    // raEndOfText outside the rows: the place after the last row behaves as an end of text.
    TRowAttribute RowAttribute(int row) const;

    TFountain* Fountain() const { return FFountain; }
    void SetFountain(TFountain* fountain);
    bool WordWrap() const;
    void SetWordWrap(bool value);
    int WrapByte() const;

    // View properties.
    TEditorCaret* Caret() const { return FCaret; }
    TEditorMargin* Margin() const { return FMargin; }
    TEditorMarks* Marks() const { return FMarks; }
    TEditorRuler* Ruler() const { return FRuler; }
    TEditorLeftbar* Leftbar() const { return FLeftbar; }
    TScrollStyle ScrollBars() const { return FScrollBars; }
    void SetScrollBars(TScrollStyle value);

    bool ReadOnly() const { return FReadOnly; }
    void SetReadOnly(bool value);
    bool Overwrite() const { return FOverwrite; }
    void SetOverwrite(bool value);
    bool Modified() const { return FModified; }
    void SetModified(bool value) { FModified = value; }
    bool WantTabs() const { return FWantTabs; }
    void SetWantTabs(bool value) { FWantTabs = value; }
    bool WantReturns() const { return FWantReturns; }
    void SetWantReturns(bool value) { FWantReturns = value; }

    // Undo.
    bool CanUndo() const;
    bool CanRedo() const;
    void Undo();
    void Redo();
    int UndoListMax() const;
    void SetUndoListMax(int value);

    // Caret and view (EditorPositions.cpp).
    int Row() const { return FRow; }
    void SetRow(int row);
    int Col() const { return FCol; }
    void SetCol(int col);
    void SetRowCol(int row, int col);
    void PlaceCaretAfter(int row, qint64 bytes);
    // Where PlaceCaretAfter(0, offset) puts the caret, found through the offset cache.
    void PlaceCaretAtOffset(qint64 offset);
    // The row and column under a viewport point; rounding picks the nearest boundary.
    TEditorPos PositionAt(QPoint point, bool rounding = true) const;
    void SetTopRow(int row) override;
    int TopCol() const { return FTopCol; }
    void SetTopCol(int col);
    void ScrollCaret();
    int LineOfRow(int row) const;
    int LineCharIndex(int row, int col) const;

    // Columns (EditorPositions.cpp). An attribute string has one code per display column:
    // '1' byte, '2' delimiter byte, '3' tab fill, '4' lead byte, '5' trail byte.
    std::string ColumnAttributes(std::string_view text) const;
    std::string ColumnAttributes(int row) const { return ColumnAttributes(RowText(row)); }
    int RowWidth(int row) const { return int(ColumnAttributes(row).size()); }
    // Byte index of column col of a row, at most the row's length.
    int CharIndexAt(int row, int col) const;
    // Byte index of column col, not clamped to the row: beyond the end it counts the spaces
    // that typing there adds; inside tab fill it is the tab; on a trail byte, its lead byte.
    static int RawCharIndex(const std::string& attributes, int col);
    // The code of a column; '\0' outside the string.
    static char ColumnCode(const std::string& attributes, int col);
    static int SelStartChar(const std::string& attributes, int col1);
    static int SelEndChar(const std::string& attributes, int col1);
    int TextWidth(std::string_view text) const;
    int IndentWidth(std::string_view text) const;
    qint64 TextOffset(int row0, int row, int col) const;
    static bool IsDelimiter(unsigned char c);

    // Byte offsets of the whole text, CR LF after every raBreak row.
    qint64 RowOffset(int row) const;
    // The row holding offset (the walk stops at the last row).
    int RowOfOffset(qint64 offset) const;
    qint64 TextLength() const;

    // Selection (EditorPositions.cpp).
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
    void WordMove(int row, int col, int direction);

    // Editing (EditorEditing.cpp).
    void TypeText(std::string_view text);
    void SetSelText(std::string_view text);
    void DeleteSelection();
    void ClearSelection() { DeleteSelection(); }
    void PasteBox(std::string_view text);
    std::string SelText() const;
    void Backspace();
    void DeleteChar();
    // shift: Shift+Enter opens a line above.
    void Enter(bool shift = false);
    void Tab();

    // Input (EditorInput.cpp).
    // Scrolls the view by rows; the caret keeps its place in the window.
    void PageScroll(int rows);
    // A scroll-bar request (TScrollRequest) in rows or columns; thumb is its position.
    void ScrollRequest(bool vertical, int request, int thumb = 0);
    struct TToken {
        std::string Text;
        int Kind = 0; // the fountain's token kind; 0 when no token is under the point
        qint64 Start = -1; // byte offset of the token in the whole text
    };
    TToken TokenAt(QPoint point) const;
    void SelectTokenAt(QPoint point);
    bool CanDragSelection() const;
    bool InSelection(TEditorPos position) const;
    int DragState() const { return FDragState; }
    // The context menu: the editor's own TEditorPopupMenu unless the application sets another.
    QMenu* PopupMenu() const { return FPopupMenu; }
    void SetPopupMenu(QMenu* menu) { FPopupMenu = menu; }

    // Clipboard (EditorClipboard.cpp). Pasting text with no Shift_JIS form changes nothing
    // and is refused through InputRefused.
    void CopyToClipboard();
    void CutToClipboard();
    void PasteFromClipboard();
    void PasteBoxFromClipboard();
    static QString BoxMimeType();
    // The X primary selection: set from a finished selection, pasted by a middle click at a
    // viewport point.
    void CopyToPrimarySelection();
    void PastePrimarySelection(QPoint point);

    // The edit-control protocol (EditorMessages.cpp): pointers travel as integers.
    qintptr Perform(unsigned msg, qintptr wParam = 0, qintptr lParam = 0);

    // Metrics (EditorMetrics.cpp).
    void UpdateMetrics();
    int FontHeight() const { return FFontHeight; }
    int ColWidth() const { return FColWidth; }
    int TopOffset() const { return FTopOffset; }
    int LeftOffset() const { return FLeftOffset; }
    int VisibleRows() const { return FVisibleRows; }
    int VisibleCols() const { return FVisibleCols; }
    int RulerHeight() const;
    int LeftbarWidth() const;
    // The caret's rectangle in viewport pixels.
    QRect CaretRect() const;
    bool CaretVisible() const { return FCaretHideCount == 0 && hasFocus(); }

    // Events; the first argument is the sender.
    std::function<void(TEditor*)> OnChange;
    std::function<void(TEditor*)> OnCaretMoved;
    std::function<void(TEditor*, bool)> OnSelectionChange;
    std::function<void(TEditor*)> OnSelectionModeChange;
    std::function<void(TEditor*)> OnTopRowChange;
    std::function<void(TEditor*)> OnTopColChange;

signals:
    // Typed, committed or pasted text was refused, or an edit failed: a message for the
    // window's status panel. The text is unchanged.
    void InputRefused(const QString& message);

public:

    // TAttachedEditor.
    int CaretRow() const override { return FRow; }
    int CaretCol() const override { return FCol; }
    void SetCaretRow(int row) override { SetRow(row); }
    void SetCaretCol(int col) override { SetCol(col); }
    int TopRow() const override { return FTopRow; }
    void HideCaret() override;
    void ShowCaret() override;
    bool HasFocus() const override { return hasFocus(); }
    void LinesChanged() override;
    void Refresh() override;
    void InvalidateRow(int row) override;
    bool IsLoading() const override { return false; }
    bool IsDestroying() const override { return FDestroying; }
    void InvalidateRows(int first, int last);
    int TabSpaceCount() const override;
    int ScreenHeight() const override;
    int RowHeight() const override { return FRowHeight; }
    std::unique_ptr<TRowStateScanner> CreateRowStateScanner() override;

    // Empty when the invariant holds, else what is broken (for tests).
    std::string CheckInvariant() const;

    // Painting (editor-view)
    // View properties that painting uses; the setters copy into the editor's own objects.
    class TEditorViewInfo* View() const;
    void SetView(TEditorViewInfo* value);
    class TEditorFont* Font() const;
    void SetFont(TEditorFont* value);
    quint32 Color() const; // the background, a TColor
    void SetColor(quint32 value);
    TBorderStyle BorderStyle() const;
    void SetBorderStyle(TBorderStyle value);
    // The built-in fountain's reserved words; setting copies only a list that differs.
    class TStringList* ReserveWordList() const;
    void SetReserveWordList(TStringList* value);
    class TEditorWrapOption* WrapOption() const;
    void SetWrapOption(TEditorWrapOption* value);
    // Fountain() when set, else the built-in fountain of View().
    TFountain* ActiveFountain() const;
    // The change handler of every view object and fountain: rescans, remeasures, repaints.
    void FountainChanged(QObject* sender);
    class TEditorPainter& Painter() const;
    // The canvas while a paint pass runs (for OnDrawLine), else null.
    class QPainter* Canvas() const;
    // Text on the editor's grid, one column per byte (opaque: fill the clip first).
    void DrawCells(const QRect& clip, int x, bool opaque, std::string_view text, int y);
    // Called after each painted row part: the row text with tabs expanded, the x of its
    // column 0, the top of its text, the row index, the row rectangle, drawn as selected.
    std::function<void(TEditor*, const std::string&, int, int, int, const QRect&, bool)> OnDrawLine;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    friend class TEditorPainter;
    struct TPainterDeleter {
        void operator()(TEditorPainter* painter) const;
    };
    static TEditorPainter* CreatePainter(TEditor& editor);
    std::unique_ptr<TEditorPainter, TPainterDeleter> FPainter{CreatePainter(*this)};

public:
    // End of painting (editor-view)

protected:
    // Every event goes through GuardInput (EditorGuard.cpp).
    bool event(QEvent* event) override;
    bool viewportEvent(QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void keyReleaseEvent(QKeyEvent* event) override;
    void inputMethodEvent(QInputMethodEvent* event) override;
    QVariant inputMethodQuery(Qt::InputMethodQuery query) const override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;
    bool focusNextPrevChild(bool next) override;
    void resizeEvent(QResizeEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;

private:
    // The attribute in a row's packed slot 1 (bits 0-3), as the row list's ForEachRow hands
    // it over: walking rows that way is several times faster than a lookup per row.
    static TRowAttribute PackedAttribute(std::uint32_t packed) { return static_cast<TRowAttribute>(packed & 0xF); }

    // Positions.
    void AssignRow(int row);
    void AssignCol(int col);
    int MaxTopRow() const;
    qint64 BytesBetween(int row0, int row) const;
    void ValidateCol(int direction, bool rowRule);
    void CaretMoved();
    void FollowCaret();
    void UpdateScrollRanges();
    void RecomputeSelection(bool wasSelected);
    void InvalidateOffsetsFrom(int row) const;
    int LineStart(int row) const;
    int CaretByte() const;
    int BoxStartByte(int row) const;
    int BoxEndByte(int row) const;
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
    void Unindent();
    int UnindentTarget() const;
    int EnterIndent() const;
    std::string IndentText(int width) const;
    std::string WithBreak(std::string text, int row) const;

    // Input.
    bool MotionKey(int key, bool shift, bool ctrl);
    bool CharacterKey(const QKeyEvent& event);
    bool DragKeyFilter(const QKeyEvent& event);
    void TypeUnicode(const QString& text);
    void ApplyScroll(bool vertical, int target);
    void StartRowSelection(int row);
    void ExtendRowSelection(int row);
    void DropSelection(bool copy);
    void MoveSelectionTo(TEditorPos drop);
    void SetCursorKind(int kind);
    bool FarFromPress(QPoint point) const;

    // Metrics.
    void ViewPropertyChanged(QObject* sender);
    void RowsRebuilt();
    int LeftbarDigits() const;

    std::shared_ptr<TEditorScreenStrings> FRows;
    std::unique_ptr<TEditorStrings> FLines;
    TFountain* FFountain = nullptr;
    QMetaObject::Connection FFountainDestroyed;
    TEditorCaret* FCaret;
    TEditorMargin* FMargin;
    TEditorMarks* FMarks;
    TEditorRuler* FRuler;
    TEditorLeftbar* FLeftbar;
    TScrollStyle FScrollBars = ssBoth;

    int FRow = 0;
    int FCol = 0;
    int FTopRow = 0;
    int FTopCol = 0;
    int FRememberedCol = 0;
    bool FRemembered = false;
    int FCaretHideCount = 0;

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
    bool FWantReturns = true;
    bool FDestroying = false;
    bool FLeftButtonDown = false;
    int FDragState = 0; // 0 none, 1 pressed inside the selection, 2 dragging it
    bool FAutoRepeat = false;
    QRect FShownCaret;      // where the caret was last drawn
    int FShownCaretRow = 0; // the row whose underline was last drawn
    QPoint FPressPoint;
    bool FRowSelecting = false;
    int FRowSelectFirst = 0;
    QMenu* FPopupMenu = nullptr;

    int FFontHeight = 0;
    int FColWidth = 1;
    int FRowHeight = 0;
    int FTopOffset = 0;
    int FLeftOffset = 0;
    int FVisibleRows = 1;
    int FVisibleCols = 1;

    // Offsets of row starts, valid for rows 0..FOffsetsValid; rebuilt lazily from the first
    // changed row, so queries near the end of a long text stay cheap between edits.
    mutable std::vector<qint64> FRowOffsets;
    mutable int FOffsetsValid = -1;
};

} // namespace brenvik
