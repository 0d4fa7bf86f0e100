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

TBytePair JisCharToSjis(std::uint8_t a, std::uint8_t b);
TBytePair SjisCharToJis(std::uint8_t a, std::uint8_t b);

// Position counts from 1 and points at the SS2 byte (EUC) or at the kana byte (Shift_JIS); on return it
// points past the kana and any voiced mark merged into it.
TBytePair EucKanaToJis(std::string_view text, std::size_t& position);
TBytePair SjisKanaToJis(std::string_view text, std::size_t& position);

} // namespace brenvik
