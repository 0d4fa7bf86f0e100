// The reserved words of a parser pass: a case-insensitive set looked up once per word token,
// without folding the token into a buffer or allocating.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace brenvik {

// Open addressing over a power-of-two table that is at least twice the word count, so every probe
// sequence reaches an empty slot. Words are stored upper-cased (ASCII letters fold, other bytes as is).
class TReservedWordSet {
public:
    void Insert(std::string_view word);
    bool Contains(std::string_view token) const;
    std::size_t LongestWord() const { return FLongest; }

private:
    static std::uint32_t FoldedHash(std::string_view text);
    std::size_t SlotOf(std::string_view token) const;
    void Grow();

    std::vector<std::string> FSlots; // empty string: free slot
    std::size_t FCount = 0;
    std::size_t FLongest = 0;
};

} // namespace brenvik
