// The editor control: a scroll area that shows and edits a row list, possibly shared with
// other editors. Positions, selection and editing live in the headless TEditorModel; this
// widget keeps Qt events, scroll bars, the view properties, the caret blink, the clipboard and
// the focus; TEditorPainter draws it. Its parts live in separate files: view and scrolling,
// painting, the clipboard, the message dispatcher, metrics and input.
#pragma once

#include "editor/EditorEnums.h"
#include "editor/EditorGeometry.h"
#include "editor/EditorViewProperties.h"
#include "jcode/DocumentChars.h"
#include "model/BracketMatch.h"
#include "model/CaretHistory.h"
#include "model/EditorModel.h"
#include "model/ScriptDocument.h"

#include <QAbstractScrollArea>
#include <QElapsedTimer>
#include <QTimer>

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

class QMenu;

namespace brenvik {

class TEditorCaret;
class TEditorFont;
class TEditorLeftbar;
class TEditorMargin;
class TEditorMarks;
class TEditorRuler;
class TEditorScreenStrings;
class TEditorStrings;
class TEditorViewInfo;
class TFountain;

// The widget over a TEditorModel. The model's invariant holds for Row(), Col() and the
// selection (CheckInvariant tells what is broken).
class TEditor : public QAbstractScrollArea, private TEditorModelOwner {
    Q_OBJECT
public:
    static constexpr int MaxCol = TEditorModel::MaxCol; // the horizontal extent of the text in columns

    // What drags the pointer started: none, a press inside the selection that may become a
    // drag, or the selection being dragged.
    enum class TDragState { None, Pressed, Dragging };

    explicit TEditor(QWidget* parent = nullptr);
    ~TEditor() override;

    // The document shown: the editor's own until another is given. The editor edits its model.
    TScriptDocument& Document() { return *FDocument; }
    const TScriptDocument& Document() const { return *FDocument; }
    // Shows and edits document, which must outlive the editor or be replaced first.
    void SetDocument(TScriptDocument& document);
    TEditorModel& Model() { return *FModel; }
    const TEditorModel& Model() const { return *FModel; }

    // Text.
    TEditorStrings& Lines() { return FModel->Lines(); }
    TEditorScreenStrings& ListRows() { return FModel->Rows(); }
    const TEditorScreenStrings& ListRows() const { return FModel->Rows(); }
    // Leaves this editor's rows and shows and edits those of other, with its undo history and its
    // document's characters; the caret and selection stay this editor's own.
    void ShareLines(TEditor& other);
    int RowCount() const { return FModel->RowCount(); }
    // Empty outside the rows.
    std::string_view RowText(int row) const { return FModel->RowText(row); }
    // raEndOfText outside the rows: the place after the last row behaves as an end of text.
    TRowAttribute RowAttribute(int row) const { return FModel->RowAttribute(row); }

    TFountain* Fountain() const { return FFountain; }
    void SetFountain(TFountain* fountain);
    bool WordWrap() const { return FModel->WordWrap(); }
    void SetWordWrap(bool value) { FModel->SetWordWrap(value); }
    int WrapByte() const { return FModel->WrapByte(); }

    // View properties.
    TEditorCaret* Caret() const { return FCaret; }
    TEditorMargin* Margin() const { return FMargin; }
    TEditorMarks* Marks() const { return FMarks; }
    TEditorRuler* Ruler() const { return FRuler; }
    TEditorLeftbar* Leftbar() const { return FLeftbar; }
    TScrollStyle ScrollBars() const { return FScrollBars; }
    void SetScrollBars(TScrollStyle value);

    bool ReadOnly() const { return FModel->ReadOnly(); }
    void SetReadOnly(bool value);
    bool Overwrite() const { return FModel->Overwrite(); }
    void SetOverwrite(bool value);
    bool Modified() const { return FModel->Modified(); }
    void SetModified(bool value) { FModel->SetModified(value); }
    bool WantTabs() const { return FModel->WantTabs(); }
    void SetWantTabs(bool value) { FModel->SetWantTabs(value); }
    bool WantReturns() const { return FWantReturns; }
    void SetWantReturns(bool value) { FWantReturns = value; }

    // Undo.
    bool CanUndo() const { return FModel->CanUndo(); }
    bool CanRedo() const { return FModel->CanRedo(); }
    void Undo() { FModel->Undo(); }
    void Redo() { FModel->Redo(); }
    int UndoListMax() const { return FModel->UndoListMax(); }
    void SetUndoListMax(int value) { FModel->SetUndoListMax(value); }

