// The caret's jump history.
#include "model/CaretHistory.h"

namespace brenvik {

void TCaretHistory::Jumped(TLinePlace from, TLinePlace to)
{
    if (FPlaces.empty())
        FPlaces.push_back(from);
    FPlaces.resize(FCurrent + 1);
    FPlaces[FCurrent] = from;
    FPlaces.push_back(to);
    if (FPlaces.size() > std::size_t(Max))
        FPlaces.erase(FPlaces.begin());
    FCurrent = FPlaces.size() - 1;
}

std::optional<TLinePlace> TCaretHistory::Back(TLinePlace current)
{
    if (!CanBack())
        return std::nullopt;
    FPlaces[FCurrent] = current;
    return FPlaces[--FCurrent];
}

std::optional<TLinePlace> TCaretHistory::Forward(TLinePlace current)
{
    if (!CanForward())
        return std::nullopt;
    FPlaces[FCurrent] = current;
    return FPlaces[++FCurrent];
}

} // namespace brenvik
