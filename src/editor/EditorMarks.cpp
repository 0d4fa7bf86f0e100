// The marks drawn at row ends, at the end of the text and under the caret row.
#include "editor/EditorMarks.h"

namespace brenvik {

TEditorMark::TEditorMark(QObject* parent)
    : TNotifyPersistent(parent)
{
}

TEditorMarks::TEditorMarks(QObject* parent)
    : TNotifyPersistent(parent)
    , FEofMark(CreateMark())
    , FRetMark(CreateMark())
    , FWrapMark(CreateMark())
    , FHideMark(CreateMark())
    , FUnderline(CreateMark())
{
}

TEditorMark* TEditorMarks::CreateMark()
{
    auto* mark = new TEditorMark(this);
    mark->OnChange = [this](QObject* sender) { ChangedProc(sender); };
    return mark;
}

} // namespace brenvik
