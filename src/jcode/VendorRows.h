// The Shift_JIS rows that the JIS arithmetic alone does not carry: the IBM extensions, the NEC-selected
// rows that stand for them in EUC and JIS, and the user-defined area.
#pragma once

#include "jcode/JCodeTypes.h"

#include <cstdint>

namespace brenvik {

// The arithmetic of SjisCharToJis, except that an IBM extension (FA 40..FC 4B) first takes the code of
// the same character among the NEC-selected rows (ED 40..EE FC) or the standard rows, and the
// user-defined area F0 40..F4 FC goes to the user-defined JIS rows 0x75..0x7E.
TBytePair SjisToJisCode(std::uint8_t a, std::uint8_t b);

// The inverse: JisCharToSjis, except that the NEC-selected rows 0x79..0x7C come back as the IBM
// extensions and the other user-defined rows as F0, F1 and F4 leads.
TBytePair JisToSjisCode(std::uint8_t a, std::uint8_t b);

} // namespace brenvik
