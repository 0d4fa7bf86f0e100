// TEditor's caret history: noting jumps as the caret moves, and going back and forward.
#include "editor/Editor.h"

#include "text/EditorStrings.h"

#include <algorithm>
#include <cstdlib>

namespace brenvik {

TLinePlace TEditor::PlaceOf(TEditorPos position) const
{
    return {std::max(LineOfRow(position.Row), 0), std::max(LineCharIndex(position.Row, position.Col), 0)};
}

void TEditor::NoteJump(TEditorPos from)
{
    const TEditorPos to {Row(), Col()};
    const std::uint64_t version = FModel->TextVersion();
    if (!FGoingThroughHistory && version == FLastCaretVersion && std::abs(to.Row - from.Row) > std::max(FVisibleRows, 1))
        FHistory.Jumped(PlaceOf(from), PlaceOf(to));
    FLastCaret = to;
    FLastCaretVersion = version;
}

bool TEditor::GoToPlace(std::optional<TLinePlace> place)
{
    if (!place)
        return false;
    // A line past the last is the empty place after the text's last line break.
    const int lines = Lines().GetCount();
    FGoingThroughHistory = true;
    CancelSelection();
    if (place->Line >= lines)
        SetRowCol(FModel->LastCaretRow(), 0);
    else
        PlaceCaretAfter(Lines().LineToRow(place->Line), place->Byte);
    FGoingThroughHistory = false;
    return true;
}

bool TEditor::GoBack()
{
    return GoToPlace(FHistory.Back(PlaceOf({Row(), Col()})));
}

bool TEditor::GoForward()
{
    return GoToPlace(FHistory.Forward(PlaceOf({Row(), Col()})));
}

} // namespace brenvik
