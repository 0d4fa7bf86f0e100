// What a tokenizer has open at a row's end that the packed row state cannot hold (here-document
// terminators waiting, a quote's delimiters), kept once per distinct value by the row list.
#pragma once

#include <deque>
#include <string>
#include <string_view>
#include <unordered_map>

namespace brenvik {

// Byte strings by a small index. Equal strings get the same index, so row states that refer to
// them compare by index. Index 0 is the empty string: nothing open.
class TRowContexts {
public:
    static constexpr int MaxCount = 0x10000; // the index fits the 16 bits a row state keeps

    TRowContexts();

    // The index of bytes, added when new; 0 for empty bytes, and -1 when the table is full.
    int Intern(std::string_view bytes);
    // The bytes of index; empty for 0 and for an index the table does not hold.
    std::string_view At(int index) const;
    int Count() const { return static_cast<int>(FEntries.size()); }
    // Changes with every Clear, after which an index may stand for other bytes.
    int Generation() const { return FGeneration; }
    // Forgets every entry but the empty one; only when no stored state refers to another.
    void Clear();

private:
    std::deque<std::string> FEntries; // a deque keeps each string in place as entries are added
    std::unordered_map<std::string_view, int> FIndex; // views into FEntries
    int FGeneration = 0;
};

} // namespace brenvik
