// Searches for the loops that run over every byte of a file: the next binary byte, or byte
// that may start a detection rule. Each returns the index of the first such byte in [from, end), or end.
#pragma once

#include <cstddef>
#include <cstdint>

namespace brenvik::jcode_detail {

// A byte below 8, or 0xFF.
std::size_t FindBinaryByte(const std::uint8_t* bytes, std::size_t from, std::size_t end);

// A byte with its high bit set.
std::size_t FindHighByte(const std::uint8_t* bytes, std::size_t from, std::size_t end);

// A byte with its high bit set, below 8, or ESC: every other byte starts no rule of the code detection.
std::size_t FindRuleStartByte(const std::uint8_t* bytes, std::size_t from, std::size_t end);

} // namespace brenvik::jcode_detail
