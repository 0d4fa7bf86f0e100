// The base of the items of a TNotifyCollection: a QObject whose published properties are stored.
#pragma once

#include <QObject>

namespace brenvik {

class TNotifyCollection;

// Invariant: Collection() owns this item and lists it at Index().
class TCollectionItem : public QObject {
    Q_OBJECT
public:
    explicit TCollectionItem(TNotifyCollection& collection);

    TNotifyCollection& Collection() const { return FCollection; }
    int Index() const;

    // Copies the published properties of an item of the same class; subclasses may refine it.
    virtual void Assign(const TCollectionItem& source);

protected:
    // Reports a change of this item through the collection.
    void Changed();

private:
    TNotifyCollection& FCollection;
};

} // namespace brenvik
