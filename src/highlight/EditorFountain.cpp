// The editor's built-in highlighting definition and its recolouring helpers.
#include "highlight/EditorFountain.h"

#include "highlight/EditorParser.h"

namespace brenvik {

TEditorFountain::TEditorFountain(QObject* owner)
    : TFountain(owner)
{
    ReplaceBrackets(std::make_unique<TEditorBracketCollection>(*this));
    FColors = std::make_unique<TEditorColors>(*this);
}

TEditorFountain::~TEditorFountain() = default;

std::unique_ptr<TFountainParser> TEditorFountain::CreateParser()
{
    return std::make_unique<TEditorParser>(this);
}

void TEditorFountain::SetColors(TEditorColors* value)
{
    if (value != nullptr && value != FColors.get())
        FColors->Assign(*value);
}

TEditorBracketCollection* TEditorFountain::EditorBrackets() const
{
    return static_cast<TEditorBracketCollection*>(Brackets());
}

void TEditorFountain::ApplyToAllColors(const TFountainColor& color, int mask)
{
    TUpdateBatch batch(NotifyList());
    ApplyToColors(*FColors, color, mask, "Select");
}

void TEditorFountain::SetAllBkColors(TColor value)
{
    TFountainColor color;
    color.SetBkColor(value);
    ApplyToAllColors(color, 1);
}

void TEditorFountain::SetAllColors(TColor value)
{
    TFountainColor color;
    color.SetColor(value);
    ApplyToAllColors(color, 2);
}

void TEditorFountain::SetAllStyles(TFontStyles value)
{
    TFountainColor color;
    color.SetStyle(value);
    ApplyToAllColors(color, 4);
}

} // namespace brenvik
