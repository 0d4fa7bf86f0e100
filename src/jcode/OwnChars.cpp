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
            if (UserCodeIndex(code) < 0 || chars.OwnChar(code) == kNoChar) {
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

} // namespace brenvik
