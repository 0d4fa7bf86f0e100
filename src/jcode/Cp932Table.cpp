// The code page 932 tables, read once from the system's converter (iconv's CP932), which is the mapping the
// peers' "iconv -f CP932" uses too.
#include "jcode/Cp932Table.h"
#include "jcode/Cp932Utf8.h"

#include <array>
#include <cerrno>
#include <iconv.h>
#include <memory>
#include <vector>

namespace brenvik {

namespace {

struct TTables {
    std::array<char32_t, 0x10000> toUnicode;
    std::array<std::uint32_t, 0x10000> toUtf8;
    std::vector<TSjisCode> fromBmp = std::vector<TSjisCode>(0x10000, 0);
};

bool IsTrail(std::uint8_t b)
{
    return (b >= 0x40 && b <= 0x7E) || (b >= 0x80 && b <= 0xFC);
}

char32_t Decode(iconv_t cd, const char* bytes, std::size_t size)
{
    char* in = const_cast<char*>(bytes);
    std::uint8_t out[8];
    char* outAt = reinterpret_cast<char*>(out);
    std::size_t inLeft = size;
    std::size_t outLeft = sizeof out;
    const std::size_t done = ::iconv(cd, &in, &inLeft, &outAt, &outLeft);
    ::iconv(cd, nullptr, nullptr, nullptr, nullptr);
    if (done == static_cast<std::size_t>(-1) || inLeft != 0 || sizeof out - outLeft != 4) {
        return kNoChar;
    }
    return static_cast<char32_t>(out[0] | out[1] << 8 | out[2] << 16 | out[3] << 24);
}

std::uint32_t PackedUtf8(char32_t c)
{
    if (c == kNoChar) {
        return 0;
    }
    if (c < 0x80) {
        return 1U << 24 | c;
    }
    if (c < 0x800) {
        return 2U << 24 | (0x80 | (c & 0x3F)) << 8 | (0xC0 | c >> 6);
    }
    return 3U << 24 | (0x80 | (c & 0x3F)) << 16 | (0x80 | (c >> 6 & 0x3F)) << 8 | (0xE0 | c >> 12);
}

void Prefer(TTables& tables, TSjisCode code)
{
    const char32_t c = tables.toUnicode[code];
    if (c < 0x10000 && tables.fromBmp[c] == 0) {
        tables.fromBmp[c] = code;
    }
}

std::unique_ptr<TTables> BuildTables()
{
    auto tables = std::make_unique<TTables>();
    tables->toUnicode.fill(kNoChar);
    const iconv_t cd = ::iconv_open("UCS-4LE", "CP932");
    for (unsigned b = 0; b < 0x80; ++b) {
        tables->toUnicode[b] = b;
    }
    if (cd != reinterpret_cast<iconv_t>(-1)) {
        for (unsigned b = 0x80; b <= 0xFF; ++b) {
            const char byte = static_cast<char>(b);
            tables->toUnicode[b] = IsLeadByte(static_cast<std::uint8_t>(b)) ? kNoChar : Decode(cd, &byte, 1);
            for (unsigned t = 0x40; IsLeadByte(static_cast<std::uint8_t>(b)) && t <= 0xFC; ++t) {
                if (IsTrail(static_cast<std::uint8_t>(t))) {
                    const char pair[2] = {byte, static_cast<char>(t)};
                    tables->toUnicode[b << 8 | t] = Decode(cd, pair, 2);
                }
            }
        }
        ::iconv_close(cd);
    }
    // Lowest code first, the NEC-selected copies of the IBM extensions last.
    for (unsigned code = 1; code < 0x10000; ++code) {
        if (code >> 8 != 0xED && code >> 8 != 0xEE) {
            Prefer(*tables, static_cast<TSjisCode>(code));
        }
    }
    for (unsigned code = 0xED00; code < 0xEF00; ++code) {
        Prefer(*tables, static_cast<TSjisCode>(code));
    }
    for (unsigned code = 0; code < 0x10000; ++code) {
        tables->toUtf8[code] = PackedUtf8(tables->toUnicode[code]);
    }
    return tables;
}

const TTables& Tables()
{
    static const std::unique_ptr<TTables> tables = BuildTables();
    return *tables;
}

} // namespace

char32_t Cp932ToUnicode(TSjisCode code)
{
    return Tables().toUnicode[code];
}

const std::uint32_t* Cp932Utf8Table()
{
    return Tables().toUtf8.data();
}

TSjisCode UnicodeToCp932(char32_t c)
{
    return c < 0x10000 ? Tables().fromBmp[c] : 0;
}

namespace {

// Characters that input methods and JIS-based converters write in a form other than code page 932's,
// with the code page's code for them.
struct TJisForm {
    char32_t c;
    TSjisCode code;
};
// The yen sign and the overline are JIS X 0208's own forms of ￥ and ￣: as such they never become the single
// bytes 5C and 7E, which Perl reads as a backslash and a tilde.
constexpr TJisForm kJisForms[] = {
    {U'\u00A2', 0x8191}, // ¢ (code page 932: ￠)
    {U'\u00A3', 0x8192}, // £ (￡)
    {U'\u00A5', 0x818F}, // ¥ (￥)
    {U'\u203E', 0x8150}, // ‾ (￣)
    {U'\u00AC', 0x81CA}, // ¬ (￢)
    {U'\u2014', 0x815C}, // — (―)
    {U'\u2016', 0x8161}, // ‖ (∥)
    {U'\u2212', 0x817C}, // − (－)
    {U'\u301C', 0x8160}, // 〜 (～)
};

} // namespace

TSjisCode JisFormCode(char32_t c)
{
    for (const TJisForm& form : kJisForms) {
        if (form.c == c) {
            return form.code;
        }
    }
    return 0;
}

bool HasJisForm(TSjisCode code)
{
    for (const TJisForm& form : kJisForms) {
        if (form.code == code) {
            return true;
        }
    }
    return false;
}

int UserCodeIndex(TSjisCode code)
{
    const unsigned lead = code >> 8;
    const unsigned trail = code & 0xFF;
    if (lead < 0xF0 || lead > 0xF9 || !IsTrail(static_cast<std::uint8_t>(trail))) {
        return -1;
    }
    return static_cast<int>((lead - 0xF0) * 188 + (trail < 0x80 ? trail - 0x40 : trail - 0x41));
}

TSjisCode UserCodeAt(int index)
{
    const auto trail = static_cast<unsigned>(index % 188);
    return static_cast<TSjisCode>((0xF0 + index / 188) << 8 | (trail < 0x3F ? trail + 0x40 : trail + 0x41));
}

} // namespace brenvik
