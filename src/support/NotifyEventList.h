// Broadcasts one change to every registered handler, with the owner as sender.
#pragma once

#include "support/MethodList.h"
#include "support/NotifyPersistent.h"

namespace brenvik {

// Invariant: handlers are called in the order they were added, only when UpdateCount() is 0.
class TNotifyEventList : public TNotifyPersistent {
    Q_OBJECT
public:
    explicit TNotifyEventList(QObject* owner);

    QObject* Owner() const { return FOwner; }
    int Count() const { return FMethods.Count(); }

    virtual void Add(const TMethod& method);
    virtual void Remove(const TMethod& method);
    void Changed() override;

private:
    QObject* FOwner;
    TMethodList FMethods;
};

} // namespace brenvik
