// The editor's view settings: its built-in highlighting definition with colours and brackets.
#include "editor/EditorViewInfo.h"

namespace brenvik {

TEditorViewInfo::TEditorViewInfo(QObject* parent)
    : TNotifyPersistent(parent)
    , FFountain(std::make_unique<TEditorFountain>())
{
    FFountain->NotifyList().Add(TMethod::Of<TNotifyPersistent>(this, &TNotifyPersistent::ChangedProc));
}

TEditorViewInfo::~TEditorViewInfo()
{
    FFountain->NotifyList().Remove(TMethod::Of<TNotifyPersistent>(this, &TNotifyPersistent::ChangedProc));
}

} // namespace brenvik
