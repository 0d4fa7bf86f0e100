// Update batches and the generic same-class copy of persistent objects.
#include "support/NotifyPersistent.h"

#include "support/PublishedProperties.h"

#include <cassert>
#include <stdexcept>

namespace brenvik {

TNotifyPersistent::TNotifyPersistent(QObject* parent)
    : QObject(parent)
{
}

void TNotifyPersistent::Changed()
{
    if (FUpdateCount == 0 && OnChange)
        OnChange(this);
}

void TNotifyPersistent::BeginUpdate()
{
    ++FUpdateCount;
}

void TNotifyPersistent::EndUpdate()
{
    assert(FUpdateCount > 0);
    if (FUpdateCount > 0)
        --FUpdateCount;
    Changed();
}

void TNotifyPersistent::ChangedProc(QObject* sender)
{
    if (sender != this)
        Changed();
}

void TNotifyPersistent::Assign(const QObject& source)
{
    if (source.metaObject() != metaObject())
        throw std::runtime_error(std::string("Cannot assign a ") + source.metaObject()->className() + " to a "
            + metaObject()->className());
    TUpdateBatch batch(*this);
    for (const QMetaProperty& property : PublishedProperties(*metaObject())) {
        if (property.isWritable())
            property.write(this, property.read(&source));
    }
}

} // namespace brenvik
