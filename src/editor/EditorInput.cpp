// TEditor's input: the key and character tables, input-method results, mouse selection
// (stream, whole rows, dragging the selection), the scroll bars and the context menu.
#include "editor/Editor.h"

#include "editor/EditorCaret.h"
#include "editor/EditorCharset.h"
#include "editor/EditorMessages.h"
#include "editor/EditorPaintImages.h"
#include "highlight/Fountain.h"
#include "highlight/FountainParser.h"
#include "text/EditorScreenStrings.h"

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
    if ((FDragState != 0 || FLeftButtonDown) && !DragKeyFilter(*event))
        return;
    FAutoRepeat = event->isAutoRepeat();
    const bool shift = event->modifiers() & Qt::ShiftModifier;
    const bool ctrl = event->modifiers() & Qt::ControlModifier;
    if (MotionKey(event->key(), shift, ctrl) || CharacterKey(*event))
        return;
    event->ignore();
}

// While the left button is down or the selection is dragged only Ctrl (copy instead of
// move) and Esc (cancel the drag) count; every other key is dropped.
bool TEditor::DragKeyFilter(const QKeyEvent& event)
{
    if (FDragState != 2)
        return false;
    if (event.key() == Qt::Key_Control)
        SetCursorKind(ckDragCopy);
    if (event.key() == Qt::Key_Escape) {
        FDragState = 0;
        FLeftButtonDown = false;
        CancelSelection();
        SetCursorKind(ckDefault);
    }
    return false;
}

