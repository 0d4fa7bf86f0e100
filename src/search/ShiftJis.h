// Shift_JIS byte classes and the JIS X 0208 to Shift_JIS code rule used by the search tables.
#pragma once

#include "support/LeadByte.h"

#include <cstdint>

namespace brenvik {

// Codes above 0xFF are two-byte characters (high byte first); smaller codes are one byte.
constexpr bool IsDoubleByteCode(std::uint16_t code)
{
    return code > 0xFF;
}

constexpr std::uint16_t JisToShiftJis(std::uint16_t code)
{
    const unsigned row = code >> 8;
    const unsigned cell = code & 0xFF;
    const unsigned lead = ((row + 1) >> 1) + (row <= 0x5E ? 0x70 : 0xB0);
    unsigned trail;
    if (row & 1)
        trail = cell + (cell >= 0x60 ? 0x20 : 0x1F);
    else
        trail = cell + 0x7E;
    return static_cast<std::uint16_t>((lead << 8) | (trail & 0xFF));
}

} // namespace brenvik
