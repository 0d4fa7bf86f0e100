// Collection bookkeeping and its change notification.
#include "support/NotifyCollection.h"

#include "support/NotifyPersistent.h"

#include <algorithm>
#include <cassert>

namespace brenvik {

TNotifyCollection::TNotifyCollection(QObject* owner)
    : FOwner(owner)
{
}

TNotifyCollection::~TNotifyCollection() = default;

int TNotifyCollection::IndexOf(const TCollectionItem& item) const
{
    auto found = std::find_if(FItems.begin(), FItems.end(), [&](const auto& p) { return p.get() == &item; });
    return found == FItems.end() ? -1 : static_cast<int>(found - FItems.begin());
}

TCollectionItem& TNotifyCollection::Add()
{
    std::unique_ptr<TCollectionItem> item = CreateItem();
    assert(item && &item->Collection() == this);
    TCollectionItem& result = *item;
    FItems.push_back(std::move(item));
    Changed();
    return result;
}

void TNotifyCollection::Delete(int index)
{
    // Detach before freeing, so the item's destructor never sees itself listed.
    std::unique_ptr<TCollectionItem> item = std::move(FItems.at(static_cast<size_t>(index)));
    FItems.erase(FItems.begin() + index);
    item.reset();
    Changed();
}

void TNotifyCollection::Clear()
{
    if (FItems.empty())
        return;
    std::vector<std::unique_ptr<TCollectionItem>> items;
    items.swap(FItems);
    items.clear();
    Changed();
}

void TNotifyCollection::BeginUpdate()
{
    ++FUpdateCount;
}

void TNotifyCollection::EndUpdate()
{
    assert(FUpdateCount > 0);
    if (FUpdateCount > 0)
        --FUpdateCount;
    Changed();
}

void TNotifyCollection::Changed()
{
    if (FUpdateCount == 0)
        Update();
}

void TNotifyCollection::ChangedProc(QObject* sender)
{
    if (sender != this)
        Changed();
}

void TNotifyCollection::Assign(const TNotifyCollection& source)
{
    if (&source == this)
        return;
    TUpdateBatch batch(*this);
    Clear();
    for (int i = 0; i < source.Count(); ++i)
        Add().Assign(source.Items(i));
}

void TNotifyCollection::Update()
{
    if (OnChange)
        OnChange(this);
}

} // namespace brenvik
