// Colour items report their colour's changes through their collection.
#include "highlight/FountainColorItem.h"

#include "support/NotifyCollection.h"

namespace brenvik {

TFountainColorItem::TFountainColorItem(TNotifyCollection& collection)
    : TCollectionItem(collection)
    , FItemColor(std::make_unique<TFountainColor>())
{
    FItemColor->OnChange = [&collection](QObject* sender) { collection.ChangedProc(sender); };
}

TFountainColorItem::~TFountainColorItem() = default;

void TFountainColorItem::SetItemColor(TFountainColor* value)
{
    FItemColor->CopyFrom(value);
}

} // namespace brenvik
