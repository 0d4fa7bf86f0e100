// Byte access shared by the code routines: a position past the end reads as 0.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>

namespace brenvik::jcode_detail {

inline std::uint8_t ByteAt(std::string_view text, std::size_t index)
{
    return index < text.size() ? static_cast<std::uint8_t>(text[index]) : 0;
}

inline bool InRange(std::uint8_t b, std::uint8_t low, std::uint8_t high)
{
    return b >= low && b <= high;
}

inline constexpr std::uint8_t kEsc = 27;
inline constexpr std::uint8_t kCr = 13;
inline constexpr std::uint8_t kLf = 10;
inline constexpr std::uint8_t kSs2 = 0x8E;

} // namespace brenvik::jcode_detail
