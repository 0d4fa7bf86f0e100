// TEditor's lifecycle, its properties, and what its model tells it.
#include "editor/Editor.h"

#include "editor/EditorCaret.h"
#include "editor/EditorFont.h"
#include "editor/EditorGuard.h"
#include "editor/EditorLeftbar.h"
#include "editor/EditorMargin.h"
#include "editor/EditorMarks.h"
#include "editor/EditorPainter.h"
#include "editor/EditorPopupMenu.h"
#include "editor/EditorRuler.h"
#include "editor/EditorViewInfo.h"
#include "highlight/Fountain.h"
#include "support/NotifyEventList.h"
#include "text/EditorScreenStrings.h"

#include <QFocusEvent>
#include <QScrollBar>

namespace brenvik {

TEditor::TEditor(QWidget* parent)
    : QAbstractScrollArea(parent)
    , FView(new TEditorViewInfo(this))
    , FFont(new TEditorFont(this))
    , FCaret(new TEditorCaret(this))
    , FMargin(new TEditorMargin(this))
    , FMarks(new TEditorMarks(this))
    , FRuler(new TEditorRuler(this))
    , FLeftbar(new TEditorLeftbar(this))
{
    for (TNotifyPersistent* part :
        std::initializer_list<TNotifyPersistent*> {FCaret, FMargin, FMarks, FRuler, FLeftbar})
        part->OnChange = [this](QObject* sender) { ViewPropertyChanged(sender); };
    setFocusPolicy(Qt::StrongFocus);
    setAttribute(Qt::WA_InputMethodEnabled);
    viewport()->setCursor(Qt::IBeamCursor);
    viewport()->setMouseTracking(true);
    FModel->SetOwner(*this);
    WatchMarks(true);
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
    // The view objects outlive the members as the widget's children: they must not call back.
    FView->OnChange = nullptr;
    FFont->OnChange = nullptr;
    // A document of the window's outlives this editor: it tells nobody from now on.
    FModel->SetOwner(TEditorModelOwner::None());
    WatchMarks(false);
}

void TEditor::WatchMarks(bool watch)
{
    FModel->Marks().OnChange = watch ? std::function<void()>([this] { viewport()->update(); }) : nullptr;
}

void TEditor::SetDocument(TScriptDocument& document)
{
    if (&document == FDocument)
        return;
    CancelSelection();
    FModel->SetOwner(TEditorModelOwner::None());
    WatchMarks(false);
    FDocument = &document;
    FModel = &document.Model();
    FModel->SetOwner(*this);
    WatchMarks(true);
    FPainter->SetModel(*FModel);
    ForgetBracketMatch();
    FPainter->Glyphs().SetDocumentChars(DocumentChars());
    FTopRow = FTopCol = 0;
    Refresh();
}

void TEditor::ShareLines(TEditor& other)
{
    if (&other.ListRows() == &ListRows())
        return;
    WatchMarks(false);
    FDocument->ShareText(*other.FDocument);
    WatchMarks(true);
    FPainter->Glyphs().SetDocumentChars(DocumentChars());
    FTopRow = FTopCol = 0;
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
    // The bracket matcher's parser belongs to the fountain it was made for.
    ForgetBracketMatch();
    if (FFountain) {
        FFountain->NotifyList().Add(handler);
        FFountainDestroyed = connect(FFountain, &QObject::destroyed, this, [this] {
            FFountain = nullptr;
            ForgetBracketMatch();
            ListRows().RescanAll();
            viewport()->update();
        });
    }
    ListRows().RescanAll();
    viewport()->update();
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
    if (value == ReadOnly() || FDragState != TDragState::None)
        return;
    FModel->SetReadOnly(value);
    if (value && HasSelection())
        viewport()->setCursor(Qt::IBeamCursor);
}

void TEditor::SetOverwrite(bool value)
{
    if (value == Overwrite())
        return;
    FModel->SetOverwrite(value);
    viewport()->update(CaretRect());
}

void TEditor::SetBoxSelection(bool value)
{
    if (FDragState != TDragState::None)
        return;
    FBoxByAlt = false; // a mode chosen stays
    FModel->SetBoxSelection(value);
}

void TEditor::StartAltBox()
{
    if (BoxSelection())
        return;
    SetBoxSelection(true);
    FBoxByAlt = BoxSelection();
}

// ---- what the model tells -------------------------------------------------------------------

TCaretRules TEditor::CaretRules() const
{
    const TEditorCaret& caret = *FCaret;
    return {caret.TabSpaceCount(), caret.FreeCaret(), caret.KeepCaret(), caret.InTab(),
        caret.BackSpaceUnIndent(), caret.AutoIndent(), caret.PrevSpaceIndent(), caret.TabIndent(),
        caret.SoftTab()};
}

void TEditor::SelectionChanged(const TSelectionCols& before, bool wasSelected, const TSelectionCols& after)
{
    // Only the cells whose selected state changed are repainted.
    viewport()->update(Painter().SelectionChange(before, wasSelected, after, true, BoxSelection()));
    if (OnSelectionChange)
        OnSelectionChange(this, true);
}

void TEditor::SelectionCancelled(const TSelectionCols& cols)
{
    // A box that Alt started ends with its selection.
    if (FBoxByAlt) {
        FBoxByAlt = false;
        FModel->SetBoxSelection(false);
    }
    InvalidateRows(cols.StartRow, cols.EndRow);
    if (OnSelectionChange)
        OnSelectionChange(this, false);
}

void TEditor::SelectionModeChanged()
{
    if (HasSelection()) {
        if (BoxSelection())
            viewport()->unsetCursor();
        viewport()->update();
    }
    if (OnSelectionModeChange)
        OnSelectionModeChange(this);
}

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

void TEditor::RowsChanged(bool changed)
{
    // Rows read anew may come with a new table of the document's characters.
    if (!changed)
        FPainter->Glyphs().SetDocumentChars(DocumentChars());
    RowsRebuilt();
    QueueBrackets();
    // The row list calls this from the end of its update batch, a destructor: the handler's
    // exceptions must stop here.
    if (changed && OnChange)
        GuardInput(*this, [this] { OnChange(this); return true; });
}

int TEditor::TabSpaceCount() const
{
    return FCaret->TabSpaceCount();
}

int TEditor::ScreenHeight() const
{
    return viewport()->height();
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
