// The ten colours of the editor's built-in highlighting, selection colours included.
#pragma once

#include "highlight/FountainColor.h"

#include <memory>

namespace brenvik {

class TFountain;

// A colour of the editor's own colour set.
class TEditorColor : public TFountainColor {
    Q_OBJECT
public:
    using TFountainColor::TFountainColor;
};

// Invariant: Reserve() is the owning fountain's Reserve colour, not an object of this set;
// every other colour is owned and reports its changes through this set to the fountain.
class TEditorColors : public TNotifyPersistent {
    Q_OBJECT
    Q_PROPERTY(brenvik::TFountainColor* Ank READ Ank WRITE SetAnk)
    Q_PROPERTY(brenvik::TFountainColor* Comment READ Comment WRITE SetComment)
    Q_PROPERTY(brenvik::TFountainColor* DBCS READ DBCS WRITE SetDBCS)
    Q_PROPERTY(brenvik::TFountainColor* Int READ Int WRITE SetInt)
    Q_PROPERTY(brenvik::TFountainColor* Mail READ Mail WRITE SetMail)
    Q_PROPERTY(brenvik::TFountainColor* Reserve READ Reserve WRITE SetReserve)
    Q_PROPERTY(brenvik::TFountainColor* Select READ Select WRITE SetSelect)
    Q_PROPERTY(brenvik::TFountainColor* Str READ Str WRITE SetStr)
    Q_PROPERTY(brenvik::TFountainColor* Symbol READ Symbol WRITE SetSymbol)
    Q_PROPERTY(brenvik::TFountainColor* Url READ Url WRITE SetUrl)
public:
    explicit TEditorColors(TFountain& fountain);
    ~TEditorColors() override;

    TFountainColor* Ank() const { return FAnk.get(); }
    TFountainColor* Comment() const { return FComment.get(); }
    TFountainColor* DBCS() const { return FDBCS.get(); }
    TFountainColor* Int() const { return FInt.get(); }
    TFountainColor* Mail() const { return FMail.get(); }
    TFountainColor* Reserve() const;
    TFountainColor* Select() const { return FSelect.get(); }
    TFountainColor* Str() const { return FStr.get(); }
    TFountainColor* Symbol() const { return FSymbol.get(); }
    TFountainColor* Url() const { return FUrl.get(); }

    // Each setter copies the values into the colour object.
    void SetAnk(TFountainColor* value) { FAnk->CopyFrom(value); }
    void SetComment(TFountainColor* value) { FComment->CopyFrom(value); }
    void SetDBCS(TFountainColor* value) { FDBCS->CopyFrom(value); }
    void SetInt(TFountainColor* value) { FInt->CopyFrom(value); }
    void SetMail(TFountainColor* value) { FMail->CopyFrom(value); }
    void SetReserve(TFountainColor* value) { Reserve()->CopyFrom(value); }
    void SetSelect(TFountainColor* value) { FSelect->CopyFrom(value); }
    void SetStr(TFountainColor* value) { FStr->CopyFrom(value); }
    void SetSymbol(TFountainColor* value) { FSymbol->CopyFrom(value); }
    void SetUrl(TFountainColor* value) { FUrl->CopyFrom(value); }

    // Copies all ten colours with the fountain's editors told once.
    void Assign(const QObject& source) override;

private:
    std::unique_ptr<TFountainColor> CreateColor();

    TFountain& FFountain;
    std::unique_ptr<TFountainColor> FAnk;
    std::unique_ptr<TFountainColor> FComment;
    std::unique_ptr<TFountainColor> FDBCS;
    std::unique_ptr<TFountainColor> FInt;
    std::unique_ptr<TFountainColor> FMail;
    std::unique_ptr<TFountainColor> FSelect;
    std::unique_ptr<TFountainColor> FStr;
    std::unique_ptr<TFountainColor> FSymbol;
    std::unique_ptr<TFountainColor> FUrl;
};

} // namespace brenvik
