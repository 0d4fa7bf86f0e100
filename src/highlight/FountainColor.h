// The colours and font style in which one kind of token is painted.
#pragma once

#include "highlight/Colors.h"
#include "support/NotifyPersistent.h"

namespace brenvik {

// Invariant: a setter given the current value reports nothing; every change is reported once.
class TFountainColor : public TNotifyPersistent {
    Q_OBJECT
    Q_PROPERTY(quint32 BkColor READ BkColor WRITE SetBkColor)
    Q_PROPERTY(quint32 Color READ Color WRITE SetColor)
    Q_PROPERTY(int Style READ Style WRITE SetStyle)
public:
    explicit TFountainColor(QObject* parent = nullptr);

    TColor BkColor() const { return FBkColor; }
    TColor Color() const { return FColor; }
    TFontStyles Style() const { return FStyle; }
    void SetBkColor(TColor value) { SetField(FBkColor, value); }
    void SetColor(TColor value) { SetField(FColor, value); }
    void SetStyle(TFontStyles value) { SetField(FStyle, value); }

    // From any TFountainColor: the three values, reported once; other sources as the base does.
    void Assign(const QObject& source) override;
    // The setter of a published colour property: copies source's values, if any, into this one.
    void CopyFrom(const TFountainColor* source)
    {
        if (source != nullptr && source != this)
            Assign(*source);
    }

    friend bool operator==(const TFountainColor& a, const TFountainColor& b)
    {
        return a.FBkColor == b.FBkColor && a.FColor == b.FColor && a.FStyle == b.FStyle;
    }

private:
    TColor FBkColor = clNone;
    TColor FColor = clNone;
    TFontStyles FStyle = 0;
};

} // namespace brenvik
