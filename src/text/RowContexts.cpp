// The row list's table of open-construct values.
#include "text/RowContexts.h"

namespace brenvik {

TRowContexts::TRowContexts()
{
    Clear();
}

int TRowContexts::Intern(std::string_view bytes)
{
    if (bytes.empty())
        return 0;
    if (const auto found = FIndex.find(bytes); found != FIndex.end())
        return found->second;
    if (Count() >= MaxCount)
        return -1;
    const std::string& entry = FEntries.emplace_back(bytes);
    const int index = Count() - 1;
    FIndex.emplace(std::string_view(entry), index);
    return index;
}

std::string_view TRowContexts::At(int index) const
{
    return index > 0 && index < Count() ? std::string_view(FEntries[static_cast<size_t>(index)])
                                        : std::string_view();
}

void TRowContexts::Clear()
{
    FIndex.clear();
    FEntries.clear();
    FEntries.emplace_back();
    ++FGeneration;
}

} // namespace brenvik
