// TEditor's lifecycle, its properties, undo, and the calls the row list makes into it.
#include "editor/Editor.h"

#include "editor/EditorCaret.h"
#include "editor/EditorGuard.h"
#include "editor/EditorLeftbar.h"
#include "editor/EditorMargin.h"
#include "editor/EditorMarks.h"
#include "editor/EditorPopupMenu.h"
#include "editor/EditorRuler.h"
#include "highlight/Fountain.h"
#include "highlight/FountainRowStateScanner.h"
#include "support/NotifyEventList.h"
#include "text/EditorScreenStrings.h"
#include "text/EditorStrings.h"

#include <QFocusEvent>
#include <QScrollBar>

namespace brenvik {

TEditor::TEditor(QWidget* parent)
    : QAbstractScrollArea(parent)
    , FRows(std::make_shared<TEditorScreenStrings>())
    , FCaret(new TEditorCaret(this))
    , FMargin(new TEditorMargin(this))
    , FMarks(new TEditorMarks(this))
    , FRuler(new TEditorRuler(this))
    , FLeftbar(new TEditorLeftbar(this))
{
    FRows->AddEditor(this);
    FLines = std::make_unique<TEditorStrings>(*this, FRows);
    for (TNotifyPersistent* part :
        std::initializer_list<TNotifyPersistent*> {FCaret, FMargin, FMarks, FRuler, FLeftbar})
        part->OnChange = [this](QObject* sender) { ViewPropertyChanged(sender); };
    setFocusPolicy(Qt::StrongFocus);
    setAttribute(Qt::WA_InputMethodEnabled);
    viewport()->setCursor(Qt::IBeamCursor);
    viewport()->setMouseTracking(true);
    FPopupMenu = new TEditorPopupMenu(*this);
    connect(verticalScrollBar(), &QScrollBar::valueChanged, this,
        [this](int value) { ApplyScroll(true, value); });
    connect(horizontalScrollBar(), &QScrollBar::valueChanged, this,
        [this](int value) { ApplyScroll(false, value); });
    UpdateMetrics();
}

TEditor::~TEditor()
{
    FDestroying = true;
    SetFountain(nullptr);
    FRows->RemoveEditor(this);
}

void TEditor::ShareLines(TEditor& other)
{
    if (other.FRows == FRows)
        return;
    CancelSelection();
    FRows->RemoveEditor(this);
    FRows = other.FRows;
    FRows->AddEditor(this);
    FRow = FCol = FTopRow = FTopCol = 0;
    Refresh();
}

void TEditor::SetFountain(TFountain* fountain)
{
    if (fountain == FFountain)
        return;
    const TMethod handler = TMethod::Of(this, &TEditor::FountainChanged);
    if (FFountain) {
        FFountain->NotifyList().Remove(handler);
        disconnect(FFountainDestroyed);
    }
    FFountain = fountain;
    if (FFountain) {
        FFountain->NotifyList().Add(handler);
        FFountainDestroyed = connect(FFountain, &QObject::destroyed, this, [this] {
            FFountain = nullptr;
            FRows->RescanAll();
            viewport()->update();
        });
    }
    FRows->RescanAll();
    viewport()->update();
}

bool TEditor::WordWrap() const
{
    return FRows->WordWrap();
}

void TEditor::SetWordWrap(bool value)
{
    FRows->SetWordWrap(value);
}

int TEditor::WrapByte() const
{
    return FRows->WrapByte();
}

void TEditor::SetScrollBars(TScrollStyle value)
{
    FScrollBars = value;
    const bool vertical = value == ssVertical || value == ssBoth;
    const bool horizontal = value == ssHorizontal || value == ssBoth;
    setVerticalScrollBarPolicy(vertical ? Qt::ScrollBarAlwaysOn : Qt::ScrollBarAlwaysOff);
    setHorizontalScrollBarPolicy(horizontal ? Qt::ScrollBarAlwaysOn : Qt::ScrollBarAlwaysOff);
    UpdateMetrics();
}

void TEditor::SetReadOnly(bool value)
{
    if (value == FReadOnly || FDragState != 0)
        return;
    FReadOnly = value;
    if (value && HasSelection())
        viewport()->setCursor(Qt::IBeamCursor);
}

void TEditor::SetOverwrite(bool value)
{
    if (value == FOverwrite)
        return;
    FOverwrite = value;
    viewport()->update(CaretRect());
}

// ---- undo -----------------------------------------------------------------------------------

bool TEditor::CanUndo() const
{
    return FRows->UndoObj().CanUndo();
}

bool TEditor::CanRedo() const
{
    return FRows->UndoObj().CanRedo();
}

void TEditor::Undo()
{
    CancelSelection();
    FRows->Undo();
}

void TEditor::Redo()
{
    CancelSelection();
    FRows->Redo();
}

int TEditor::UndoListMax() const
{
    return FRows->UndoObj().Limit();
}

void TEditor::SetUndoListMax(int value)
{
    FRows->UndoObj().SetLimit(value);
}

// ---- calls from the row list ----------------------------------------------------------------

void TEditor::HideCaret()
{
    if (FCaretHideCount++ == 0)
        viewport()->update(CaretRect());
}

void TEditor::ShowCaret()
{
    if (FCaretHideCount > 0 && --FCaretHideCount == 0)
        viewport()->update(CaretRect());
}

// The left bar's width follows the number of rows it numbers.
void TEditor::RowsRebuilt()
{
    if (FLeftbar->Visible() && FLeftbar->ShowNumber())
        UpdateMetrics();
    else
        UpdateScrollRanges();
    viewport()->update();
}

void TEditor::LinesChanged()
{
    const TPendingChange& change = FRows->PendingChange();
    InvalidateOffsetsFrom(change.Pending ? change.FirstRow : 0);
    RowsRebuilt();
    if (change.Pending) {
        if (change.ByEdit)
            FModified = true;
        // The row list calls this from the end of its update batch, a destructor: the
        // handler's exceptions must stop here.
        if (OnChange)
            GuardInput(*this, [this] { OnChange(this); return true; });
    }
}

void TEditor::Refresh()
{
    InvalidateOffsetsFrom(0);
    RowsRebuilt();
}

int TEditor::TabSpaceCount() const
{
    return FCaret->TabSpaceCount();
}

int TEditor::ScreenHeight() const
{
    return viewport()->height();
}

std::unique_ptr<TRowStateScanner> TEditor::CreateRowStateScanner()
{
    return std::make_unique<TFountainRowStateScanner>(*ActiveFountain());
}

void TEditor::focusInEvent(QFocusEvent* event)
{
    QAbstractScrollArea::focusInEvent(event);
    CaretMoved();
}

void TEditor::focusOutEvent(QFocusEvent* event)
{
    QAbstractScrollArea::focusOutEvent(event);
    viewport()->update(CaretRect());
}

} // namespace brenvik
