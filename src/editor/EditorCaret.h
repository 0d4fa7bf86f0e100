// The caret's behaviour settings and the mouse cursors of the editor.
#pragma once

#include "editor/EditorEnums.h"
#include "support/NotifyPersistent.h"

namespace brenvik {

// Cursor numbers: the standard shapes are Qt::CursorShape values; the two built from the
// program's own images get numbers past Qt's range (their images: EditorPaintImages.h).
enum TCursorNumber : int {
    crArrow = 0, // Qt::ArrowCursor
    crIBeam = 4, // Qt::IBeamCursor
    crDrag = 20, // Qt::DragMoveCursor
    crRightArrow = 0x100, // "RightArrow": the left-margin cursor
    crDragSelCopy = 0x101, // "DragSelCopy": dragging a copy of the selection
};

// Invariant: every cursor number is a 16-bit value.
class TEditorCursors : public TNotifyPersistent {
    Q_OBJECT
    Q_PROPERTY(int DefaultCursor READ DefaultCursor WRITE SetDefaultCursor)
    Q_PROPERTY(int DragSelCursor READ DragSelCursor WRITE SetDragSelCursor)
    Q_PROPERTY(int DragSelCopyCursor READ DragSelCopyCursor WRITE SetDragSelCopyCursor)
    Q_PROPERTY(int InSelCursor READ InSelCursor WRITE SetInSelCursor)
    Q_PROPERTY(int LeftMarginCursor READ LeftMarginCursor WRITE SetLeftMarginCursor)
    Q_PROPERTY(int TopMarginCursor READ TopMarginCursor WRITE SetTopMarginCursor)
public:
    explicit TEditorCursors(QObject* parent = nullptr);

    int DefaultCursor() const { return FDefaultCursor; }
    int DragSelCursor() const { return FDragSelCursor; }
    int DragSelCopyCursor() const { return FDragSelCopyCursor; }
    int InSelCursor() const { return FInSelCursor; }
    int LeftMarginCursor() const { return FLeftMarginCursor; }
    int TopMarginCursor() const { return FTopMarginCursor; }
    void SetDefaultCursor(int value) { SetCursor(FDefaultCursor, value); }
    void SetDragSelCursor(int value) { SetCursor(FDragSelCursor, value); }
    void SetDragSelCopyCursor(int value) { SetCursor(FDragSelCopyCursor, value); }
    void SetInSelCursor(int value) { SetCursor(FInSelCursor, value); }
    void SetLeftMarginCursor(int value) { SetCursor(FLeftMarginCursor, value); }
    void SetTopMarginCursor(int value) { SetCursor(FTopMarginCursor, value); }

private:
    void SetCursor(int& field, int value) { SetField(field, static_cast<int>(static_cast<qint16>(value))); }

    int FDefaultCursor = crIBeam;
    int FDragSelCursor = crDrag;
    int FDragSelCopyCursor = crDragSelCopy;
    int FInSelCursor = crArrow;
    int FLeftMarginCursor = crRightArrow;
    int FTopMarginCursor = crArrow;
};

// Invariant: TabSpaceCount() is 2, 4, 6 or 8; Cursors() is owned and reports through this object.
class TEditorCaret : public TNotifyPersistent {
    Q_OBJECT
    Q_PROPERTY(bool AutoCursor READ AutoCursor WRITE SetAutoCursor)
    Q_PROPERTY(bool AutoIndent READ AutoIndent WRITE SetAutoIndent)
    Q_PROPERTY(bool BackSpaceUnIndent READ BackSpaceUnIndent WRITE SetBackSpaceUnIndent)
    Q_PROPERTY(brenvik::TEditorCursors* Cursors READ Cursors WRITE SetCursors)
    Q_PROPERTY(bool FreeCaret READ FreeCaret WRITE SetFreeCaret)
    Q_PROPERTY(bool InTab READ InTab WRITE SetInTab)
    Q_PROPERTY(bool KeepCaret READ KeepCaret WRITE SetKeepCaret)
    Q_PROPERTY(bool LockScroll READ LockScroll WRITE SetLockScroll)
    Q_PROPERTY(bool NextLine READ NextLine WRITE SetNextLine)
    Q_PROPERTY(bool PrevSpaceIndent READ PrevSpaceIndent WRITE SetPrevSpaceIndent)
    Q_PROPERTY(bool RowSelect READ RowSelect WRITE SetRowSelect)
    Q_PROPERTY(brenvik::TEditorEnums::TDragMode SelDragMode READ SelDragMode WRITE SetSelDragMode)
    Q_PROPERTY(bool SelMove READ SelMove WRITE SetSelMove)
    Q_PROPERTY(bool SoftTab READ SoftTab WRITE SetSoftTab)
    Q_PROPERTY(brenvik::TEditorEnums::TCaretStyle Style READ Style WRITE SetStyle)
    Q_PROPERTY(bool TabIndent READ TabIndent WRITE SetTabIndent)
    Q_PROPERTY(int TabSpaceCount READ TabSpaceCount WRITE SetTabSpaceCount)
public:
    explicit TEditorCaret(QObject* parent = nullptr);

