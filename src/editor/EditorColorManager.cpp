// Binds the colour object or mark being edited to a colour grid and style boxes of a dialog.
#include "editor/EditorColorManager.h"

#include "editor/EditorMarks.h"
#include "highlight/FountainColor.h"

#include <algorithm>

namespace brenvik {

namespace {

constexpr std::array<TFontStyle, 3> kBoxStyles = {fsBold, fsItalic, fsUnderline};

} // namespace

const std::array<TColor, 17>& TCustomColorManager::Palette()
{
    static const std::array<TColor, 17> palette = [] {
        std::array<TColor, 17> result {};
        std::copy(kNamedColors.begin(), kNamedColors.end(), result.begin());
        std::swap(result[7], result[8]);
        result[NoneIndex] = clNone;
        return result;
    }();
    return palette;
}

int TCustomColorManager::PaletteIndex(TColor color)
{
    const auto& palette = Palette();
    const auto found = std::find(palette.begin(), palette.begin() + NoneIndex, color);
    return static_cast<int>(found - palette.begin());
}

TCustomColorManager::TCustomColorManager(QObject* parent)
    : QObject(parent)
{
}

void TCustomColorManager::SetGrid(
    bool enabled, bool foreground, bool background, int foregroundIndex, int backgroundIndex)
{
    FGridEnabled = enabled;
    FForegroundEnabled = foreground;
    FBackgroundEnabled = background;
    FForegroundIndex = std::clamp(foregroundIndex, 0, NoneIndex);
    FBackgroundIndex = std::clamp(backgroundIndex, 0, NoneIndex);
}

void TCustomColorManager::StateChanged()
{
    if (OnStateChange)
        OnStateChange(this);
}

TEditorColorManager::TEditorColorManager(QObject* parent)
    : TCustomColorManager(parent)
{
    Refresh();
}

void TEditorColorManager::SetColor(TFountainColor* color)
{
    FColor = color;
    FMark = nullptr;
    FMode = emColor;
    Refresh();
}

void TEditorColorManager::SetMark(TEditorMark* mark)
{
    FMark = mark;
    FColor = nullptr;
    FMode = emMark;
    Refresh();
}

void TEditorColorManager::SetMode(TEditMode mode)
{
    if (mode == emColor)
        FMark = nullptr;
    else
        FColor = nullptr;
    FMode = mode;
    Refresh();
}

void TEditorColorManager::Refresh()
{
    if (FMode == emMark) {
        const int index = FMark ? PaletteIndex(FMark->Color()) : NoneIndex;
        SetGrid(FMark != nullptr, FMark != nullptr, false, index, NoneIndex);
        FForegroundNone = index == NoneIndex;
        FBackgroundNone = false;
        FBoxes.fill({});
    } else if (FColor) {
        const int foreground = PaletteIndex(FColor->Color());
        const int background = PaletteIndex(FColor->BkColor());
        SetGrid(true, true, true, foreground, background);
        FForegroundNone = foreground == NoneIndex;
        FBackgroundNone = background == NoneIndex;
        for (size_t i = 0; i < FBoxes.size(); ++i)
            FBoxes[i] = {(FColor->Style() & kBoxStyles[i]) != 0, true};
    } else {
        SetGrid(false, false, false, NoneIndex, NoneIndex);
        FForegroundNone = true;
        FBackgroundNone = true;
        FBoxes.fill({});
    }
    StateChanged();
}

void TEditorColorManager::GridClick(TMouseButton button, int foregroundIndex, int backgroundIndex)
{
    const auto& palette = Palette();
    const int foreground = std::clamp(foregroundIndex, 0, NoneIndex);
    const int background = std::clamp(backgroundIndex, 0, NoneIndex);
    if (button == mbLeft) {
        if (FMode == emMark && FMark)
            FMark->SetColor(palette[foreground]);
        else if (FMode == emColor && FColor)
            FColor->SetColor(palette[foreground]);
    } else if (FMode == emColor && FColor) {
        FColor->SetBkColor(palette[background]);
    }
    Refresh();
}

void TEditorColorManager::NoneClick(TMouseButton button)
{
    if (button == mbLeft) {
        if (FMode == emMark && FMark)
            FMark->SetColor(clNone);
        else if (FMode == emColor && FColor)
            FColor->SetColor(clNone);
    } else if (FMode == emColor && FColor) {
        FColor->SetBkColor(clNone);
    }
    Refresh();
}

void TEditorColorManager::StyleBoxClick(TStyleBoxIndex index, bool checked)
{
    if (FMode != emColor || !FColor)
        return;
    const TFontStyles style = FColor->Style();
    const int bit = kBoxStyles[static_cast<size_t>(index)];
    FColor->SetStyle(checked ? (style | bit) : (style & ~bit));
    Refresh();
}

} // namespace brenvik
