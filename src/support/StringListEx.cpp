// Case-sensitive lookup and duplicate-free appending.
#include "support/StringListEx.h"

#include <algorithm>

namespace brenvik {

TStringListEx::TStringListEx(QObject* parent)
    : TStringList(parent)
{
}

int TStringListEx::Add(const std::string& s)
{
    if (Sorted())
        return TStringList::Add(s);
    if (std::find(Items().begin(), Items().end(), s) != Items().end())
        return -1;
    InsertItem(Count(), s);
    return Count() - 1;
}

int TStringListEx::CompareStrings(const std::string& a, const std::string& b) const
{
    return CompareBytes(a, b);
}

} // namespace brenvik
