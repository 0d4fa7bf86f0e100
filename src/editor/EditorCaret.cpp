// The caret's behaviour settings and the mouse cursors of the editor.
#include "editor/EditorCaret.h"

#include <algorithm>

namespace brenvik {

TEditorCursors::TEditorCursors(QObject* parent)
    : TNotifyPersistent(parent)
{
}

TEditorCaret::TEditorCaret(QObject* parent)
    : TNotifyPersistent(parent)
    , FCursors(new TEditorCursors(this))
{
    FCursors->OnChange = [this](QObject* sender) { ChangedProc(sender); };
}

void TEditorCaret::SetCursors(TEditorCursors* value)
{
    FCursors->Assign(*value);
}

void TEditorCaret::SetTabSpaceCount(int value)
{
    value = std::clamp(value, 2, 8);
    SetField(FTabSpaceCount, value - value % 2);
}

} // namespace brenvik
