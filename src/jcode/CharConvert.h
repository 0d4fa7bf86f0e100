// Single-character conversions: JIS <-> Shift_JIS double-byte arithmetic and half-width kana to full-width
// JIS.
#pragma once

#include "jcode/JCodeTypes.h"

#include <cstddef>
#include <cstdint>
#include <string_view>

namespace brenvik {

// Full-width JIS X 0208 code of each half-width kana 0x21..0x5F (the kana byte with its top bit cleared).
inline constexpr std::uint8_t kKanaFirst = 0x21;
inline constexpr std::uint8_t kKanaLast = 0x5F;
extern const std::array<std::uint16_t, kKanaLast - kKanaFirst + 1> KanaTable;

// Substitute written for an EUC single-shift pair that holds no kana (JIS 0x222E, the geta mark).
inline constexpr TBytePair kJisSubstitute = {0x22, 0x2E};

// Inline: they run for every double-byte character of a converted file.
inline TBytePair JisCharToSjis(std::uint8_t a, std::uint8_t b)
{
    if (a % 2 == 1) {
        b = static_cast<std::uint8_t>(b + (b > 0x5F ? 0x20 : 0x1F));
    } else {
        b = static_cast<std::uint8_t>(b + 0x7E);
    }
    // Byte arithmetic throughout: a lead of 0xFF (malformed JIS) wraps to 0 before the shift.
    const auto next = static_cast<std::uint8_t>(a + 1);
    a = static_cast<std::uint8_t>((next >> 1) + (a < 0x5F ? 0x70 : 0xB0));
    return {a, b};
}

inline TBytePair SjisCharToJis(std::uint8_t a, std::uint8_t b)
{
    a = static_cast<std::uint8_t>((a - (a < 0xA0 ? 0x70 : 0xB0)) * 2);
    if (b < 0x9F) {
        a = static_cast<std::uint8_t>(a - 1);
        b = static_cast<std::uint8_t>(b - (b > 0x7F ? 0x20 : 0x1F));
    } else {
        b = static_cast<std::uint8_t>(b - 0x7E);
    }
    return {a, b};
}

// Position counts from 1 and points at the SS2 byte (EUC) or at the kana byte (Shift_JIS); on return it
// points past the kana and any voiced mark merged into it.
TBytePair EucKanaToJis(std::string_view text, std::size_t& position);
TBytePair SjisKanaToJis(std::string_view text, std::size_t& position);

} // namespace brenvik
