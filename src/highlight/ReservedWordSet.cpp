// Case-insensitive reserved-word set with open addressing.
#include "highlight/ReservedWordSet.h"

#include "highlight/CharClass.h"

namespace brenvik {

using charclass::UpCase;

std::uint32_t TReservedWordSet::FoldedHash(std::string_view text)
{
    std::uint32_t hash = 2166136261u; // FNV-1a over the upper-cased bytes
    for (const char c : text)
        hash = (hash ^ UpCase(static_cast<unsigned char>(c))) * 16777619u;
    return hash;
}

std::size_t TReservedWordSet::SlotOf(std::string_view token) const
{
    const std::size_t mask = FSlots.size() - 1;
    for (std::size_t slot = FoldedHash(token) & mask;; slot = (slot + 1) & mask) {
        const std::string& word = FSlots[slot];
        if (word.empty())
            return slot;
        if (word.size() != token.size())
            continue;
        std::size_t i = 0;
        while (i < token.size() && UpCase(static_cast<unsigned char>(token[i])) == static_cast<unsigned char>(word[i]))
            ++i;
        if (i == token.size())
            return slot;
    }
}

void TReservedWordSet::Grow()
{
    std::vector<std::string> old = std::move(FSlots);
    FSlots.assign(old.empty() ? 64 : old.size() * 2, std::string());
    for (std::string& word : old)
        if (!word.empty())
            FSlots[SlotOf(word)] = std::move(word);
}

void TReservedWordSet::Insert(std::string_view word)
{
    if (word.empty())
        return;
    if (2 * (FCount + 1) > FSlots.size())
        Grow();
    std::string& slot = FSlots[SlotOf(word)];
    if (!slot.empty())
        return;
    for (const char c : word)
        slot += static_cast<char>(UpCase(static_cast<unsigned char>(c)));
    ++FCount;
    FLongest = std::max(FLongest, word.size());
}

bool TReservedWordSet::Contains(std::string_view token) const
{
    return !token.empty() && token.size() <= FLongest && !FSlots[SlotOf(token)].empty();
}

} // namespace brenvik
