// The document's own characters in its lines, found by their codes in the user-defined area.
#include "jcode/OwnChars.h"

namespace brenvik {

std::optional<TOwnCharsFound> FindOwnChars(const TSaveLines& lines, const TDocumentChars& chars)
{
    if (chars.Empty()) {
        return std::nullopt;
    }
    TOwnCharsFound found;
    int line = 0;
    lines.ForEachLine([&](std::string_view text) {
        ++line;
        for (std::size_t i = 0; i < text.size(); ++i) {
            const auto lead = static_cast<std::uint8_t>(text[i]);
            if (!IsLeadByte(lead) || i + 1 == text.size()) {
                continue;
            }
            const auto code = static_cast<TSjisCode>(lead << 8 | static_cast<std::uint8_t>(text[++i]));
            // A second form keeps its code page's code outside UTF-8: nothing is lost there.
            if (UserCodeIndex(code) < 0 || chars.OwnChar(code) == kNoChar || chars.SharedCode(code) != code) {
                continue;
            }
            if (found.Count++ == 0) {
                found.First = chars.OwnChar(code);
                found.Line = line;
            }
        }
    });
    return found.Count > 0 ? std::optional(found) : std::nullopt;
}

std::string_view WithSharedCodes(std::string_view line, const TDocumentChars& chars, std::string& scratch)
{
    if (chars.Empty()) {
        return line;
    }
    scratch.assign(line);
    bool changed = false;
    for (std::size_t i = 0; i + 1 < scratch.size(); ++i) {
        const auto lead = static_cast<std::uint8_t>(scratch[i]);
        if (!IsLeadByte(lead)) {
            continue;
        }
        const auto code = static_cast<TSjisCode>(lead << 8 | static_cast<std::uint8_t>(scratch[i + 1]));
        if (const TSjisCode shared = chars.SharedCode(code); shared != code) {
            scratch[i] = static_cast<char>(shared >> 8);
            scratch[i + 1] = static_cast<char>(shared & 0xFF);
            changed = true;
        }
        ++i;
    }
    return changed ? std::string_view(scratch) : line;
}

} // namespace brenvik
