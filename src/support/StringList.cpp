// Ordered and sorted byte-string lists.
#include "support/StringList.h"

#include "support/NotifyPersistent.h"

#include <algorithm>
#include <stdexcept>

namespace brenvik {

namespace {

unsigned char FoldAscii(unsigned char c)
{
    return (c >= 'a' && c <= 'z') ? static_cast<unsigned char>(c - 32) : c;
}

template <typename Map> int CompareMapped(const std::string& a, const std::string& b, Map map)
{
    const size_t common = std::min(a.size(), b.size());
    for (size_t i = 0; i < common; ++i) {
        const unsigned char x = map(static_cast<unsigned char>(a[i]));
        const unsigned char y = map(static_cast<unsigned char>(b[i]));
        if (x != y)
            return x < y ? -1 : 1;
    }
    return a.size() == b.size() ? 0 : (a.size() < b.size() ? -1 : 1);
}

} // namespace

int CompareTextBytes(const std::string& a, const std::string& b)
{
    return CompareMapped(a, b, FoldAscii);
}

int CompareBytes(const std::string& a, const std::string& b)
{
    return CompareMapped(a, b, [](unsigned char c) { return c; });
}

TStringList::TStringList(QObject* parent)
    : QObject(parent)
{
}

void TStringList::SetStrings(int index, const std::string& value)
{
    if (Strings(index) == value)
        return;
    if (FSorted) {
        TUpdateBatch batch(*this);
        Delete(index);
        Add(value);
        return;
    }
    FItems[static_cast<size_t>(index)] = value;
    Changed();
}

void TStringList::SetSorted(bool value)
{
    if (FSorted == value)
        return;
    if (value)
        Sort();
    FSorted = value;
}

void TStringList::SetCaseSensitive(bool value)
{
    if (FCaseSensitive == value)
        return;
    FCaseSensitive = value;
    if (FSorted)
        Sort();
}

bool TStringList::Find(const std::string& s, int& index) const
{
    bool result = false;
    int low = 0;
    int high = Count() - 1;
    while (low <= high) {
        const int probe = (low + high) / 2;
        const int c = CompareStrings(FItems[static_cast<size_t>(probe)], s);
        if (c < 0) {
            low = probe + 1;
        } else {
            high = probe - 1;
            if (c == 0) {
                result = true;
                if (FDuplicates != TDuplicates::dupAccept)
                    low = probe;
            }
        }
    }
    index = low;
    return result;
}

int TStringList::IndexOf(const std::string& s) const
{
    if (FSorted) {
        int index = 0;
        return Find(s, index) ? index : -1;
    }
    for (int i = 0; i < Count(); ++i) {
        if (CompareStrings(FItems[static_cast<size_t>(i)], s) == 0)
            return i;
    }
    return -1;
}

int TStringList::Add(const std::string& s)
{
    int index = Count();
    if (FSorted && Find(s, index)) {
        if (FDuplicates == TDuplicates::dupIgnore)
            return index;
        if (FDuplicates == TDuplicates::dupError)
            throw std::runtime_error("String list does not allow duplicates");
    }
    InsertItem(index, s);
    return index;
}

void TStringList::Insert(int index, const std::string& s)
{
    if (FSorted)
        throw std::logic_error("Operation not allowed on sorted list");
    if (index < 0 || index > Count())
        throw std::out_of_range("List index out of bounds");
    InsertItem(index, s);
}

void TStringList::InsertItem(int index, const std::string& s)
{
    FItems.insert(FItems.begin() + index, s);
    Changed();
}

void TStringList::Delete(int index)
{
    if (index < 0 || index >= Count())
        throw std::out_of_range("List index out of bounds");
    FItems.erase(FItems.begin() + index);
    Changed();
}

void TStringList::Clear()
{
    if (FItems.empty())
        return;
    FItems.clear();
    Changed();
}

void TStringList::Assign(const TStringList& source)
{
    if (&source != this)
        Assign(source.FItems);
}

void TStringList::Assign(const std::vector<std::string>& strings)
{
    TUpdateBatch batch(*this);
    Clear();
    for (const std::string& s : strings)
        Add(s);
}

std::string TStringList::Text() const
{
    std::string result;
    for (const std::string& s : FItems) {
        result += s;
        result += "\r\n";
    }
    return result;
}

void TStringList::SetText(const std::string& text)
{
    TUpdateBatch batch(*this);
    Clear();
    size_t start = 0;
    while (start < text.size()) {
        size_t end = text.find_first_of("\r\n", start);
        if (end == std::string::npos)
            end = text.size();
        Add(text.substr(start, end - start));
        if (end < text.size() && text[end] == '\r' && end + 1 < text.size() && text[end + 1] == '\n')
            ++end;
        start = end + 1;
    }
}

void TStringList::EndUpdate()
{
    if (FUpdateCount > 0)
        --FUpdateCount;
    Changed();
}

int TStringList::CompareStrings(const std::string& a, const std::string& b) const
{
    return FCaseSensitive ? CompareBytes(a, b) : CompareTextBytes(a, b);
}

void TStringList::Changed()
{
    if (FUpdateCount == 0 && OnChange)
        OnChange(this);
}

void TStringList::Sort()
{
    std::stable_sort(FItems.begin(), FItems.end(),
        [this](const std::string& a, const std::string& b) { return CompareStrings(a, b) < 0; });
    Changed();
}

} // namespace brenvik
