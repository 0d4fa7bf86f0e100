// An owned collection of items that reports additions, removals and item changes.
#pragma once

#include "support/CollectionItem.h"
#include "support/NotifyEvent.h"

#include <QObject>
#include <memory>
#include <vector>

namespace brenvik {

// Invariant: every item's Collection() is this collection and its Index() is its position;
// OnChange is called only while UpdateCount() is 0.
class TNotifyCollection : public QObject {
    Q_OBJECT
public:
    explicit TNotifyCollection(QObject* owner);
    ~TNotifyCollection() override;

    TNotifyEvent OnChange;

    QObject* Owner() const { return FOwner; }
    int Count() const { return static_cast<int>(FItems.size()); }
    TCollectionItem& Items(int index) const { return *FItems.at(static_cast<size_t>(index)); }
    int IndexOf(const TCollectionItem& item) const;
    int UpdateCount() const { return FUpdateCount; }

    // Appends a new item of this collection's item class (made by CreateItem).
    virtual TCollectionItem& Add();
    void Delete(int index);
    void Clear();

    virtual void BeginUpdate();
    virtual void EndUpdate();
    // Runs the collection's change notification unless inside a batch.
    void Changed();
    // The handler that items give their sub-objects (e.g. colours).
    virtual void ChangedProc(QObject* sender);

    // Replaces the items by copies of the source's items, inside one batch.
    virtual void Assign(const TNotifyCollection& source);

protected:
    virtual std::unique_ptr<TCollectionItem> CreateItem() = 0;
    // The collection's change notification, sent outside batches.
    virtual void Update();

private:
    QObject* FOwner;
    std::vector<std::unique_ptr<TCollectionItem>> FItems;
    int FUpdateCount = 0;
};

} // namespace brenvik
