// The bytes that separate words for whole-word search; every other byte is a word byte.
#pragma once

#include <array>
#include <cstdint>

namespace brenvik {

extern const std::array<bool, 256> WordDelimiters;

inline bool IsWordDelimiter(std::uint8_t byte)
{
    return WordDelimiters[byte];
}

} // namespace brenvik