    // Caret and view (the model, and EditorView.cpp).
    int Row() const { return FModel->Row(); }
    void SetRow(int row) { FModel->SetRow(row); }
    int Col() const { return FModel->Col(); }
    void SetCol(int col) { FModel->SetCol(col); }
    void SetRowCol(int row, int col) { FModel->SetRowCol(row, col); }
    void PlaceCaretAfter(int row, qint64 bytes) { FModel->PlaceCaretAfter(row, bytes); }
    // Where PlaceCaretAfter(0, offset) puts the caret, found through the offset cache.
    void PlaceCaretAtOffset(qint64 offset) { FModel->PlaceCaretAtOffset(offset); }
    // The row and column under a viewport point; rounding picks the nearest boundary.
    TEditorPos PositionAt(QPoint point, bool rounding = true) const;
    int TopRow() const override { return FTopRow; }
    void SetTopRow(int row) override;
    int TopCol() const { return FTopCol; }
    void SetTopCol(int col);
    void ScrollCaret();
    int LineOfRow(int row) const { return FModel->LineOfRow(row); }
    int LineCharIndex(int row, int col) const { return FModel->LineCharIndex(row, col); }

    // Columns, by the rules of text/ColumnModel.h.
    TColumnLayout ColumnLayout() const { return FModel->ColumnLayout(); }
    std::string ColumnAttributes(std::string_view text) const { return FModel->ColumnAttributes(text); }
    std::string ColumnAttributes(int row) const { return FModel->ColumnAttributes(row); }
    int RowWidth(int row) const { return FModel->RowWidth(row); }
    // Byte index of column col of a row, at most the row's length.
    int CharIndexAt(int row, int col) const { return FModel->CharIndexAt(row, col); }
    int TextWidth(std::string_view text) const { return FModel->TextWidth(text); }
    int IndentWidth(std::string_view text) const { return FModel->IndentWidth(text); }
    qint64 TextOffset(int row0, int row, int col) const { return FModel->TextOffset(row0, row, col); }

    // Byte offsets of the whole text, CR LF after every raBreak row.
    qint64 RowOffset(int row) const { return FModel->RowOffset(row); }
    // The row holding offset (the walk stops at the last row).
    int RowOfOffset(qint64 offset) const { return FModel->RowOfOffset(offset); }
    qint64 TextLength() const { return FModel->TextLength(); }

    // Selection.
    bool HasSelection() const { return FModel->HasSelection(); }
    TSelectionState SelectionState() const { return FModel->SelectionState(); }
    const TSelectionBytes& Selection() const { return FModel->Selection(); }
    const TSelectionCols& SelectionCols() const { return FModel->SelectionCols(); }
    void StartSelection() { FModel->StartSelection(); }
    void ExtendSelection() { FModel->ExtendSelection(); }
    void CancelSelection() { FModel->CancelSelection(); }
    qint64 SelStart() const { return FModel->SelStart(); }
    void SetSelStart(qint64 offset) { FModel->SetSelStart(offset); }
    qint64 SelLength() const { return FModel->SelLength(); }
    void SetSelLength(qint64 length) { FModel->SetSelLength(length); }
    // Also offers the text to the X primary selection, as a mouse selection does.
    void SelectAll();
    bool BoxSelection() const { return FModel->BoxSelection(); }
    void SetBoxSelection(bool value);
    void WordMove(int row, int col, int direction) { FModel->WordMove(row, col, direction); }

    // Editing.
    void TypeText(std::string_view text) { FModel->TypeText(text); }
    void SetSelText(std::string_view text) { FModel->SetSelText(text); }
    void DeleteSelection() { FModel->DeleteSelection(); }
    void ClearSelection() { DeleteSelection(); }
    void PasteBox(std::string_view text) { FModel->PasteBox(text); }
    std::string SelText() const { return FModel->SelText(); }
    void Backspace() { FModel->Backspace(); }
    void DeleteChar() { FModel->DeleteChar(); }
    // shift: Shift+Enter opens a line above.
    void Enter(bool shift = false) { FModel->Enter(shift); }
    void Tab() { FModel->Tab(); }

    // Brackets (EditorBrackets.cpp): the pair at the caret, highlighted while nothing is selected.
    const std::optional<TBracketPair>& BracketPair() const { return FBrackets; }
    // The caret to the partner of the bracket at the caret, on the same side of it; with select,
    // both brackets and what they hold selected instead. False when there is no pair.
    bool GoToMatchingBracket(bool select);

