// Folding tables for case-insensitive search over Shift_JIS.
#include "search/CaseFolding.h"

#include "search/ShiftJis.h"

namespace brenvik {

namespace {

struct TFoldSpan {
    std::uint16_t First;
    std::uint16_t Last;
    std::uint16_t Capital;
};

constexpr TFoldSpan DoubleByteFolds[] = {
    {0x8281, 0x829A, 0x8260}, // full-width Latin
    {0x83BF, 0x83D6, 0x839F}, // Greek
    {0x8470, 0x847E, 0x8440}, // Cyrillic, before the gap at 0x7F
    {0x8480, 0x8491, 0x844F}, // Cyrillic, after it
    {0xEEEF, 0xEEF8, 0x8754}, // small roman numerals
};

constexpr std::array<std::uint8_t, 256> BuildUpperCase()
{
    std::array<std::uint8_t, 256> table {};
    for (unsigned byte = 0; byte < 256; ++byte)
        table[byte] = static_cast<std::uint8_t>(byte >= 'a' && byte <= 'z' ? byte - 'a' + 'A' : byte);
    return table;
}

} // namespace

const std::array<std::uint8_t, 256> UpperCaseTable = BuildUpperCase();

std::uint16_t FoldDoubleByte(std::uint16_t code)
{
    for (const TFoldSpan span : DoubleByteFolds) {
        if (code >= span.First && code <= span.Last)
            return static_cast<std::uint16_t>(span.Capital + (code - span.First));
    }
    return code;
}

std::uint16_t LowerCaseTwin(std::uint16_t capital)
{
    for (const TFoldSpan span : DoubleByteFolds) {
        if (capital >= span.Capital && capital <= span.Capital + (span.Last - span.First))
            return static_cast<std::uint16_t>(span.First + (capital - span.Capital));
    }
    return 0;
}

bool SameDoubleByteNoCase(std::uint16_t patternChar, std::uint16_t textChar)
{
    return textChar == patternChar || FoldDoubleByte(textChar) == patternChar;
}

std::string UpperCasePattern(std::string_view pattern)
{
    std::string result;
    result.reserve(pattern.size());
    std::size_t i = 0;
    while (i < pattern.size()) {
        const auto byte = static_cast<std::uint8_t>(pattern[i]);
        if (IsLeadByte(byte) && i + 1 < pattern.size()) {
            const auto code
                = static_cast<std::uint16_t>(byte << 8 | static_cast<std::uint8_t>(pattern[i + 1]));
            const std::uint16_t capital = FoldDoubleByte(code);
            result += static_cast<char>(capital >> 8);
            result += static_cast<char>(capital & 0xFF);
            i += 2;
        } else {
            result += static_cast<char>(UpperCaseTable[byte]);
            ++i;
        }
    }
    return result;
}

} // namespace brenvik
