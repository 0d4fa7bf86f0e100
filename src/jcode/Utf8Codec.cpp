// UTF-8 to and from Shift_JIS; runs of 7-bit bytes are copied whole.
#include "jcode/Utf8Codec.h"

#include "jcode/ByteSearch.h"
#include "jcode/Cp932Utf8.h"

#include <cstring>

namespace brenvik {

using jcode_detail::FindHighByte;
using jcode_detail::FindRuleStartByte;

namespace {

const std::uint8_t* Bytes(std::string_view text)
{
    return reinterpret_cast<const std::uint8_t*>(text.data());
}

bool IsContinuation(std::uint8_t b)
{
    return (b & 0xC0) == 0x80;
}

// The Shift_JIS of 〓, written for a character no code is left for.
constexpr TSjisCode kGeta = 0x81AC;

void AppendCode(TSjisCode code, std::string& out)
{
    if (code > 0xFF) {
        out.push_back(static_cast<char>(code >> 8));
    }
    out.push_back(static_cast<char>(code & 0xFF));
}

void AppendUtf8(char32_t c, std::string& out)
{
    if (c < 0x800) {
        out.push_back(static_cast<char>(0xC0 | c >> 6));
    } else if (c < 0x10000) {
        out.push_back(static_cast<char>(0xE0 | c >> 12));
        out.push_back(static_cast<char>(0x80 | (c >> 6 & 0x3F)));
    } else {
        out.push_back(static_cast<char>(0xF0 | c >> 18));
        out.push_back(static_cast<char>(0x80 | (c >> 12 & 0x3F)));
        out.push_back(static_cast<char>(0x80 | (c >> 6 & 0x3F)));
    }
    out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
}

} // namespace

std::size_t DecodeUtf8At(std::string_view text, std::size_t i, char32_t& c)
{
    const std::uint8_t* bytes = Bytes(text);
    const std::size_t left = text.size() - i;
    const std::uint8_t b = bytes[i];
    std::size_t length = 0;
    char32_t lowest = 0;
    if (b < 0x80) {
        c = b;
        return 1;
    }
    if (b >= 0xC2 && b <= 0xDF) {
        length = 2;
        lowest = 0x80;
        c = b & 0x1F;
    } else if (b >= 0xE0 && b <= 0xEF) {
        length = 3;
        lowest = 0x800;
        c = b & 0x0F;
    } else if (b >= 0xF0 && b <= 0xF4) {
        length = 4;
        lowest = 0x10000;
        c = b & 0x07;
    } else {
        return 0;
    }
    if (left < length) {
        return 0;
    }
    for (std::size_t k = 1; k < length; ++k) {
        if (!IsContinuation(bytes[i + k])) {
            return 0;
        }
        c = c << 6 | (bytes[i + k] & 0x3F);
    }
    const bool surrogate = c >= 0xD800 && c <= 0xDFFF;
    return c < lowest || c > 0x10FFFF || surrogate ? 0 : length;
}

TUtf8Share CountUtf8(std::string_view bytes, std::size_t strayLimit)
{
    TUtf8Share share;
    const std::size_t n = bytes.size();
    std::size_t i = 0;
    while (share.invalid <= strayLimit && (i = FindRuleStartByte(Bytes(bytes), i, n)) < n) {
        const auto b = static_cast<std::uint8_t>(bytes[i]);
        if (b < 0x80) {
            const char next = i + 1 < n ? bytes[i + 1] : '\0';
            share.jisEscape = share.jisEscape || (b == 27 && (next == '$' || next == '('));
            ++i;
            continue;
        }
        char32_t c = 0;
        const std::size_t length = DecodeUtf8At(bytes, i, c);
        if (length == 0) {
            ++share.invalid;
            ++i;
        } else {
            ++share.valid;
            i += length;
        }
    }
    return share;
}

bool IsNearUtf8File(std::string_view bytes)
{
    constexpr std::size_t kLeastValid = 4;
    constexpr std::size_t kValidPerStray = 8;
    constexpr std::size_t kMostStray = 64;
    const TUtf8Share share = CountUtf8(bytes, kMostStray);
    return !share.jisEscape && share.valid >= kLeastValid && share.invalid <= kMostStray
        && share.invalid * kValidPerStray <= share.valid;
}

bool IsUtf8File(std::string_view bytes)
{
    const std::size_t n = bytes.size();
    bool multiByte = bytes.starts_with(kUtf8Bom);
    std::size_t i = 0;
    while (true) {
        // Rule-start bytes: every byte from 0x80 up, and ESC, which may start a JIS escape.
        i = FindRuleStartByte(Bytes(bytes), i, n);
        if (i == n) {
            return multiByte;
        }
        const auto b = static_cast<std::uint8_t>(bytes[i]);
        if (b < 0x80) {
            const char next = i + 1 < n ? bytes[i + 1] : '\0';
            if (b == 27 && (next == '$' || next == '(')) {
                return false;
            }
            ++i;
            continue;
        }
        char32_t c = 0;
        const std::size_t length = DecodeUtf8At(bytes, i, c);
        if (length == 0) {
            return false;
        }
        multiByte = true;
        i += length;
    }
}

void TUtf8Decoder::ReserveUsedCodes(std::string_view bytes)
{
    // U+E000..U+E757 are EE 80 80..EE 9D 97: only sequences led by EE can be among them.
    for (std::size_t i = bytes.find('\xEE'); i != std::string_view::npos; i = bytes.find('\xEE', i + 1)) {
        char32_t c = 0;
        if (DecodeUtf8At(bytes, i, c) == 3 && c >= 0xE000 && c <= 0xE757) {
            chars_.Reserve(UnicodeToCp932(c));
        }
    }
}

void TUtf8Decoder::AppendLine(std::string_view line, std::string& out)
{
    if (++line_ == 1 && line.starts_with(kUtf8Bom)) {
        line.remove_prefix(kUtf8Bom.size());
    }
    const std::size_t n = line.size();
    std::size_t i = 0;
    while (i < n) {
        const std::size_t high = FindHighByte(Bytes(line), i, n);
        out.append(line.substr(i, high - i));
        i = high;
        while (i < n && Bytes(line)[i] >= 0x80) {
            char32_t c = 0;
            const std::size_t length = DecodeUtf8At(line, i, c);
            if (length == 0) {
                out.push_back(line[i++]);
                continue;
            }
            TSjisCode code = chars_.Take(c);
            if (code == 0) {
                chars_.SetUnheld({c, line_});
                code = kGeta;
            }
            AppendCode(code, out);
            i += length;
        }
    }
}

void AppendSjisToUtf8(std::string_view line, const TDocumentChars& chars, std::string& out)
{
    // The characters of a run of high bytes are gathered in a small buffer and appended together: no
    // append per byte, and no zero-filled room to shrink afterwards.
    constexpr std::size_t kChunk = 256;
    char buffer[kChunk + 4];
    const std::uint32_t* table = Cp932Utf8Table();
    const std::uint8_t* bytes = Bytes(line);
    const std::size_t n = line.size();
    std::size_t i = 0;
    while (i < n) {
        const std::size_t high = FindHighByte(bytes, i, n);
        out.append(line.substr(i, high - i));
        i = high;
        char* p = buffer;
        while (i < n && bytes[i] >= 0x80) {
            const std::uint8_t b = bytes[i];
            const bool pair = IsLeadByte(b) && i + 1 < n;
            const auto code = static_cast<TSjisCode>(pair ? b << 8 | bytes[i + 1] : b);
            const std::size_t length = pair ? 2 : 1;
            const char32_t own = chars.Empty() ? kNoChar : chars.OwnChar(code);
            if (own != kNoChar) {
                std::string utf8;
                AppendUtf8(own, utf8);
                std::memcpy(p, utf8.data(), utf8.size());
                p += utf8.size();
            } else if (const std::uint32_t packed = table[code]; packed != 0) {
                // Three bytes stored, as many kept as the character has.
                p[0] = static_cast<char>(packed);
                p[1] = static_cast<char>(packed >> 8);
                p[2] = static_cast<char>(packed >> 16);
                p += packed >> 24;
            } else {
                std::memcpy(p, line.data() + i, length);
                p += length;
            }
            i += length;
            if (p >= buffer + kChunk) {
                out.append(buffer, static_cast<std::size_t>(p - buffer));
                p = buffer;
            }
        }
        out.append(buffer, static_cast<std::size_t>(p - buffer));
    }
}

std::size_t Utf8GrowthBound(std::string_view line)
{
    // A kana byte becomes three bytes; a pair at most four (a character of the document's own beyond the BMP).
    std::size_t growth = 0;
    for (const char ch : line) {
        growth += static_cast<std::uint8_t>(ch) >= 0x80 ? 2 : 0;
    }
    return growth;
}

} // namespace brenvik
