// Handler list operations.
#include "support/MethodList.h"

#include <algorithm>

namespace brenvik {

int TMethodList::Add(const TMethod& method)
{
    FItems.push_back(method);
    return Count() - 1;
}

void TMethodList::Remove(const TMethod& method)
{
    auto found
        = std::find_if(FItems.rbegin(), FItems.rend(), [&](const TMethod& m) { return m.SameAs(method); });
    if (found != FItems.rend())
        FItems.erase(std::next(found).base());
}

} // namespace brenvik
