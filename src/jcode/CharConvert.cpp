// Single-character conversions between JIS, Shift_JIS and half-width kana.
#include "jcode/CharConvert.h"

#include "jcode/Bytes.h"

#include <cassert>

namespace brenvik {

using namespace jcode_detail;

const std::array<std::uint16_t, kKanaLast - kKanaFirst + 1> KanaTable = {
    0x2123, 0x2156, 0x2157, 0x2122, 0x2126, 0x2572, 0x2521, 0x2523, // 0x21..0x28
    0x2525, 0x2527, 0x2529, 0x2563, 0x2565, 0x2567, 0x2543, 0x213C, // 0x29..0x30
    0x2522, 0x2524, 0x2526, 0x2528, 0x252A, 0x252B, 0x252D, 0x252F, // 0x31..0x38
    0x2531, 0x2533, 0x2535, 0x2537, 0x2539, 0x253B, 0x253D, 0x253F, // 0x39..0x40
    0x2541, 0x2544, 0x2546, 0x2548, 0x254A, 0x254B, 0x254C, 0x254D, // 0x41..0x48
    0x254E, 0x254F, 0x2552, 0x2555, 0x2558, 0x255B, 0x255E, 0x255F, // 0x49..0x50
    0x2560, 0x2561, 0x2562, 0x2564, 0x2566, 0x2568, 0x2569, 0x256A, // 0x51..0x58
    0x256B, 0x256C, 0x256D, 0x256F, 0x2573, 0x212B, 0x212C, // 0x59..0x5F
};

namespace {

constexpr std::uint8_t kVoicedMark = 0xDE; // ﾞ
constexpr std::uint8_t kSemiVoicedMark = 0xDF; // ﾟ

// Kana code k (0x21..0x5F) with the mark that follows it (0 when none); tells whether the mark was merged.
TBytePair KanaToJis(std::uint8_t k, std::uint8_t mark, bool& markMerged)
{
    const auto full = KanaTable[k - kKanaFirst];
    auto v = static_cast<std::uint8_t>(full & 0xFF);
    const auto row = static_cast<std::uint8_t>(full >> 8);
    markMerged = false;
    if (row == 0x21) {
        return {row, v};
    }
    if (k == 0x33 && mark == kVoicedMark) {
        v = 0x74; // ｳﾞ -> ヴ
        markMerged = true;
    } else if (InRange(k, 0x36, 0x44) && mark == kVoicedMark) {
        v = static_cast<std::uint8_t>(v + 1);
        markMerged = true;
    } else if (InRange(k, 0x4A, 0x4E) && (mark == kVoicedMark || mark == kSemiVoicedMark)) {
        v = static_cast<std::uint8_t>(v + (mark == kVoicedMark ? 1 : 2));
        markMerged = true;
    }
    return {row, v};
}

} // namespace

TBytePair EucKanaToJis(std::string_view text, std::size_t& position)
{
    assert(position >= 1);
    const std::size_t kana = position; // 0-based index of the byte after SS2
    const std::uint8_t byte = ByteAt(text, kana);
    if (!InRange(byte, 0xA1, 0xDF)) {
        position += 2;
        return kJisSubstitute;
    }
    const std::uint8_t mark = ByteAt(text, kana + 1) == kSs2 ? ByteAt(text, kana + 2) : 0;
    bool markMerged = false;
    const TBytePair result = KanaToJis(byte & 0x7F, mark, markMerged);
    position += markMerged ? 4 : 2;
    return result;
}

TBytePair SjisKanaToJis(std::string_view text, std::size_t& position)
{
    assert(position >= 1 && InRange(ByteAt(text, position - 1), 0xA1, 0xDF));
    const std::size_t kana = position - 1;
    const std::uint8_t byte = ByteAt(text, kana);
    bool markMerged = false;
    const TBytePair result = KanaToJis(byte & 0x7F, ByteAt(text, kana + 1), markMerged);
    position += markMerged ? 2 : 1;
    return result;
}

} // namespace brenvik
