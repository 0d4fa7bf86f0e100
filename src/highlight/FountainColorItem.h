// A collection item that owns one token colour.
#pragma once

#include "highlight/FountainColor.h"
#include "support/CollectionItem.h"

#include <memory>

namespace brenvik {

// Invariant: ItemColor() is the same object for the item's whole life; it reports its changes
// to the owning collection.
class TFountainColorItem : public TCollectionItem {
    Q_OBJECT
    Q_PROPERTY(brenvik::TFountainColor* ItemColor READ ItemColor WRITE SetItemColor)
public:
    explicit TFountainColorItem(TNotifyCollection& collection);
    ~TFountainColorItem() override;

    TFountainColor* ItemColor() const { return FItemColor.get(); }
    // Copies the values; the colour object itself is kept.
    void SetItemColor(TFountainColor* value);

private:
    std::unique_ptr<TFountainColor> FItemColor;
};

} // namespace brenvik
