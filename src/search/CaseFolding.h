// Case folding for search: single-byte upper-casing and the folding of full-width Latin, Greek, Cyrillic and
// small roman-numeral letters to their capitals.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

namespace brenvik {

extern const std::array<std::uint8_t, 256> UpperCaseTable;

// The capital of a double-byte lower-case letter of the folding list; any other code is returned unchanged.
std::uint16_t FoldDoubleByte(std::uint16_t code);

// The double-byte lower-case letter that folds to this capital, or zero when none does.
std::uint16_t LowerCaseTwin(std::uint16_t capital);

// True when the text character equals the (already upper-cased) pattern character, ignoring case.
bool SameDoubleByteNoCase(std::uint16_t patternChar, std::uint16_t textChar);

// Upper-cases a pattern character by character, so that a trail byte is never taken for a letter.
std::string UpperCasePattern(std::string_view pattern);

} // namespace brenvik
