// TEditor's input: the key and character tables, input-method results, mouse selection
// (stream, whole rows, dragging the selection), the scroll bars and the context menu.
#include "editor/Editor.h"
#include "text/ColumnModel.h"

#include "editor/EditorCaret.h"
#include "editor/EditorMessages.h"
#include "editor/EditorPaintImages.h"
#include "highlight/Fountain.h"
#include "highlight/FountainParser.h"
#include "highlight/RowTokenizer.h"
#include "text/EditorScreenStrings.h"

#include <QApplication>
#include <QContextMenuEvent>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QMenu>
#include <QMouseEvent>
#include <QScrollBar>

#include <algorithm>

namespace brenvik {

namespace {

enum TCursorKind { ckDefault, ckLeftMargin, ckTopMargin, ckInSelection, ckDragMove, ckDragCopy };

bool IsMotionKey(int key)
{
    switch (key) {
    case Qt::Key_PageUp:
    case Qt::Key_PageDown:
    case Qt::Key_End:
    case Qt::Key_Home:
    case Qt::Key_Left:
    case Qt::Key_Right:
    case Qt::Key_Up:
    case Qt::Key_Down:
        return true;
    default:
        return false;
    }
}

} // namespace

// ---- keys -----------------------------------------------------------------------------------

void TEditor::keyPressEvent(QKeyEvent* event)
{
    if ((FDragState != TDragState::None || FLeftButtonDown) && !DragKeyFilter(*event))
        return;
    FAutoRepeat = event->isAutoRepeat();
    const bool shift = event->modifiers() & Qt::ShiftModifier;
    const bool ctrl = event->modifiers() & Qt::ControlModifier;
    if (shift && (event->modifiers() & Qt::AltModifier) && IsMotionKey(event->key()))
        StartAltBox();
    if (MotionKey(event->key(), shift, ctrl) || CharacterKey(*event))
        return;
    event->ignore();
}

// While the left button is down or the selection is dragged, keys are dropped; during a drag
// Ctrl shows the copy cursor and Esc cancels the drag and the selection, and those two go on.
// Of the releases only Ctrl's during a drag counts, and shows the move cursor again. Keys that
// would edit never reach the selection while it is held. True when the key goes on.
bool TEditor::DragKeyFilter(const QKeyEvent& event)
{
    if (FDragState != TDragState::Dragging)
        return false;
    if (event.type() != QEvent::KeyPress) {
        if (event.key() != Qt::Key_Control)
            return false;
        SetCursorKind(ckDragMove);
        return true;
    }
    if (event.key() == Qt::Key_Control) {
        SetCursorKind(ckDragCopy);
        return true;
    }
    if (event.key() == Qt::Key_Escape) {
        FDragState = TDragState::None;
        FLeftButtonDown = false;
        CancelSelection();
        SetCursorKind(ckDefault);
        return true;
    }
    return false;
}

void TEditor::keyReleaseEvent(QKeyEvent* event)
{
    if ((FDragState != TDragState::None || FLeftButtonDown) && !DragKeyFilter(*event))
        return;
    if (!event->isAutoRepeat()) {
        FAutoRepeat = false;
        updateMicroFocus();
        if (IsMotionKey(event->key()))
            CopyToPrimarySelection();
    }
}

bool TEditor::MotionKey(int key, bool shift, bool ctrl)
{
    if (key == Qt::Key_Delete) {
        DeleteChar();
        return true;
    }
    if (!IsMotionKey(key))
        return false;
    if (shift && !HasSelection())
        StartSelection();
    else if (!shift && HasSelection())
        CancelSelection();
    const int rows = std::max(FVisibleRows, 1);
    const bool nextLine = FCaret->NextLine();
    switch (key) {
    case Qt::Key_PageUp:
        PageScroll(-std::max(1, rows - 1));
        break;
    case Qt::Key_PageDown:
        PageScroll(std::max(1, rows - 1));
        break;
    case Qt::Key_End:
        if (ctrl) {
            SetRow(RowCount());
            SetCol(RowWidth(Row()));
        } else {
            FModel->MoveToRowEnd();
        }
        break;
    case Qt::Key_Home:
        if (ctrl)
            SetRowCol(0, 0);
        else
            SetCol(0);
        break;
    case Qt::Key_Left:
        if (ctrl)
            WordMove(Row(), Col(), -1);
        else if (Col() == 0 && Row() > 0 && (nextLine || RowAttribute(Row() - 1) == raWrapped))
            SetRowCol(Row() - 1, RowWidth(Row() - 1));
        else
            SetCol(Col() - 1);
        break;
    case Qt::Key_Right:
        if (ctrl) {
            WordMove(Row(), Col(), 1);
        } else {
            const int before = Col();
            SetCol(Col() + 1);
            if (Col() == before && RowAttribute(Row()) != raEndOfText
                && (nextLine || RowAttribute(Row()) == raWrapped))
                SetRowCol(Row() + 1, 0);
        }
        break;
    case Qt::Key_Up: {
        // Held at the window's edge, the arrows scroll two rows at a time.
        const int step = FAutoRepeat && Row() == FTopRow ? 2 : 1;
        if (ctrl) {
            SetTopRow(FTopRow - step);
            if (Row() > FTopRow + rows - 1)
                SetRow(FTopRow + rows - 1);
        } else if (Row() > 0) {
            SetRow(Row() - step);
        }
        break;
    }
    case Qt::Key_Down: {
        const int step = FAutoRepeat && Row() == FTopRow + rows - 1 ? 2 : 1;
        if (ctrl) {
            SetTopRow(FTopRow + step);
            if (Row() < FTopRow)
                SetRow(FTopRow);
        } else if (RowAttribute(Row()) != raEndOfText) {
            SetRow(Row() + step);
        }
        break;
    }
    }
    if (shift)
        ExtendSelection();
    return true;
}

bool TEditor::CharacterKey(const QKeyEvent& event)
{
    const bool shift = event.modifiers() & Qt::ShiftModifier;
    const bool ctrl = event.modifiers() & Qt::ControlModifier;
    switch (event.key()) {
    case Qt::Key_Backspace:
        Backspace();
        return true;
    case Qt::Key_Tab:
        if (!WantTabs() || shift || ctrl)
            return false;
        Tab();
        return true;
    case Qt::Key_Return:
    case Qt::Key_Enter:
        if (!FWantReturns)
            return false;
        Enter(shift);
        return true;
    default:
        break;
    }
    // A chord with Alt or Meta that no command took is not typing.
    if (event.modifiers() & (Qt::AltModifier | Qt::MetaModifier))
        return false;
    const QString text = event.text();
    if (text.isEmpty() || std::any_of(text.begin(), text.end(), [](QChar c) {
            return c.unicode() < 0x20 || c.unicode() == 0x7F;
        }))
        return false;
    TypeUnicode(text);
    return true;
}

// Typed or committed text goes in once, as Shift_JIS; characters without a Shift_JIS form go
// in as 〓 only when the user says so.
void TEditor::TypeUnicode(const QString& text)
{
    if (ReadOnly() || text.isEmpty())
        return;
    const std::optional<std::string> bytes = TakeInput(text, false);
    if (!bytes)
        return;
    updateMicroFocus();
    FModel->TypeKeys(*bytes);
}

void TEditor::inputMethodEvent(QInputMethodEvent* event)
{
    TypeUnicode(event->commitString());
    event->accept();
}

QVariant TEditor::inputMethodQuery(Qt::InputMethodQuery query) const
{
    switch (query) {
    case Qt::ImEnabled:
        return !ReadOnly();
    case Qt::ImCursorRectangle:
        return CaretRect().translated(viewport()->pos());
    case Qt::ImFont:
        return font();
    default:
        return QAbstractScrollArea::inputMethodQuery(query);
    }
}

bool TEditor::focusNextPrevChild(bool next)
{
    return WantTabs() ? false : QAbstractScrollArea::focusNextPrevChild(next);
}

// ---- scrolling ------------------------------------------------------------------------------

void TEditor::PageScroll(int rows)
{
    if (FTopRow == 0 && rows < 0) {
        SetRow(0);
        return;
    }
    if (rows > 0 && RowAttribute(FTopRow) == raEndOfText)
        return;
    const int before = FTopRow;
    HideCaret();
    SetTopRow(std::clamp(FTopRow + rows, 0, RowCount()));
    SetRow(Row() + FTopRow - before);
    ShowCaret();
}

void TEditor::ScrollRequest(bool vertical, int request, int thumb)
{
    const int current = vertical ? FTopRow : FTopCol;
    const int page = std::max(1, vertical ? FVisibleRows : FVisibleCols);
    const int end = vertical ? RowCount() + page - 1 : FModel->HorizontalExtent() + page / 2;
    int target = current;
    switch (request) {
    case SB_LINEUP:
        target = current - 1;
        break;
    case SB_LINEDOWN:
        target = current + 1;
        break;
    case SB_PAGEUP:
        target = current - page;
        break;
    case SB_PAGEDOWN:
        target = current + page;
        break;
    case SB_THUMBPOSITION:
    case SB_THUMBTRACK:
        target = thumb;
        break;
    case SB_TOP:
        target = 0;
        break;
    case SB_BOTTOM:
        target = end;
        break;
    default:
        return;
    }
    ApplyScroll(vertical, std::clamp(target, 0, end));
}

void TEditor::ApplyScroll(bool vertical, int target)
{
    if (!vertical) {
        SetTopCol(target);
        return;
    }
    const int before = FTopRow;
    SetTopRow(target);
    if (FCaret->LockScroll() && FTopRow != before)
        SetRow(Row() + FTopRow - before);
}

void TEditor::wheelEvent(QWheelEvent* event)
{
    if (FDragState != TDragState::None || FLeftButtonDown)
        return;
    QAbstractScrollArea::wheelEvent(event);
}

// ---- mouse ----------------------------------------------------------------------------------

bool TEditor::CanDragSelection() const
{
    return !ReadOnly() && HasSelection() && !BoxSelection() && FCaret->SelMove();
}

bool TEditor::FarFromPress(QPoint point) const
{
    const int half = std::max(FColWidth / 2, 1);
    return std::abs(point.x() - FPressPoint.x()) >= half || std::abs(point.y() - FPressPoint.y()) >= half;
}

void TEditor::SetCursorKind(int kind)
{
    const TEditorCursors& cursors = *FCaret->Cursors();
    if (!FCaret->AutoCursor())
        return;
    const int numbers[] = {cursors.DefaultCursor(), cursors.LeftMarginCursor(), cursors.TopMarginCursor(),
        cursors.InSelCursor(), cursors.DragSelCursor(), cursors.DragSelCopyCursor()};
    viewport()->setCursor(EditorCursor(numbers[kind]));
}

void TEditor::mousePressEvent(QMouseEvent* event)
{
    if (!hasFocus())
        setFocus(Qt::MouseFocusReason);
    if (event->button() == Qt::MiddleButton && FDragState == TDragState::None && !FLeftButtonDown)
        PastePrimarySelection(event->position().toPoint());
    if (event->button() != Qt::LeftButton || FDragState != TDragState::None)
        return;
    const QPoint point = event->position().toPoint();
    const TEditorPos position = PositionAt(point);
    if (TripleClick(*event)) {
        FDoubleClick.invalidate();
        FModel->SelectLineAt(PositionAt(point, false).Row);
        return;
    }
    FDoubleClick.invalidate();
    if (event->modifiers() & Qt::ShiftModifier) {
        FLeftButtonDown = true;
        if (!HasSelection())
            StartSelection();
        SetRowCol(position.Row, position.Col);
        ExtendSelection();
        return;
    }
    FPressPoint = point;
    if (CanDragSelection() && point.x() >= FLeftOffset && InSelection(PositionAt(point, false))) {
        SetRowCol(position.Row, position.Col);
        // The press ends here: from now on the drag is tracked by its own state.
        if (FCaret->SelDragMode() == dmAutomatic)
            FDragState = TDragState::Pressed;
        return;
    }
    FLeftButtonDown = true;
    if (point.x() < FLeftOffset && FCaret->RowSelect()) {
        StartRowSelection(position.Row);
        return;
    }
    CancelSelection();
    if (event->modifiers() & Qt::AltModifier)
        StartAltBox();
    SetRowCol(position.Row, position.Col);
    StartSelection();
}

void TEditor::mouseMoveEvent(QMouseEvent* event)
{
    const QPoint point = event->position().toPoint();
    const bool aboveText = point.y() < FTopOffset;
    if (FDragState == TDragState::Pressed) {
        if (FarFromPress(point)) {
            FDragState = TDragState::Dragging;
            SetCursorKind(event->modifiers() & Qt::ControlModifier ? ckDragCopy : ckDragMove);
        }
        return;
    }
    if (FDragState == TDragState::Dragging) {
        // The caret shows the drop point.
        const TEditorPos position = PositionAt(point, false);
        SetRowCol(position.Row - (aboveText ? 1 : 0), position.Col);
        return;
    }
    if (FLeftButtonDown) {
        TEditorPos position = PositionAt(point);
        position.Row -= aboveText ? 1 : 0; // over the ruler the text scrolls up
        if (FRowSelecting) {
            ExtendRowSelection(position.Row);
            return;
        }
        SetRowCol(position.Row, position.Col);
        if (HasSelection() || FarFromPress(point))
            ExtendSelection();
        return;
    }
    if (point.x() < FLeftOffset)
        SetCursorKind(ckLeftMargin);
    else if (aboveText)
        SetCursorKind(ckTopMargin);
    else if (CanDragSelection() && InSelection(PositionAt(point, false)))
        SetCursorKind(ckInSelection);
    else
        SetCursorKind(ckDefault);
}

void TEditor::mouseReleaseEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton)
        return;
    FLeftButtonDown = false;
    FRowSelecting = false;
    if (FDragState == TDragState::Dragging) {
        FDragState = TDragState::None;
        SetCursorKind(ckDefault);
        if (!viewport()->rect().contains(event->position().toPoint()))
            CancelSelection();
        else
            DropSelection(event->modifiers() & Qt::ControlModifier);
    } else if (FDragState == TDragState::Pressed) {
        // A click inside the selection only places the caret.
        FDragState = TDragState::None;
        SetCursorKind(ckDefault);
        CancelSelection();
    }
    CopyToPrimarySelection();
}

