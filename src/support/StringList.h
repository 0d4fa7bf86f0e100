// An ordered list of Shift_JIS byte strings, optionally sorted, with change notification.
#pragma once

#include "support/NotifyEvent.h"

#include <QObject>
#include <string>
#include <vector>

namespace brenvik {

enum class TDuplicates { dupIgnore, dupAccept, dupError };

// Case-insensitive order for Shift_JIS text: ASCII letters fold, every other byte (lead and
// trail bytes included) compares as an unsigned byte.
int CompareTextBytes(const std::string& a, const std::string& b);
// Byte-for-byte order, each byte unsigned.
int CompareBytes(const std::string& a, const std::string& b);

// Invariant: when Sorted(), CompareStrings(Strings(i), Strings(i + 1)) <= 0 for every i.
// OnChange fires only outside batches. Subclasses that keep data parallel to the strings
// override InsertItem, Delete and Clear, and are never sorted (sorting moves strings only).
class TStringList : public QObject {
    Q_OBJECT
public:
    explicit TStringList(QObject* parent = nullptr);

    TNotifyEvent OnChange;

    int Count() const { return static_cast<int>(FItems.size()); }
    const std::string& Strings(int index) const { return FItems.at(static_cast<size_t>(index)); }
    // Replaces one entry; on a sorted list the entry is removed and the value added in order.
    void SetStrings(int index, const std::string& value);
    const std::vector<std::string>& Items() const { return FItems; }

    bool Sorted() const { return FSorted; }
    void SetSorted(bool value);
    TDuplicates Duplicates() const { return FDuplicates; }
    void SetDuplicates(TDuplicates value) { FDuplicates = value; }
    bool CaseSensitive() const { return FCaseSensitive; }
    void SetCaseSensitive(bool value);

    // Binary search, meaningful on a sorted list: the position of S or where it belongs.
    virtual bool Find(const std::string& s, int& index) const;
    int IndexOf(const std::string& s) const;
    // Sorted list: inserts in order, honouring Duplicates (dupIgnore returns the existing
    // index, dupError raises std::runtime_error); unsorted: appends.
    virtual int Add(const std::string& s);
    // Raises std::logic_error on a sorted list, whose order only Add may choose.
    void Insert(int index, const std::string& s);
    virtual void Delete(int index);
    virtual void Clear();
    // Replaces the entries by those of another list, inside one batch.
    void Assign(const TStringList& source);
    void Assign(const std::vector<std::string>& strings);

    // Every entry followed by CR LF.
    std::string Text() const;
    // Lines end at CR, LF or CR LF; an empty text gives an empty list.
    void SetText(const std::string& text);

    void BeginUpdate() { ++FUpdateCount; }
    void EndUpdate();
    int UpdateCount() const { return FUpdateCount; }

protected:
    virtual int CompareStrings(const std::string& a, const std::string& b) const;
    virtual void InsertItem(int index, const std::string& s);
    void Changed();

private:
    void Sort();

    std::vector<std::string> FItems;
    bool FSorted = false;
    bool FCaseSensitive = false;
    TDuplicates FDuplicates = TDuplicates::dupIgnore;
    int FUpdateCount = 0;
};

} // namespace brenvik
