// Seeded random Shift_JIS texts and patterns for the search differentials: trail bytes equal to letters or
// 0x5C, lead-valued trail bytes, letters with full-width and case twins, kana with and without merging
// marks, line breaks and blanks.
#pragma once

#include <random>
#include <string>
#include <vector>

namespace brenvik::test {

extern const std::vector<std::string> TrapPieces;

// Up to 60 pieces; at times closed by a lone lead byte, or by a zero byte and more text.
std::string RandomText(std::mt19937& random);
// A piece and a letter, or a cut of the text: at times without breaks and blanks, or in the other case.
std::string RandomPattern(std::mt19937& random, const std::string& text);
// A piece of the text near its start (place 0), its end (1) or anywhere (2); at times in full width, in the
// other case or without its breaks and blanks.
std::string CutPattern(std::mt19937& random, const std::string& text, int place);

} // namespace brenvik::test