    // Caret history (EditorCaretHistory.cpp): a move of the caret further than a window's rows that
    // no edit made (a find, the explorer, go to line) is a jump; back and forward go through them.
    bool GoBack();
    bool GoForward();
    bool CanGoBack() const { return FHistory.CanBack(); }
    bool CanGoForward() const { return FHistory.CanForward(); }

    // Input (EditorInput.cpp).
    // Scrolls the view by rows; the caret keeps its place in the window.
    void PageScroll(int rows);
    // A scroll-bar request (TScrollRequest) in rows or columns; thumb is its position.
    void ScrollRequest(bool vertical, int request, int thumb = 0);
    using TToken = TEditorToken;
    TToken TokenAt(QPoint point) const { return FModel->TokenAt(PositionAt(point, false)); }
    void SelectTokenAt(QPoint point);
    bool CanDragSelection() const;
    bool InSelection(TEditorPos position) const { return FModel->InSelection(position); }
    TDragState DragState() const { return FDragState; }
    // The context menu: the editor's own TEditorPopupMenu unless the application sets another.
    QMenu* PopupMenu() const { return FPopupMenu; }
    void SetPopupMenu(QMenu* menu) { FPopupMenu = menu; }

    // Document characters (EditorDocumentChars.cpp): the characters a UTF-8 file's codes stand for,
    // painted, copied, pasted and typed as those characters. Empty for other documents. A UTF-8
    // document takes characters without a Shift_JIS code as they are typed or pasted: each gets a
    // free code of the user-defined area in the document's table.
    const TDocumentChars& DocumentChars() const { return FDocument->Chars(); }
    void SetDocumentChars(TDocumentChars chars);
    // Typed or pasted text as the document's bytes; empty when some character has no code (none
    // is taken, or the user-defined area is full).
    std::optional<std::string> InputBytes(const QString& text);
    // Why InputBytes refused a text.
    QString InputRefusal() const;

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
    // The layout a paint pass or a repaint region is computed with.
    TEditorGeometry Geometry() const;
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
    // What the row list calls on its editors, here for the widget's own users.
    int CaretRow() const { return FModel->Row(); }
    int CaretCol() const { return FModel->Col(); }
    void SetCaretRow(int row) { SetRow(row); }
    void SetCaretCol(int col) { SetCol(col); }
    void HideCaret() override;
    void ShowCaret() override;
    bool HasFocus() const override { return hasFocus(); }
    void LinesChanged() { FModel->LinesChanged(); }
    void Refresh() { FModel->Refresh(); }
    void InvalidateRow(int row) override;
    bool IsLoading() const { return false; }
    bool IsDestroying() const override { return FDestroying; }
    void InvalidateRows(int first, int last);
    int TabSpaceCount() const;
    int ScreenHeight() const override;
    int RowHeight() const override { return FRowHeight; }

    // Empty when the invariant holds, else what is broken (for tests).
    std::string CheckInvariant() const { return FModel->CheckInvariant(); }

    // Painting (editor-view)
    // View properties that painting uses; the setters copy into the editor's own objects.
    TEditorViewInfo* View() const { return FView; }
    void SetView(TEditorViewInfo* value);
    TEditorFont* Font() const { return FFont; }
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
    // What the painter reads of this editor.
    class TViewProperties final : public TEditorViewProperties {
    public:
        explicit TViewProperties(TEditor& editor)
            : FEditor(editor)
        {
        }
        const TEditorViewInfo& View() const override;
        const TEditorFont& Font() const override;
        TColor Color() const override;
        const TEditorLeftbar& Leftbar() const override;
        const TEditorRuler& Ruler() const override;
        const TEditorMarks& Marks() const override;
        const TEditorMargin& Margin() const override;
        TFountain& PaintFountain() const override;
        const QFont& TextFont() const override;
        const QPalette& Palette() const override;
        TEditorGeometry Geometry() const override;
        bool WantsPaintedRows() const override;
        void RowPainted(
            const std::string& text, int x, int y, int row, const QRect& rect, bool selected) const override;

    private:
        TEditor& FEditor;
    };

