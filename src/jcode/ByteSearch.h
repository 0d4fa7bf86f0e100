// Searches for the loops that run over every byte of a file: the next binary byte, or byte
// that may start a detection rule. Each returns the index of the first such byte in [from, end), or end; any
// of bytes[0, end) may be read (a short range is searched as the sixteen bytes that end at end).
#pragma once

#include <cstddef>
#include <cstdint>

namespace brenvik::jcode_detail {

// A byte below 8, or 0xFF.
std::size_t FindBinaryByte(const std::uint8_t* bytes, std::size_t from, std::size_t end);

// A byte with its high bit set.
std::size_t FindHighByte(const std::uint8_t* bytes, std::size_t from, std::size_t end);

// Copies the bytes from `from` to out until a byte with its high bit set, or end; returns its index. out has
// room for end - from bytes.
std::size_t CopySevenBitRun(const std::uint8_t* bytes, std::size_t from, std::size_t end, char* out);

// A byte with its high bit set, below 8, ESC, or the JIS kana shifts SO and SI: every other byte starts no rule
// of the code detection and converts to itself in every code.
inline bool IsRuleStartByte(std::uint8_t b)
{
    return b >= 0x80 || b < 8 || b == 27 || b == 0x0E || b == 0x0F;
}
std::size_t FindRuleStartByte(const std::uint8_t* bytes, std::size_t from, std::size_t end);

// A CR or LF byte.
std::size_t FindLineBreakByte(const std::uint8_t* bytes, std::size_t from, std::size_t end);

// Searching backwards: the index after the last CR or LF in [from, end), or from when there is none
// (where the line holding the byte at end starts, when from is a line start).
std::size_t FindLineStart(const std::uint8_t* bytes, std::size_t from, std::size_t end);

// A byte that may start a detection rule, or a line break other than the one kept (CR LF, CR or LF: a
// lone CR, or an LF after no CR, for CR LF). Lines before it copy as they are when breaks become kept.
// Bytes before from and at end are read as neighbours of a break; end is the end of the text.
enum class TKeptBreak { kbCrLf, kbCr, kbLf };
std::size_t FindRuleStartOrOtherBreak(
    const std::uint8_t* bytes, std::size_t from, std::size_t end, TKeptBreak kept);
// Whether every line break of bytes[0, end) is the one kept, in one pass that pairs the CR and LF of sixteen
// bytes by shifting their bits.
bool AllBreaksKept(const std::uint8_t* bytes, std::size_t end, TKeptBreak kept);

} // namespace brenvik::jcode_detail
