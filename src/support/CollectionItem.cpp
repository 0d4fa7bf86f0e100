// Collection item identity and copying.
#include "support/CollectionItem.h"

#include "support/NotifyCollection.h"
#include "support/PublishedProperties.h"

#include <stdexcept>

namespace brenvik {

TCollectionItem::TCollectionItem(TNotifyCollection& collection)
    : FCollection(collection)
{
}

int TCollectionItem::Index() const
{
    return FCollection.IndexOf(*this);
}

void TCollectionItem::Assign(const TCollectionItem& source)
{
    if (source.metaObject() != metaObject())
        throw std::runtime_error(std::string("Cannot assign a ") + source.metaObject()->className() + " to a "
            + metaObject()->className());
    for (const QMetaProperty& property : PublishedProperties(*metaObject())) {
        if (property.isWritable())
            property.write(this, property.read(&source));
    }
    Changed();
}

void TCollectionItem::Changed()
{
    FCollection.Changed();
}

} // namespace brenvik
