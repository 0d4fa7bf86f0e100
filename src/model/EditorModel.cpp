// TEditorModel's rows, undo, and the calls the row list makes into it.
#include "model/EditorModel.h"

#include "highlight/Fountain.h"
#include "highlight/FountainRowStateScanner.h"
#include "text/EditorScreenStrings.h"
#include "text/EditorStrings.h"

#include <algorithm>

namespace brenvik {

TEditorModel::TEditorModel(TEditorModelOwner& owner)
    : FOwner(&owner)
    , FRows(std::make_shared<TEditorScreenStrings>())
    , FMarks(std::make_shared<TMarkedLines>())
{
    FRows->AddEditor(this);
    FMarks->Attach(FRows.get());
    FLines = std::make_unique<TEditorStrings>(*this, FRows);
}

TEditorModel::~TEditorModel()
{
    FRows->RemoveEditor(this);
}

void TEditorModel::ShareRows(TEditorModel& other)
{
    if (other.FRows == FRows)
        return;
    CancelSelection();
    FRows->RemoveEditor(this);
    // The marks go first: marks of this model's own go with it and leave its rows while they live.
    FMarks = other.FMarks;
    FRows = other.FRows;
    FRows->AddEditor(this);
    FRow = FCol = 0;
}

bool TEditorModel::WordWrap() const
{
    return FRows->WordWrap();
}

void TEditorModel::SetWordWrap(bool value)
{
    FRows->SetWordWrap(value);
}

int TEditorModel::WrapByte() const
{
    return FRows->WrapByte();
}

void TEditorModel::MeasureRows(int first, int count)
{
    first = std::clamp(first, 0, RowCount());
    count = std::clamp(count, 0, RowCount() - first);
    const TColumnLayout layout = ColumnLayout();
    // A row is at most TabWidth columns per byte wide: shorter rows cannot widen the extent.
    FRows->ForEachRow(first, count, [&](std::string_view text, std::uint32_t) {
        if (text.size() * size_t(std::max(layout.TabWidth, 1)) > size_t(HorizontalExtent()))
            FWidest = std::max(FWidest, brenvik::TextWidth(text, layout));
    });
}

// ---- undo -----------------------------------------------------------------------------------

bool TEditorModel::CanUndo() const
{
    return FRows->UndoObj().CanUndo();
}

bool TEditorModel::CanRedo() const
{
    return FRows->UndoObj().CanRedo();
}

void TEditorModel::Undo()
{
    CancelSelection();
    FRows->Undo();
}

void TEditorModel::Redo()
{
    CancelSelection();
    FRows->Redo();
}

int TEditorModel::UndoListMax() const
{
    return FRows->UndoObj().Limit();
}

void TEditorModel::SetUndoListMax(int value)
{
    FRows->UndoObj().SetLimit(value);
}

// ---- calls from the row list ----------------------------------------------------------------

void TEditorModel::LinesChanged()
{
    const TPendingChange& change = FRows->PendingChange();
    ++FTextVersion;
    InvalidateOffsetsFrom(change.Pending ? change.FirstRow : 0);
    if (change.Pending) {
        if (change.ByEdit)
            FModified = true;
        MeasureRows(change.FirstRow, change.Inserted);
    } else {
        FWidest = 0;
        MeasureRows(0, RowCount());
    }
    FOwner->RowsChanged(change.Pending);
}

void TEditorModel::Refresh()
{
    InvalidateOffsetsFrom(0);
    FWidest = 0;
    MeasureRows(0, RowCount());
    FOwner->RowsChanged(false);
}

int TEditorModel::TabSpaceCount() const
{
    return std::max(FOwner->CaretRules().TabWidth, 1);
}

std::unique_ptr<TRowStateScanner> TEditorModel::CreateRowStateScanner()
{
    TFountain* fountain = FOwner->TokenFountain();
    if (fountain == nullptr)
        return nullptr;
    return std::make_unique<TFountainRowStateScanner>(*fountain);
}

} // namespace brenvik
