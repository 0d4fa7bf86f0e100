// The one Shift_JIS lead-byte rule, shared by every layer that walks Shift_JIS bytes.
#pragma once

namespace brenvik {

// A Shift_JIS lead byte: 0x81-0x9F or 0xE0-0xFC.
constexpr bool IsLeadByte(unsigned char c)
{
    return (c >= 0x81 && c <= 0x9F) || (c >= 0xE0 && c <= 0xFC);
}

} // namespace brenvik