    // The view objects are made before the model, which reads the built-in fountain.
    TEditorViewInfo* FView;
    TEditorFont* FFont;
    TColor FColor = clWhite;
    TBorderStyle FBorderStyle = bsSingle;
    // The caret blinks at the platform's flash time and shows at once wherever it moves.
    QTimer FBlink;
    bool FCaretOn = true;
    QRect FCaretPainted;
    // The document shown and the model edited: the editor's own document until SetDocument.
    std::unique_ptr<TScriptDocument> FOwnDocument = std::make_unique<TScriptDocument>();
    TScriptDocument* FDocument = FOwnDocument.get();
    TEditorModel* FModel = &FDocument->Model();
    TViewProperties FViewProperties {*this};
    struct TPainterDeleter {
        void operator()(TEditorPainter* painter) const;
    };
    // Runs while the members are being built: after the view objects and the blink timer.
    static TEditorPainter* CreatePainter(TEditor& editor);
    std::unique_ptr<TEditorPainter, TPainterDeleter> FPainter {CreatePainter(*this)};
    // The caret to draw in this paint pass, if any; starts or stops the blink.
    QRect BlinkingCaret();

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
    // TEditorModelOwner.
    TCaretRules CaretRules() const override;
    TFountain* TokenFountain() const override { return ActiveFountain(); }
    bool PointerHeld() const override { return FLeftButtonDown; }
    void CaretMoved() override;
    void SelectionChanged(const TSelectionCols& before, bool wasSelected, const TSelectionCols& after) override;
    void SelectionCancelled(const TSelectionCols& cols) override;
    void SelectionModeChanged() override;
    void RowsChanged(bool changed) override;

    // View.
    int MaxTopRow() const { return FModel->LastCaretRow(); }
    void FollowCaret();
    void UpdateScrollRanges();

    // Input.
    bool MotionKey(int key, bool shift, bool ctrl);
    bool CharacterKey(const QKeyEvent& event);
    bool DragKeyFilter(const QKeyEvent& event);
    void TypeUnicode(const QString& text);
    void ApplyScroll(bool vertical, int target);
    void StartRowSelection(int row);
    void ExtendRowSelection(int row);
    void DropSelection(bool copy);
    void EndDrag();
    void SetCursorKind(int kind);
    bool FarFromPress(QPoint point) const;
    // Shift+Alt+arrows and Alt+drag: box mode until the selection ends.
    void StartAltBox();
    bool TripleClick(const QMouseEvent& event) const;

    // The model's line marks repaint this editor when they change; none: they no longer do.
    void WatchMarks(bool watch);

    // Brackets.
    void UpdateBrackets();
    void QueueBrackets();
    void ForgetBracketMatch();
    QRect BracketCell(TEditorPos position) const;
    void PaintBrackets(QPainter& canvas) const;
    std::unique_ptr<TBracketMatch> FBracketMatch;
    TFountain* FBracketFountain = nullptr;
    std::optional<TBracketPair> FBrackets;
    bool FBracketsQueued = false;
    // Caret history.
    TLinePlace PlaceOf(TEditorPos position) const;
    void NoteJump(TEditorPos from);
    bool GoToPlace(std::optional<TLinePlace> place);
    TCaretHistory FHistory;
    TEditorPos FLastCaret;
    std::uint64_t FLastCaretVersion = 0;
    bool FGoingThroughHistory = false;

    // Metrics.
    void ViewPropertyChanged(QObject* sender);
    void RowsRebuilt();
    int LeftbarDigits() const;

    TFountain* FFountain = nullptr;
    QMetaObject::Connection FFountainDestroyed;
    TEditorCaret* FCaret;
    TEditorMargin* FMargin;
    TEditorMarks* FMarks;
    TEditorRuler* FRuler;
    TEditorLeftbar* FLeftbar;
    TScrollStyle FScrollBars = ssBoth;

    int FTopRow = 0;
    int FTopCol = 0;
    int FCaretHideCount = 0;

    bool FWantReturns = true;
    bool FDestroying = false;
    bool FLeftButtonDown = false;
    TDragState FDragState = TDragState::None;
    bool FAutoRepeat = false;
    QRect FShownCaret;      // where the caret was last drawn
    int FShownCaretRow = 0; // the row whose underline was last drawn
    QPoint FPressPoint;
    QElapsedTimer FDoubleClick; // since the last double click, for a triple click
    bool FRowSelecting = false;
    bool FBoxByAlt = false; // box mode was switched on by an Alt gesture
    int FRowSelectFirst = 0;
    QMenu* FPopupMenu = nullptr;

    int FFontHeight = 0;
    int FColWidth = 1;
    int FRowHeight = 0;
    int FTopOffset = 0;
    int FLeftOffset = 0;
    int FVisibleRows = 1;
    int FVisibleCols = 1;
};

} // namespace brenvik
