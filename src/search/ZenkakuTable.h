// Full-width forms of single bytes and the JIS cells of half-width katakana, for width-blind search.
#pragma once

#include <array>
#include <cstdint>

namespace brenvik {

// Code of the full-width form of each byte; codes up to 0xFF stand for the byte itself.
extern const std::array<std::uint16_t, 256> ZenkakuTable;

// For 0xA6..0xDD: low seven bits the cell in JIS X 0208 row 5, high bit set for kana that take voicing marks.
extern const std::array<std::uint8_t, 256> KanaJisTable;

constexpr std::uint8_t VoicedMark = 0xDE;
constexpr std::uint8_t SemiVoicedMark = 0xDF;
constexpr std::uint8_t HankakuU = 0xB3;

constexpr bool IsHankakuKana(std::uint8_t byte)
{
    return (byte >= 0xA6 && byte <= 0xAF) || (byte >= 0xB1 && byte <= 0xDD);
}

// True when HankakuToZenkaku turns the kana and the mark after it into one character (ｶﾞ, ﾊﾟ, ｳﾞ).
bool MarkMergesWithKana(std::uint8_t kana, std::uint8_t mark);

// The one full-width character that a kana and its merging mark become.
std::uint16_t MergedKana(std::uint8_t kana, std::uint8_t mark);

} // namespace brenvik
