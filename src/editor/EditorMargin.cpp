// The margins around the editor's text grid, in pixels.
#include "editor/EditorMargin.h"

#include <algorithm>

namespace brenvik {

TEditorMargin::TEditorMargin(QObject* parent)
    : TNotifyPersistent(parent)
{
}

int TEditorMargin::Clamp(int value)
{
    return std::clamp(value, 0, 100);
}

} // namespace brenvik
