// The column ruler above the text.
#pragma once

#include "highlight/Colors.h"
#include "support/NotifyPersistent.h"

namespace brenvik {

// Invariant: GaugeRange() is 8 or 10.
class TEditorRuler : public TNotifyPersistent {
    Q_OBJECT
    Q_PROPERTY(quint32 BkColor READ BkColor WRITE SetBkColor)
    Q_PROPERTY(quint32 Color READ Color WRITE SetColor)
    Q_PROPERTY(bool Edge READ Edge WRITE SetEdge)
    Q_PROPERTY(int GaugeRange READ GaugeRange WRITE SetGaugeRange)
    Q_PROPERTY(quint32 MarkColor READ MarkColor WRITE SetMarkColor)
    Q_PROPERTY(bool Visible READ Visible WRITE SetVisible)
public:
    explicit TEditorRuler(QObject* parent = nullptr);

    TColor BkColor() const { return FBkColor; }
    TColor Color() const { return FColor; }
    bool Edge() const { return FEdge; }
    int GaugeRange() const { return FGaugeRange; }
    TColor MarkColor() const { return FMarkColor; }
    bool Visible() const { return FVisible; }

    void SetBkColor(TColor value) { SetField(FBkColor, value); }
    void SetColor(TColor value) { SetField(FColor, value); }
    void SetEdge(bool value) { SetField(FEdge, value); }
    // Clamped to 8..10, then an odd value is lowered by one.
    void SetGaugeRange(int value);
    void SetMarkColor(TColor value) { SetField(FMarkColor, value); }
    void SetVisible(bool value) { SetField(FVisible, value); }

private:
    TColor FBkColor = clSilver;
    TColor FColor = clBlack;
    bool FEdge = true;
    int FGaugeRange = 10;
    TColor FMarkColor = clBlack;
    bool FVisible = false;
};

} // namespace brenvik
