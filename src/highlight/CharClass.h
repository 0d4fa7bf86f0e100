// Byte classes of Shift_JIS text used by the scanning rules, as one constant table.
#pragma once

#include <array>
#include <cstdint>

namespace brenvik::charclass {

enum : std::uint16_t {
    ccDigit = 1 << 0, // 0-9
    ccWord = 1 << 1, // 0-9 A-Z _ a-z
    ccHex = 1 << 2, // 0-9 A-F a-f
    ccMail = 1 << 3, // the bytes a mail address may hold
    ccUrl = 1 << 4, // the bytes a URL may hold
    ccLead = 1 << 5, // Shift_JIS lead byte
    ccBlank = 1 << 6, // skipped between tokens: 0x01-0x08, 0x0A-0x20
    ccRowEnd = 1 << 7, // NUL, LF, CR
    ccKanjiLead = 1 << 8, // 0x88-0x9F, 0xE0-0xFC
    ccNarrowKana = 1 << 9, // 0xA6-0xDF
    ccAlphaNumeric = 1 << 10, // 0-9 A-Z a-z
    ccEntity = 1 << 11, // # 0-9 A-Z a-z
};

constexpr std::array<std::uint16_t, 256> MakeTable()
{
    std::array<std::uint16_t, 256> t {};
    auto range = [&t](int first, int last, std::uint16_t bits) {
        for (int c = first; c <= last; ++c)
            t[c] |= bits;
    };
    auto chars = [&t](const char* s, std::uint16_t bits) {
        for (; *s; ++s)
            t[static_cast<unsigned char>(*s)] |= bits;
    };
    const std::uint16_t letters = ccWord | ccMail | ccUrl | ccAlphaNumeric | ccEntity;
    range('0', '9', ccDigit | ccHex | letters);
    range('A', 'Z', letters);
    range('a', 'z', letters);
    range('A', 'F', ccHex);
    range('a', 'f', ccHex);
    t['_'] |= ccWord | ccMail | ccUrl;
    chars("!$%&*,-./;=?@^~", ccMail);
    chars("#%&+-./:=?~", ccUrl);
    t['#'] |= ccEntity;
    range(0x81, 0x9F, ccLead);
    range(0xE0, 0xFC, ccLead);
    range(0x88, 0x9F, ccKanjiLead);
    range(0xE0, 0xFC, ccKanjiLead);
    range(0xA6, 0xDF, ccNarrowKana);
    range(0x01, 0x08, ccBlank);
    range(0x0A, 0x20, ccBlank);
    t[0x00] |= ccRowEnd;
    t[0x0A] |= ccRowEnd;
    t[0x0D] |= ccRowEnd;
    return t;
}

inline constexpr std::array<std::uint16_t, 256> kTable = MakeTable();

constexpr bool Is(unsigned char c, std::uint16_t bits)
{
    return (kTable[c] & bits) != 0;
}

// ASCII letters folded to upper case, every other byte kept.
constexpr unsigned char UpCase(unsigned char c)
{
    return (c >= 'a' && c <= 'z') ? c - ('a' - 'A') : c;
}

} // namespace brenvik::charclass
