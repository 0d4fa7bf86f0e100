// Recolouring every bracket pair of the editor at once.
#include "highlight/EditorBracketCollection.h"

namespace brenvik {

template <typename Set> void TEditorBracketCollection::ForEachColor(Set set)
{
    TUpdateBatch batch(*this);
    for (int i = 0; i < Count(); ++i)
        set(*Brackets(i).ItemColor());
}

void TEditorBracketCollection::SetAllBkColors(TColor value)
{
    ForEachColor([value](TFountainColor& color) { color.SetBkColor(value); });
}

void TEditorBracketCollection::SetAllColors(TColor value)
{
    ForEachColor([value](TFountainColor& color) { color.SetColor(value); });
}

void TEditorBracketCollection::SetAllStyles(TFontStyles value)
{
    ForEachColor([value](TFountainColor& color) { color.SetStyle(value); });
}

} // namespace brenvik
