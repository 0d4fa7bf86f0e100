// Bracket items and their bounded collection.
#include "highlight/FountainBracketCollection.h"

#include "highlight/Fountain.h"

#include <stdexcept>

namespace brenvik {

TFountainBracketItem::TFountainBracketItem(TNotifyCollection& collection)
    : TFountainColorItem(collection)
{
}

void TFountainBracketItem::SetLeftBracket(const std::string& value)
{
    if (FLeftBracket == value)
        return;
    FLeftBracket = value;
    Changed();
}

void TFountainBracketItem::SetRightBracket(const std::string& value)
{
    if (FRightBracket == value)
        return;
    FRightBracket = value;
    Changed();
}

TFountainBracketCollection::TFountainBracketCollection(TFountain& fountain)
    : TNotifyCollection(&fountain)
    , FFountain(fountain)
{
    TNotifyEventList* notifyList = &fountain.NotifyList();
    OnChange = [notifyList](QObject* sender) { notifyList->ChangedProc(sender); };
}

TFountainBracketItem& TFountainBracketCollection::Brackets(int index) const
{
    return static_cast<TFountainBracketItem&>(Items(index));
}

TFountainBracketItem& TFountainBracketCollection::AddBracket(
    const std::string& left, const std::string& right)
{
    TUpdateBatch batch(*this);
    auto& item = static_cast<TFountainBracketItem&>(Add());
    item.SetLeftBracket(left);
    item.SetRightBracket(right);
    return item;
}

TCollectionItem& TFountainBracketCollection::Add()
{
    if (Count() >= MaxCount)
        throw std::runtime_error(
            "TFountainBracketCollection\r\nYou can not add item over " + std::to_string(MaxCount));
    return TNotifyCollection::Add();
}

std::unique_ptr<TCollectionItem> TFountainBracketCollection::CreateItem()
{
    return std::make_unique<TFountainBracketItem>(*this);
}

} // namespace brenvik
