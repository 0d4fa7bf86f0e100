// Binds the colour object or mark being edited to a colour grid and style boxes of a dialog.
#pragma once

#include "highlight/Colors.h"

#include <QObject>
#include <array>
#include <functional>

namespace brenvik {

class TFountainColor;
class TEditorMark;

// The grid of the sixteen named colours with a foreground and a background choice; the
// dialog draws it from this state and reports clicks back.
// Invariant: both indexes lie in 0..NoneIndex.
class TCustomColorManager : public QObject {
    Q_OBJECT
public:
    static constexpr int NoneIndex = 16;
    // The named colours in the grid's order (silver before gray), then clNone.
    static const std::array<TColor, 17>& Palette();
    // The palette entry of a colour; NoneIndex for a colour outside the sixteen named ones.
    static int PaletteIndex(TColor color);

    explicit TCustomColorManager(QObject* parent = nullptr);

    int ForegroundIndex() const { return FForegroundIndex; }
    int BackgroundIndex() const { return FBackgroundIndex; }
    bool GridEnabled() const { return FGridEnabled; }
    bool ForegroundEnabled() const { return FForegroundEnabled; }
    bool BackgroundEnabled() const { return FBackgroundEnabled; }

    // Called after every change of the state, so the dialog can redraw its controls.
    std::function<void(TCustomColorManager*)> OnStateChange;

protected:
    void SetGrid(bool enabled, bool foreground, bool background, int foregroundIndex, int backgroundIndex);
    void StateChanged();

    int FForegroundIndex = NoneIndex;
    int FBackgroundIndex = NoneIndex;
    bool FGridEnabled = false;
    bool FForegroundEnabled = false;
    bool FBackgroundEnabled = false;
};

// One style check box of the dialog.
struct TStyleBox {
    bool Checked = false;
    bool Enabled = false;
    friend bool operator==(const TStyleBox&, const TStyleBox&) = default;
};

// Invariant: in mode 0 Mark() is null; in mode 1 Color() is null.
class TEditorColorManager : public TCustomColorManager {
    Q_OBJECT
public:
    enum TEditMode { emColor = 0, emMark = 1 };
    enum TMouseButton { mbLeft, mbRight };
    enum TStyleBoxIndex { sbBold, sbItalic, sbUnderline };

    explicit TEditorColorManager(QObject* parent = nullptr);

    TFountainColor* Color() const { return FColor; }
    TEditorMark* Mark() const { return FMark; }
    TEditMode Mode() const { return FMode; }
    void SetColor(TFountainColor* color);
    void SetMark(TEditorMark* mark);
    void SetMode(TEditMode mode);

    bool ForegroundNoneVisible() const { return FForegroundNone; }
    bool BackgroundNoneVisible() const { return FBackgroundNone; }
    const TStyleBox& StyleBox(TStyleBoxIndex index) const { return FBoxes[index]; }

    // A click on the grid takes the entry under the foreground (left) or background (right)
    // choice; the grid has already moved that choice to the clicked cell.
    void GridClick(TMouseButton button, int foregroundIndex, int backgroundIndex);
    void NoneClick(TMouseButton button);
    void StyleBoxClick(TStyleBoxIndex index, bool checked);

private:
    void Refresh();

    TFountainColor* FColor = nullptr;
    TEditorMark* FMark = nullptr;
    TEditMode FMode = emColor;
    bool FForegroundNone = false;
    bool FBackgroundNone = false;
    std::array<TStyleBox, 3> FBoxes;
};

} // namespace brenvik
