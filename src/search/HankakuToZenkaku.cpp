// Full-width conversion of search patterns.
#include "search/HankakuToZenkaku.h"

#include "search/ShiftJis.h"
#include "search/ZenkakuTable.h"

namespace brenvik {

namespace {

void AppendCode(std::string& out, std::uint16_t code)
{
    if (IsDoubleByteCode(code))
        out += static_cast<char>(code >> 8);
    out += static_cast<char>(code & 0xFF);
}

} // namespace

std::string HankakuToZenkaku(std::string_view source)
{
    std::string result;
    result.reserve(source.size() * 2);
    std::size_t i = 0;
    while (i < source.size()) {
        const auto byte = static_cast<std::uint8_t>(source[i]);
        const auto next = i + 1 < source.size() ? static_cast<std::uint8_t>(source[i + 1]) : std::uint8_t {0};
        if (IsLeadByte(byte)) {
            result.append(source.substr(i, 2));
            i += 2;
        } else if (MarkMergesWithKana(byte, next)) {
            AppendCode(result, MergedKana(byte, next));
            i += 2;
        } else {
            AppendCode(result, ZenkakuTable[byte]);
            ++i;
        }
    }
    return result;
}

} // namespace brenvik