void TEditor::mouseDoubleClickEvent(QMouseEvent* event)
{
    if (FDragState == TDragState::Dragging || FLeftButtonDown)
        return;
    // A first press inside the selection waited to see whether a drag would follow: none will.
    FDragState = TDragState::None;
    const QPoint point = event->position().toPoint();
    if (event->button() != Qt::LeftButton || point.x() < FLeftOffset || event->modifiers() != Qt::NoModifier) {
        mousePressEvent(event);
        return;
    }
    // The word under the pointer; a third press soon after at the same place takes the line.
    FModel->SelectWordAt(PositionAt(point, false));
    FDoubleClick.start();
    FPressPoint = point;
    CopyToPrimarySelection();
}

bool TEditor::TripleClick(const QMouseEvent& event) const
{
    return event.button() == Qt::LeftButton && FDoubleClick.isValid()
        && FDoubleClick.elapsed() <= QApplication::doubleClickInterval()
        && !FarFromPress(event.position().toPoint());
}

void TEditor::StartRowSelection(int row)
{
    if (RowCount() == 0)
        return;
    FRowSelecting = true;
    FRowSelectFirst = std::clamp(row, 0, RowCount() - 1);
    ExtendRowSelection(FRowSelectFirst);
}

// Whole rows from the first row to row, either way, line breaks included.
void TEditor::ExtendRowSelection(int row)
{
    FModel->SelectRows(FRowSelectFirst, row);
}

void TEditor::DropSelection(bool copy)
{
    FModel->DropSelection({Row(), Col()}, copy);
}

// ---- tokens ---------------------------------------------------------------------------------

void TEditor::SelectTokenAt(QPoint point)
{
    const TToken token = TokenAt(point);
    if (token.Text.empty())
        return;
    SetSelStart(token.Start);
    SetSelLength(qint64(token.Text.size()));
}

// ---- context menu ---------------------------------------------------------------------------

void TEditor::contextMenuEvent(QContextMenuEvent* event)
{
    if (FPopupMenu == nullptr || FDragState != TDragState::None)
        return;
    FPopupMenu->popup(event->globalPos());
}

} // namespace brenvik
