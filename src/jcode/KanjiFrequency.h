// The kanji that make up most of Japanese text, as JIS X 0208 cells: read as EUC pairs, a real EUC script's
// kanji are mostly among them, while runs of Shift_JIS half-width kana read as pairs fall on them rarely.
#pragma once

#include <cstdint>

namespace brenvik {

// Whether the JIS X 0208 character row-byte, cell-byte (each 0x21..0x7E) is one of the common kanji.
bool IsCommonKanji(std::uint8_t row, std::uint8_t cell);

} // namespace brenvik
