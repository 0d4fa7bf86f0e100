// Code page 932 (Shift_JIS with the NEC and IBM extensions and the user-defined area) against Unicode.
#pragma once

#include "support/LeadByte.h"

#include <cstdint>

namespace brenvik {

// A Shift_JIS character: a single byte (0x00..0xFF), or lead << 8 | trail.
using TSjisCode = std::uint16_t;

// What a code without a character reads as.
inline constexpr char32_t kNoChar = 0xFFFFFFFF;

// The character of a code; kNoChar for lone lead bytes, 0x80, 0xA0, 0xFD..0xFF and unassigned pairs.
char32_t Cp932ToUnicode(TSjisCode code);

// The code of a character, 0 when it has none (U+0000 is the single byte 0, which callers copy as ASCII).
// A character with several codes takes the one code page 932 prefers: the JIS X 0208 rows, then NEC row 13,
// then the IBM extensions (FA..FC) before the NEC-selected copies of them (ED, EE).
TSjisCode UnicodeToCp932(char32_t c);

// The code of a character that input methods and JIS-based converters write in a form other than code page
// 932's (WAVE DASH for 81 60, MINUS SIGN for 81 7C, ...); 0 for every other character.
TSjisCode JisFormCode(char32_t c);
// The codes JisFormCode gives: each has two Unicode forms.
bool HasJisForm(TSjisCode code);

// The user-defined area F0 40..F9 FC: 1,880 codes, numbered 0.. in code order.
inline constexpr int kUserCodeCount = 10 * 188;
int UserCodeIndex(TSjisCode code); // -1 outside the area
TSjisCode UserCodeAt(int index);

} // namespace brenvik
