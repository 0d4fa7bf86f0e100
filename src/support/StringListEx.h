// A string list whose lookups are case-sensitive and whose unsorted Add skips exact duplicates.
#pragma once

#include "support/StringList.h"

namespace brenvik {

// Invariant (unsorted): Add never creates two byte-for-byte equal entries.
class TStringListEx : public TStringList {
    Q_OBJECT
public:
    explicit TStringListEx(QObject* parent = nullptr);

    // Returns -1 and adds nothing when an unsorted list already holds S byte for byte.
    int Add(const std::string& s) override;

protected:
    // Byte order for sorting and Find alike, so a sorted list stays searchable.
    int CompareStrings(const std::string& a, const std::string& b) const override;
};

} // namespace brenvik
