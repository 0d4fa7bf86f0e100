// The bar left of the text that shows row or line numbers.
#pragma once

#include "editor/EditorEnums.h"
#include "highlight/Colors.h"
#include "support/NotifyPersistent.h"

namespace brenvik {

// Invariant: Column() lies in 1..8; LeftMargin() and RightMargin() in 0..100.
class TEditorLeftbar : public TNotifyPersistent {
    Q_OBJECT
    Q_PROPERTY(quint32 BkColor READ BkColor WRITE SetBkColor)
    Q_PROPERTY(quint32 Color READ Color WRITE SetColor)
    Q_PROPERTY(int Column READ Column WRITE SetColumn)
    Q_PROPERTY(bool Edge READ Edge WRITE SetEdge)
    Q_PROPERTY(int LeftMargin READ LeftMargin WRITE SetLeftMargin)
    Q_PROPERTY(int RightMargin READ RightMargin WRITE SetRightMargin)
    Q_PROPERTY(bool ShowNumber READ ShowNumber WRITE SetShowNumber)
    Q_PROPERTY(
        brenvik::TEditorEnums::TShowNumberMode ShowNumberMode READ ShowNumberMode WRITE SetShowNumberMode)
    Q_PROPERTY(bool Visible READ Visible WRITE SetVisible)
    Q_PROPERTY(bool ZeroBase READ ZeroBase WRITE SetZeroBase)
    Q_PROPERTY(bool ZeroLead READ ZeroLead WRITE SetZeroLead)
public:
    explicit TEditorLeftbar(QObject* parent = nullptr);

    TColor BkColor() const { return FBkColor; }
    TColor Color() const { return FColor; }
    int Column() const { return FColumn; }
    bool Edge() const { return FEdge; }
    int LeftMargin() const { return FLeftMargin; }
    int RightMargin() const { return FRightMargin; }
    bool ShowNumber() const { return FShowNumber; }
    TShowNumberMode ShowNumberMode() const { return FShowNumberMode; }
    bool Visible() const { return FVisible; }
    bool ZeroBase() const { return FZeroBase; }
    bool ZeroLead() const { return FZeroLead; }

    void SetBkColor(TColor value) { SetField(FBkColor, value); }
    void SetColor(TColor value) { SetField(FColor, value); }
    void SetColumn(int value);
    void SetEdge(bool value) { SetField(FEdge, value); }
    void SetLeftMargin(int value);
    void SetRightMargin(int value);
    void SetShowNumber(bool value) { SetField(FShowNumber, value); }
    void SetShowNumberMode(TShowNumberMode value) { SetField(FShowNumberMode, value); }
    void SetVisible(bool value) { SetField(FVisible, value); }
    void SetZeroBase(bool value) { SetField(FZeroBase, value); }
    void SetZeroLead(bool value) { SetField(FZeroLead, value); }

private:
    TColor FBkColor = clSilver;
    TColor FColor = clBlack;
    int FColumn = 4;
    bool FEdge = true;
    int FLeftMargin = 8;
    int FRightMargin = 4;
    bool FShowNumber = true;
    TShowNumberMode FShowNumberMode = nmRow;
    bool FVisible = false;
    bool FZeroBase = false;
    bool FZeroLead = false;
};

} // namespace brenvik
