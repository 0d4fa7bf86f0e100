// Broadcasting a change to the handlers of a fountain's users.
#include "support/NotifyEventList.h"

namespace brenvik {

TNotifyEventList::TNotifyEventList(QObject* owner)
    : FOwner(owner)
{
}

void TNotifyEventList::Add(const TMethod& method)
{
    FMethods.Add(method);
}

void TNotifyEventList::Remove(const TMethod& method)
{
    FMethods.Remove(method);
}

void TNotifyEventList::Changed()
{
    if (UpdateCount() != 0)
        return;
    // A handler may add or remove handlers (an editor switching fountains): call a snapshot,
    // so no callable is destroyed while it runs.
    const std::vector<TMethod> snapshot = FMethods.Entries();
    for (const TMethod& method : snapshot)
        method(FOwner);
}

} // namespace brenvik
