// Width tables: half-width ASCII and katakana to their full-width Shift_JIS forms.
#include "search/ZenkakuTable.h"

#include "search/ShiftJis.h"

namespace brenvik {

namespace {

constexpr std::uint8_t Voiceable = 0x80;
constexpr std::uint16_t KatakanaRow = 0x2500;
constexpr std::uint16_t FullWidthVu = 0x8394;
constexpr std::uint8_t FirstSemiVoiceable = 0xCA; // ﾊ
constexpr std::uint8_t LastSemiVoiceable = 0xCE; // ﾎ

// Half-width katakana 0xA6..0xDD in order; 0xB0 (the prolonged-sound mark) is not in row 5.
constexpr std::uint8_t KanaCells[] = {
    0x72, 0x21, 0x23, 0x25, 0x27, 0x29, 0x63, 0x65, 0x67, 0x43, // ｦｧｨｩｪｫｬｭｮｯ
    0x00, 0x22, 0x24, 0x26, 0x28, 0x2A, // ｰｱｲｳｴｵ
    0x2B | Voiceable, 0x2D | Voiceable, 0x2F | Voiceable, 0x31 | Voiceable, 0x33 | Voiceable, // ｶｷｸｹｺ
    0x35 | Voiceable, 0x37 | Voiceable, 0x39 | Voiceable, 0x3B | Voiceable, 0x3D | Voiceable, // ｻｼｽｾｿ
    0x3F | Voiceable, 0x41 | Voiceable, 0x44 | Voiceable, 0x46 | Voiceable, 0x48 | Voiceable, // ﾀﾁﾂﾃﾄ
    0x4A, 0x4B, 0x4C, 0x4D, 0x4E, // ﾅﾆﾇﾈﾉ
    0x4F | Voiceable, 0x52 | Voiceable, 0x55 | Voiceable, 0x58 | Voiceable, 0x5B | Voiceable, // ﾊﾋﾌﾍﾎ
    0x5E, 0x5F, 0x60, 0x61, 0x62, // ﾏﾐﾑﾒﾓ
    0x64, 0x66, 0x68, // ﾔﾕﾖ
    0x69, 0x6A, 0x6B, 0x6C, 0x6D, // ﾗﾘﾙﾚﾛ
    0x6F, 0x73, // ﾜﾝ
};
static_assert(sizeof(KanaCells) == 0xDD - 0xA6 + 1);

struct TWideForm {
    std::uint8_t Byte;
    std::uint16_t Code;
};

// Full-width forms of the ASCII punctuation, the half-width punctuation and the marks.
constexpr TWideForm PunctuationForms[] = {
    {0x20, 0x8140},
    {0x21, 0x8149},
    {0x22, 0x8168},
    {0x23, 0x8194},
    {0x24, 0x8190},
    {0x25, 0x8193},
    {0x26, 0x8195},
    {0x27, 0x8166},
    {0x28, 0x8169},
    {0x29, 0x816A},
    {0x2A, 0x8196},
    {0x2B, 0x817B},
    {0x2C, 0x8143},
    {0x2D, 0x817C},
    {0x2E, 0x8144},
    {0x2F, 0x815E},
    {0x3A, 0x8146},
    {0x3B, 0x8147},
    {0x3C, 0x8183},
    {0x3D, 0x8181},
    {0x3E, 0x8184},
    {0x3F, 0x8148},
    {0x40, 0x8197},
    {0x5B, 0x816D},
    {0x5C, 0x818F},
    {0x5D, 0x816E},
    {0x5E, 0x814F},
    {0x5F, 0x8151},
    {0x60, 0x814D},
    {0x7B, 0x816F},
    {0x7C, 0x8162},
    {0x7D, 0x8170},
    {0x7E, 0x8150},
    {0xA1, 0x8142},
    {0xA2, 0x8175},
    {0xA3, 0x8176},
    {0xA4, 0x8141},
    {0xA5, 0x8144},
    {0xB0, 0x815B},
    {0xDE, 0x814A},
    {0xDF, 0x814B},
};

constexpr std::array<std::uint8_t, 256> BuildKanaJis()
{
    std::array<std::uint8_t, 256> table {};
    for (unsigned i = 0; i < sizeof(KanaCells); ++i)
        table[0xA6 + i] = KanaCells[i];
    return table;
}

constexpr std::array<std::uint16_t, 256> BuildZenkaku(const std::array<std::uint8_t, 256>& kanaJis)
{
    std::array<std::uint16_t, 256> table {};
    for (unsigned byte = 0; byte < 256; ++byte)
        table[byte] = static_cast<std::uint16_t>(byte);
    for (unsigned i = 0; i < 10; ++i)
        table['0' + i] = static_cast<std::uint16_t>(0x824F + i);
    for (unsigned i = 0; i < 26; ++i) {
        table['A' + i] = static_cast<std::uint16_t>(0x8260 + i);
        table['a' + i] = static_cast<std::uint16_t>(0x8281 + i);
    }
    for (const TWideForm form : PunctuationForms)
        table[form.Byte] = form.Code;
    for (unsigned byte = 0; byte < 256; ++byte) {
        if (IsHankakuKana(static_cast<std::uint8_t>(byte)))
            table[byte] = JisToShiftJis(static_cast<std::uint16_t>(KatakanaRow + (kanaJis[byte] & 0x7F)));
    }
    return table;
}

} // namespace

const std::array<std::uint8_t, 256> KanaJisTable = BuildKanaJis();
const std::array<std::uint16_t, 256> ZenkakuTable = BuildZenkaku(BuildKanaJis());

bool MarkMergesWithKana(std::uint8_t kana, std::uint8_t mark)
{
    if (mark == VoicedMark)
        return kana == HankakuU || (IsHankakuKana(kana) && (KanaJisTable[kana] & Voiceable));
    // Only ﾊ..ﾎ have semi-voiced forms; adding two to ｶ would give キ.
    return mark == SemiVoicedMark && kana >= FirstSemiVoiceable && kana <= LastSemiVoiceable;
}

std::uint16_t MergedKana(std::uint8_t kana, std::uint8_t mark)
{
    if (kana == HankakuU)
        return FullWidthVu;
    const unsigned step = mark == VoicedMark ? 1 : 2;
    return JisToShiftJis(static_cast<std::uint16_t>(KatakanaRow + (KanaJisTable[kana] & 0x7F) + step));
}

} // namespace brenvik
