// The column ruler above the text.
#include "editor/EditorRuler.h"

#include <algorithm>

namespace brenvik {

TEditorRuler::TEditorRuler(QObject* parent)
    : TNotifyPersistent(parent)
{
}

void TEditorRuler::SetGaugeRange(int value)
{
    value = std::clamp(value, 8, 10);
    SetField(FGaugeRange, value - value % 2);
}

} // namespace brenvik
