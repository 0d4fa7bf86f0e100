// The HTML highlighting definition: tags, attributes, entities, URLs, mail addresses, comments.
#pragma once

#include "highlight/Fountain.h"

namespace brenvik {

// Invariant: the eight colours are owned for the fountain's life and report to NotifyList.
class THTMLFountain : public TFountain {
    Q_OBJECT
    Q_PROPERTY(brenvik::TFountainColor* Ampersand READ Ampersand WRITE SetAmpersand)
    Q_PROPERTY(brenvik::TFountainColor* Mail READ Mail WRITE SetMail)
    Q_PROPERTY(brenvik::TFountainColor* Str READ Str WRITE SetStr)
    Q_PROPERTY(brenvik::TFountainColor* TagAttribute READ TagAttribute WRITE SetTagAttribute)
    Q_PROPERTY(brenvik::TFountainColor* TagAttributeValue READ TagAttributeValue WRITE SetTagAttributeValue)
    Q_PROPERTY(brenvik::TFountainColor* TagColor READ TagColor WRITE SetTagColor)
    Q_PROPERTY(brenvik::TFountainColor* TagElement READ TagElement WRITE SetTagElement)
    Q_PROPERTY(brenvik::TFountainColor* Url READ Url WRITE SetUrl)
public:
    explicit THTMLFountain(QObject* owner = nullptr);
    ~THTMLFountain() override;

    std::unique_ptr<TFountainParser> CreateParser() override;

    TFountainColor* Ampersand() const { return FAmpersand.get(); }
    TFountainColor* Mail() const { return FMail.get(); }
    TFountainColor* Str() const { return FStr.get(); }
    TFountainColor* TagAttribute() const { return FTagAttribute.get(); }
    TFountainColor* TagAttributeValue() const { return FTagAttributeValue.get(); }
    TFountainColor* TagColor() const { return FTagColor.get(); }
    TFountainColor* TagElement() const { return FTagElement.get(); }
    TFountainColor* Url() const { return FUrl.get(); }

    // Each setter copies the values into the owned colour.
    void SetAmpersand(TFountainColor* value) { FAmpersand->CopyFrom(value); }
    void SetMail(TFountainColor* value) { FMail->CopyFrom(value); }
    void SetStr(TFountainColor* value) { FStr->CopyFrom(value); }
    void SetTagAttribute(TFountainColor* value) { FTagAttribute->CopyFrom(value); }
    void SetTagAttributeValue(TFountainColor* value) { FTagAttributeValue->CopyFrom(value); }
    void SetTagColor(TFountainColor* value) { FTagColor->CopyFrom(value); }
    void SetTagElement(TFountainColor* value) { FTagElement->CopyFrom(value); }
    void SetUrl(TFountainColor* value) { FUrl->CopyFrom(value); }

protected:
    void InitFileExtList() override;

private:
    std::unique_ptr<TFountainColor> FAmpersand;
    std::unique_ptr<TFountainColor> FMail;
    std::unique_ptr<TFountainColor> FStr;
    std::unique_ptr<TFountainColor> FTagAttribute;
    std::unique_ptr<TFountainColor> FTagAttributeValue;
    std::unique_ptr<TFountainColor> FTagColor;
    std::unique_ptr<TFountainColor> FTagElement;
    std::unique_ptr<TFountainColor> FUrl;
};

} // namespace brenvik