void TEditor::keyReleaseEvent(QKeyEvent* event)
{
    if (FDragState == 2 && event->key() == Qt::Key_Control)
        SetCursorKind(ckDragMove);
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
        if (ctrl)
            SetRow(RowCount());
        SetCol(RowWidth(FRow));
        break;
    case Qt::Key_Home:
        if (ctrl)
            SetRowCol(0, 0);
        else
            SetCol(0);
        break;
    case Qt::Key_Left:
        if (ctrl)
            WordMove(FRow, FCol, -1);
        else if (FCol == 0 && FRow > 0 && (nextLine || RowAttribute(FRow - 1) == raWrapped))
            SetRowCol(FRow - 1, RowWidth(FRow - 1));
        else
            SetCol(FCol - 1);
        break;
    case Qt::Key_Right:
        if (ctrl) {
            WordMove(FRow, FCol, 1);
        } else {
            const int before = FCol;
            SetCol(FCol + 1);
            if (FCol == before && RowAttribute(FRow) != raEndOfText
                && (nextLine || RowAttribute(FRow) == raWrapped))
                SetRowCol(FRow + 1, 0);
        }
        break;
    case Qt::Key_Up: {
        // Held at the window's edge, the arrows scroll two rows at a time.
        const int step = FAutoRepeat && FRow == FTopRow ? 2 : 1;
        if (ctrl) {
            SetTopRow(FTopRow - step);
            if (FRow > FTopRow + rows - 1)
                SetRow(FTopRow + rows - 1);
        } else if (FRow > 0) {
            SetRow(FRow - step);
        }
        break;
    }
    case Qt::Key_Down: {
        const int step = FAutoRepeat && FRow == FTopRow + rows - 1 ? 2 : 1;
        if (ctrl) {
            SetTopRow(FTopRow + step);
            if (FRow < FTopRow)
                SetRow(FTopRow);
        } else if (RowAttribute(FRow) != raEndOfText) {
            SetRow(FRow + step);
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
        if (!FWantTabs || shift || ctrl)
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
    const QString text = event.text();
    if (text.isEmpty() || std::any_of(text.begin(), text.end(), [](QChar c) {
            return c.unicode() < 0x20 || c.unicode() == 0x7F;
        }))
        return false;
    TypeUnicode(text);
    return true;
}

// Typed or committed text goes in once, as Shift_JIS; text without a Shift_JIS form is
// refused whole rather than altered.
void TEditor::TypeUnicode(const QString& text)
{
    if (FReadOnly || text.isEmpty())
        return;
    const std::optional<std::string> bytes = TEditorCharset::FromUnicode(text);
    if (!bytes) {
        emit InputRefused(TEditorCharset::NoShiftJisMessage());
        return;
    }
    updateMicroFocus();
    TypeText(*bytes);
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
        return !FReadOnly;
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
    return FWantTabs ? false : QAbstractScrollArea::focusNextPrevChild(next);
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
    SetRow(FRow + FTopRow - before);
    ShowCaret();
}

void TEditor::ScrollRequest(bool vertical, int request, int thumb)
{
    const int current = vertical ? FTopRow : FTopCol;
    const int page = std::max(1, vertical ? FVisibleRows : FVisibleCols);
    const int end = vertical ? RowCount() + page - 1 : MaxCol + page / 2;
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
        SetRow(FRow + FTopRow - before);
}

void TEditor::wheelEvent(QWheelEvent* event)
{
    if (FDragState != 0 || FLeftButtonDown)
        return;
    QAbstractScrollArea::wheelEvent(event);
}

// ---- mouse ----------------------------------------------------------------------------------

bool TEditor::CanDragSelection() const
{
    return !FReadOnly && HasSelection() && !FBoxSelection && FCaret->SelMove();
}

bool TEditor::InSelection(TEditorPos position) const
{
    if (!HasSelection() || position.Row < FSelCols.StartRow || position.Row > FSelCols.EndRow)
        return false;
    if (FBoxSelection) {
        const int byte = RawCharIndex(ColumnAttributes(position.Row), position.Col);
        return byte >= BoxStartByte(position.Row) && byte < BoxEndByte(position.Row);
    }
    if (position.Row == FSelCols.StartRow && position.Col < FSelCols.StartCol)
        return false;
    return !(position.Row == FSelCols.EndRow && position.Col > FSelCols.EndCol - 1);
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
    if (event->button() == Qt::MiddleButton && FDragState == 0 && !FLeftButtonDown)
        PastePrimarySelection(event->position().toPoint());
    if (event->button() != Qt::LeftButton || FDragState != 0)
        return;
    const QPoint point = event->position().toPoint();
    const TEditorPos position = PositionAt(point);
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
            FDragState = 1;
        return;
    }
    FLeftButtonDown = true;
    if (point.x() < FLeftOffset && FCaret->RowSelect()) {
        StartRowSelection(position.Row);
        return;
    }
    CancelSelection();
    SetRowCol(position.Row, position.Col);
    StartSelection();
}

void TEditor::mouseMoveEvent(QMouseEvent* event)
{
    const QPoint point = event->position().toPoint();
    const bool aboveText = point.y() < FTopOffset;
    if (FDragState == 1) {
        if (FarFromPress(point)) {
            FDragState = 2;
            SetCursorKind(event->modifiers() & Qt::ControlModifier ? ckDragCopy : ckDragMove);
        }
        return;
    }
    if (FDragState == 2) {
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
    if (FDragState == 2) {
        FDragState = 0;
        SetCursorKind(ckDefault);
        if (!viewport()->rect().contains(event->position().toPoint()))
            CancelSelection();
        else
            DropSelection(event->modifiers() & Qt::ControlModifier);
    } else if (FDragState == 1) {
        // A click inside the selection only places the caret.
        FDragState = 0;
        SetCursorKind(ckDefault);
        CancelSelection();
    }
    CopyToPrimarySelection();
}

void TEditor::mouseDoubleClickEvent(QMouseEvent* event)
{
    if (FDragState != 0 || FLeftButtonDown)
        return;
    mousePressEvent(event);
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
    const int count = RowCount();
    if (count == 0)
        return;
    row = std::clamp(row, 0, count - 1);
    const int first = FRowSelectFirst;
    auto after = [&](int r) {
        return RowAttribute(r) == raEndOfText ? TEditorPos {r, RowWidth(r)} : TEditorPos {r + 1, 0};
    };
    const TEditorPos anchor = row >= first ? TEditorPos {first, 0} : after(first);
    const TEditorPos caret = row >= first ? after(row) : TEditorPos {row, 0};
    CancelSelection();
    SetRowCol(anchor.Row, anchor.Col);
    StartSelection();
    SetRowCol(caret.Row, caret.Col);
    ExtendSelection();
}

void TEditor::DropSelection(bool copy)
{
    if (!HasSelection())
        return;
    const TEditorPos drop {FRow, FCol};
    if (copy) {
        const std::string text = SelText();
        const qint64 start = SelStart();
        const qint64 end = start + SelLength();
        const qint64 at = drop.Row >= RowCount() ? TextLength() : RowOffset(drop.Row) + CaretByte();
        CancelSelection();
        if (at >= start && at <= end)
            return;
        SetSelText(text);
        return;
    }
    MoveSelectionTo(drop);
}

// Moves the selected text to the drop point in one ReplaceRows, computed on the text as it
// was: T[:p] + sel + T[p:s] + T[e:] for a drop before it, T[:s] + T[e:p] + sel + T[p:] after.
void TEditor::MoveSelectionTo(TEditorPos drop)
{
    const int count = RowCount();
    const int first = std::min(FSel.StartRow, drop.Row);
    const int last = std::min(std::max(FSel.EndRow, drop.Row), count - 1);
    std::string text;
    for (int row = first; row <= last; ++row) {
        text += RowText(row);
        if (RowAttribute(row) == raBreak)
            text += "\r\n";
    }
    qint64 s = BytesBetween(first, FSel.StartRow) + FSel.StartByte;
    qint64 e = s + SelLength();
    qint64 p = qint64(text.size());
    if (drop.Row < count) {
        const int rowStart = int(BytesBetween(first, drop.Row));
        const int length = int(RowText(drop.Row).size());
        const int k = RawCharIndex(ColumnAttributes(drop.Row), drop.Col);
        if (k > length) {
            // Spaces for a drop beyond the row's end belong to the original text.
            text.insert(size_t(rowStart + length), size_t(k - length), ' ');
            if (rowStart + length <= s)
                s += k - length;
            if (rowStart + length <= e)
                e += k - length;
        }
        p = rowStart + k;
    }
    if (p >= s && p <= e) {
        CancelSelection();
        return;
    }
    const std::string moved = text.substr(size_t(s), size_t(e - s));
    std::string result;
    qint64 target;
    if (p < s) {
        result = text.substr(0, size_t(p)) + moved + text.substr(size_t(p), size_t(s - p))
            + text.substr(size_t(e));
        target = p + qint64(moved.size());
    } else {
        result = text.substr(0, size_t(s)) + text.substr(size_t(e), size_t(p - e)) + moved
            + text.substr(size_t(p));
        target = p;
    }
    CancelSelection();
    const int anchor = LineStart(first);
    Replace(first, last - first + 1, result, anchor, BytesBetween(anchor, first) + target);
}

// ---- tokens ---------------------------------------------------------------------------------

TEditor::TToken TEditor::TokenAt(QPoint point) const
{
    const TEditorPos position = PositionAt(point, false);
    if (position.Row < 0 || position.Row >= RowCount())
        return {};
    const int first = LineStart(position.Row);
    std::string line;
    for (int row = first; row < position.Row; ++row)
        line += RowText(row);
    const int offset = int(line.size()) + CharIndexAt(position.Row, position.Col);
    for (int row = position.Row; row < RowCount(); ++row) {
        line += RowText(row);
        if (RowAttribute(row) != raWrapped)
            break;
    }
    TFountain* fountain = ActiveFountain();
    if (fountain == nullptr)
        return {};
    const std::unique_ptr<TFountainParser> parser = fountain->CreateParser();
    const RowTokenState stored = FRows->RowState(first);
    parser->BeginRow(line, stored.BracketIndex == -2 ? RowTokenState::FirstRow() : stored);
    while (const int kind = parser->ReadToken())
        if (offset >= parser->TokenOffset() && offset < parser->TokenOffset() + parser->TokenSize())
            return {parser->TokenText(), kind, RowOffset(first) + parser->TokenOffset()};
    return {};
}

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
    if (FPopupMenu == nullptr || FDragState != 0)
        return;
    FPopupMenu->popup(event->globalPos());
}

} // namespace brenvik
