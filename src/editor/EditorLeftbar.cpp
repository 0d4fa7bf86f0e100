// The bar left of the text that shows row or line numbers.
#include "editor/EditorLeftbar.h"

#include <algorithm>

namespace brenvik {

TEditorLeftbar::TEditorLeftbar(QObject* parent)
    : TNotifyPersistent(parent)
{
}

void TEditorLeftbar::SetColumn(int value)
{
    SetField(FColumn, std::clamp(value, 1, 8));
}

void TEditorLeftbar::SetLeftMargin(int value)
{
    SetField(FLeftMargin, std::clamp(value, 0, 100));
}

void TEditorLeftbar::SetRightMargin(int value)
{
    SetField(FRightMargin, std::clamp(value, 0, 100));
}

} // namespace brenvik
