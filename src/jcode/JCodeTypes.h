// The character-code and line-break-code numbers that files, settings and the status bar share.
#pragma once

#include <array>
#include <cstdint>

namespace brenvik {

// Character code of a text or file; the numbers are stored in settings and document state.
using JCode = std::int32_t;
inline constexpr JCode jcNone = 0; // no Japanese byte found
inline constexpr JCode jcBinary = 1; // a control byte below 8, or 0xFF
inline constexpr JCode jcJis = 2; // ESC $ B kanji
inline constexpr JCode jcOldJis = 3; // ESC $ @ kanji, treated as jcJis
inline constexpr JCode jcEuc = 4;
inline constexpr JCode jcSjis = 5;
inline constexpr JCode jcUndecided = 6; // EUC or Shift_JIS
inline constexpr JCode jcUtf8 = 7; // decided for a whole file only, never for a line

// Line-break code; also chooses the terminator written on save.
using RCode = std::int32_t;
inline constexpr RCode rcNone = 0;
inline constexpr RCode rcCrLf = 1;
inline constexpr RCode rcCr = 2;
inline constexpr RCode rcLf = 3;

// One double-byte character, lead byte first.
using TBytePair = std::array<std::uint8_t, 2>;

} // namespace brenvik
