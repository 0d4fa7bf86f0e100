// TEditor::Perform: the window and edit-control messages, served from a table of small
// handlers over the editor's typed operations. Pointers arrive as integers.
#include "editor/Editor.h"
#include "text/ColumnModel.h"

#include "editor/EditorMessages.h"
#include "text/EditorScreenStrings.h"
#include "text/EditorStrings.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QScrollBar>

#include <algorithm>
#include <cstring>

namespace brenvik {

namespace {

using THandler = qintptr (*)(TEditor&, qintptr wParam, qintptr lParam);

template <typename T> T* Pointer(qintptr value)
{
    return reinterpret_cast<T*>(value);
}

// A NUL-terminated byte string passed by address; empty for a null pointer.
std::string_view CString(qintptr value)
{
    const char* text = Pointer<const char>(value);
    return text ? std::string_view(text) : std::string_view();
}

bool ValidRowIndex(const TEditor& editor, qintptr row)
{
    const int count = editor.RowCount();
    if (row < 0 || row > count)
        return false;
    return row < count || count == 0 || editor.RowAttribute(count - 1) != raEndOfText;
}

// The row and byte that a text offset falls on (the walk stops at the last row).
std::pair<int, int> OffsetPosition(const TEditor& editor, qint64 offset)
{
    const int row = editor.RowOfOffset(offset);
    const qint64 byte
        = std::clamp<qint64>(offset - editor.RowOffset(row), 0, qint64(editor.RowText(row).size()));
    return {row, int(byte)};
}

qintptr SetText(TEditor& editor, qintptr, qintptr lParam)
{
    if (editor.ReadOnly())
        return 0;
    editor.Lines().SetTextStr(CString(lParam));
    return 1;
}

qintptr GetText(TEditor& editor, qintptr wParam, qintptr lParam)
{
    char* buffer = Pointer<char>(lParam);
    if (buffer == nullptr || wParam <= 0)
        return 0;
    const std::string text = editor.Lines().GetTextStr();
    const size_t n = std::min(size_t(wParam - 1), text.size());
    std::memcpy(buffer, text.data(), n);
    buffer[n] = '\0';
    return qintptr(n);
}

qintptr GetTextLength(TEditor& editor, qintptr, qintptr)
{
    return qintptr(editor.TextLength());
}

qintptr GetSel(TEditor& editor, qintptr wParam, qintptr lParam)
{
    const qint64 start = editor.SelStart();
    const qint64 end = start + editor.SelLength();
    if (auto* out = Pointer<quint32>(wParam))
        *out = quint32(start);
    if (auto* out = Pointer<quint32>(lParam))
        *out = quint32(end);
    return MakeLong(int(start), int(end));
}

qintptr SetSel(TEditor& editor, qintptr wParam, qintptr lParam)
{
    if (wParam == 0 && lParam == -1) {
        editor.SelectAll();
    } else if (wParam == -1) {
        editor.CancelSelection();
    } else {
        // An end of -1 means the end of the text, as in the edit control.
        const qint64 end = lParam == -1 ? editor.TextLength() : qint64(lParam);
        editor.SetSelStart(std::min<qint64>(wParam, end));
        editor.SetSelLength(std::abs(end - qint64(wParam)));
    }
    return 0;
}

qintptr ScrollCaret(TEditor& editor, qintptr, qintptr)
{
    editor.ScrollCaret();
    return 1;
}

qintptr GetModify(TEditor& editor, qintptr, qintptr)
{
    return editor.Modified() ? 1 : 0;
}

qintptr SetModify(TEditor& editor, qintptr wParam, qintptr)
{
    if (!editor.ReadOnly())
        editor.SetModified(wParam != 0);
    return 0;
}

qintptr GetLineCount(TEditor& editor, qintptr, qintptr)
{
    return editor.RowCount();
}

qintptr LineIndex(TEditor& editor, qintptr wParam, qintptr)
{
    const qintptr row = wParam == -1 ? editor.Row() : wParam;
    return ValidRowIndex(editor, row) ? qintptr(editor.RowOffset(int(row))) : -1;
}

qintptr LineLength(TEditor& editor, qintptr wParam, qintptr)
{
    if (wParam == -1) {
        if (!editor.HasSelection())
            return qintptr(editor.RowText(editor.Row()).size());
        const TSelectionBytes& selection = editor.Selection();
        return qintptr(editor.RowText(selection.EndRow).size()) + selection.StartByte - selection.EndByte - 1;
    }
    return qintptr(editor.RowText(OffsetPosition(editor, wParam).first).size());
}

qintptr ReplaceSel(TEditor& editor, qintptr, qintptr lParam)
{
    if (!editor.ReadOnly())
        editor.SetSelText(CString(lParam));
    return 0;
}

qintptr GetLine(TEditor& editor, qintptr wParam, qintptr lParam)
{
    char* buffer = Pointer<char>(lParam);
    if (buffer == nullptr || !ValidRowIndex(editor, wParam))
        return 0;
    quint16 size = 0;
    std::memcpy(&size, buffer, sizeof size);
    const std::string_view text = editor.RowText(int(wParam));
    const size_t n = std::min(size_t(size), text.size());
    std::memcpy(buffer, text.data(), n);
    return qintptr(n);
}

qintptr CanUndo(TEditor& editor, qintptr, qintptr)
{
    return !editor.ReadOnly() && editor.CanUndo() ? 1 : 0;
}

qintptr Undo(TEditor& editor, qintptr, qintptr)
{
    if (editor.ReadOnly() || !editor.CanUndo())
        return 0;
    editor.Undo();
    return 1;
}

qintptr LineFromChar(TEditor& editor, qintptr wParam, qintptr)
{
    if (wParam == -1)
        return editor.HasSelection() ? editor.Selection().StartRow : editor.Row();
    return OffsetPosition(editor, wParam).first;
}

qintptr EmptyUndoBuffer(TEditor& editor, qintptr, qintptr)
{
    if (!editor.ReadOnly())
        editor.ListRows().UndoObj().ClearAll();
    return 0;
}

qintptr GetFirstVisibleLine(TEditor& editor, qintptr, qintptr)
{
    return editor.TopRow();
}

qintptr SetReadOnly(TEditor& editor, qintptr wParam, qintptr)
{
    editor.SetReadOnly(wParam != 0);
    return 1;
}

qintptr PosFromChar(TEditor& editor, qintptr wParam, qintptr)
{
    const auto [row, byte] = OffsetPosition(editor, wParam);
    const int col = editor.TextWidth(editor.RowText(row).substr(0, size_t(byte)));
    const int x = (col - editor.TopCol()) * editor.ColWidth() + editor.LeftOffset();
    const int y = (row - editor.TopRow()) * editor.RowHeight() + editor.TopOffset();
    return MakeLong(x, y);
}

qintptr CharFromPos(TEditor& editor, qintptr, qintptr lParam)
{
    const QPoint point(qint16(lParam & 0xFFFF), qint16((lParam >> 16) & 0xFFFF));
    if (!editor.viewport()->rect().contains(point))
        return -1;
    const TEditorPos position = editor.PositionAt(point);
    if (position.Row > editor.RowCount())
        return -1;
    const std::string attributes = editor.ColumnAttributes(position.Row);
    const int byte
        = std::min(int(editor.RowText(position.Row).size()), ByteOfColumn(attributes, position.Col));
    return MakeLong(int(editor.RowOffset(position.Row) + byte), position.Row);
}

qintptr Cut(TEditor& editor, qintptr, qintptr)
{
    if (!editor.ReadOnly() && editor.HasSelection())
        editor.CutToClipboard();
    else
        QGuiApplication::clipboard()->setText(QString());
    return 0;
}

qintptr Copy(TEditor& editor, qintptr, qintptr)
{
    if (editor.HasSelection())
        editor.CopyToClipboard();
    else
        QGuiApplication::clipboard()->setText(QString());
    return 0;
}

qintptr Paste(TEditor& editor, qintptr, qintptr)
{
    if (!editor.ReadOnly())
        editor.PasteFromClipboard();
    return 0;
}

qintptr Clear(TEditor& editor, qintptr, qintptr)
{
    if (!editor.ReadOnly())
        editor.DeleteSelection();
    return 0;
}

qintptr GetDlgCode(TEditor& editor, qintptr, qintptr)
{
    return DLGC_WANTARROWS | DLGC_WANTCHARS | (editor.WantTabs() ? DLGC_WANTTAB : 0)
        | (editor.WantReturns() ? DLGC_WANTALLKEYS : 0);
}

qintptr VScroll(TEditor& editor, qintptr wParam, qintptr)
{
    // The vertical thumb travels as the scroll bar's 32-bit track position.
    editor.ScrollRequest(true, int(wParam & 0xFFFF), editor.verticalScrollBar()->sliderPosition());
    return 0;
}

qintptr HScroll(TEditor& editor, qintptr wParam, qintptr)
{
    editor.ScrollRequest(false, int(wParam & 0xFFFF), int((wParam >> 16) & 0xFFFF));
    return 0;
}

struct TMessageEntry {
    unsigned Message;
    THandler Handler;
};

constexpr TMessageEntry kMessages[] = {
    {WM_SETTEXT, SetText},
    {WM_GETTEXT, GetText},
    {WM_GETTEXTLENGTH, GetTextLength},
    {EM_GETSEL, GetSel},
    {EM_SETSEL, SetSel},
    {EM_SCROLLCARET, ScrollCaret},
    {EM_GETMODIFY, GetModify},
    {EM_SETMODIFY, SetModify},
    {EM_GETLINECOUNT, GetLineCount},
    {EM_LINEINDEX, LineIndex},
    {EM_LINELENGTH, LineLength},
    {EM_REPLACESEL, ReplaceSel},
    {EM_GETLINE, GetLine},
    {EM_CANUNDO, CanUndo},
    {EM_UNDO, Undo},
    {EM_LINEFROMCHAR, LineFromChar},
    {EM_EMPTYUNDOBUFFER, EmptyUndoBuffer},
    {EM_GETFIRSTVISIBLELINE, GetFirstVisibleLine},
    {EM_SETREADONLY, SetReadOnly},
    {EM_POSFROMCHAR, PosFromChar},
    {EM_CHARFROMPOS, CharFromPos},
    {WM_GETDLGCODE, GetDlgCode},
    {WM_VSCROLL, VScroll},
    {WM_HSCROLL, HScroll},
    {WM_CUT, Cut},
    {WM_COPY, Copy},
    {WM_PASTE, Paste},
    {WM_CLEAR, Clear},
};

} // namespace

qintptr TEditor::Perform(unsigned msg, qintptr wParam, qintptr lParam)
{
    for (const TMessageEntry& entry : kMessages)
        if (entry.Message == msg)
            return entry.Handler(*this, wParam, lParam);
    return 0;
}

} // namespace brenvik