    bool AutoCursor() const { return FAutoCursor; }
    bool AutoIndent() const { return FAutoIndent; }
    bool BackSpaceUnIndent() const { return FBackSpaceUnIndent; }
    TEditorCursors* Cursors() const { return FCursors; }
    bool FreeCaret() const { return FFreeCaret; }
    bool InTab() const { return FInTab; }
    bool KeepCaret() const { return FKeepCaret; }
    bool LockScroll() const { return FLockScroll; }
    bool NextLine() const { return FNextLine; }
    bool PrevSpaceIndent() const { return FPrevSpaceIndent; }
    bool RowSelect() const { return FRowSelect; }
    TDragMode SelDragMode() const { return FSelDragMode; }
    bool SelMove() const { return FSelMove; }
    bool SoftTab() const { return FSoftTab; }
    TCaretStyle Style() const { return FStyle; }
    bool TabIndent() const { return FTabIndent; }
    int TabSpaceCount() const { return FTabSpaceCount; }

    void SetAutoCursor(bool value) { SetField(FAutoCursor, value); }
    void SetAutoIndent(bool value) { SetField(FAutoIndent, value); }
    void SetBackSpaceUnIndent(bool value) { SetField(FBackSpaceUnIndent, value); }
    // Copies into the owned cursors.
    void SetCursors(TEditorCursors* value);
    void SetFreeCaret(bool value) { SetField(FFreeCaret, value); }
    void SetInTab(bool value) { SetField(FInTab, value); }
    void SetKeepCaret(bool value) { SetField(FKeepCaret, value); }
    void SetLockScroll(bool value) { SetField(FLockScroll, value); }
    void SetNextLine(bool value) { SetField(FNextLine, value); }
    void SetPrevSpaceIndent(bool value) { SetField(FPrevSpaceIndent, value); }
    void SetRowSelect(bool value) { SetField(FRowSelect, value); }
    void SetSelDragMode(TDragMode value) { SetField(FSelDragMode, value); }
    void SetSelMove(bool value) { SetField(FSelMove, value); }
    void SetSoftTab(bool value) { SetField(FSoftTab, value); }
    void SetStyle(TCaretStyle value) { SetField(FStyle, value); }
    void SetTabIndent(bool value) { SetField(FTabIndent, value); }
    // Clamped to 2..8, then an odd value is lowered by one.
    void SetTabSpaceCount(int value);

private:
    bool FAutoCursor = true;
    bool FAutoIndent = true;
    bool FBackSpaceUnIndent = true;
    TEditorCursors* FCursors;
    bool FFreeCaret = true;
    bool FInTab = false;
    bool FKeepCaret = false;
    bool FLockScroll = false;
    bool FNextLine = false;
    bool FPrevSpaceIndent = false;
    bool FRowSelect = true;
    TDragMode FSelDragMode = dmAutomatic;
    bool FSelMove = true;
    bool FSoftTab = false;
    TCaretStyle FStyle = csDefault;
    bool FTabIndent = false;
    int FTabSpaceCount = 8;
};

} // namespace brenvik
