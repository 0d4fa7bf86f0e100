// The forms of a literal character come from the literal matcher itself, so that an escaped literal pattern
// searched as an expression finds exactly what literal search finds.
#include "search/LiteralForms.h"

#include "search/PatternMatcher.h"
#include "search/ShiftJis.h"
#include "search/ZenkakuTable.h"

#include <cstdio>

namespace brenvik {

namespace {

std::string HexByte(std::uint8_t byte)
{
    char buffer[8];
    std::snprintf(buffer, sizeof buffer, "\\x%02X", byte);
    return buffer;
}

std::string HexCode(std::uint8_t lead, std::uint8_t trail)
{
    char buffer[12];
    std::snprintf(buffer, sizeof buffer, "\\x{%02X%02X}", lead, trail);
    return buffer;
}

// One byte as a class member or an atom: letters and digits as they are, everything else by its code,
// which the library reads the same inside and outside a class.
std::string SingleByte(std::uint8_t byte)
{
    const bool plain = (byte >= '0' && byte <= '9') || (byte >= 'A' && byte <= 'Z') || (byte >= 'a' && byte <= 'z');
    return plain ? std::string(1, static_cast<char>(byte)) : HexByte(byte);
}

// The marks that a half-width kana read alone must not be followed by: the literal search reads the kana and
// such a mark as one character.
std::string MergingMarks(std::uint8_t kana)
{
    std::string marks;
    for (const std::uint8_t mark : {VoicedMark, SemiVoicedMark}) {
        if (MarkMergesWithKana(kana, mark))
            marks += HexByte(mark);
    }
    return marks;
}

} // namespace

std::string EscapedCharacter(std::string_view character)
{
    const auto first = static_cast<std::uint8_t>(character[0]);
    if (character.size() == 2 && IsLeadByte(first))
        return HexCode(first, static_cast<std::uint8_t>(character[1]));
    std::string escaped;
    for (const char byte : character)
        escaped += SingleByte(static_cast<std::uint8_t>(byte));
    return escaped;
}

std::string LiteralForms(std::string_view character, TRegexOptions options)
{
    std::uint16_t bits = 0;
    if (!options.IgnoreCase)
        bits |= TSearchFlags::MatchCase;
    if (options.IgnoreWidth)
        bits |= TSearchFlags::NoMatchZenkaku;
    const TPatternMatcher matcher(character, bits);
    if (matcher.CharCount() != 1)
        return EscapedCharacter(character);
    std::string members;
    int memberCount = 0;
    std::vector<std::string> sequences;
    for (const TTextForm& form : matcher.TextForms(0)) {
        if (form.Size == 2 && IsLeadByte(form.Bytes[0])) {
            members += HexCode(form.Bytes[0], form.Bytes[1]);
            ++memberCount;
        } else if (form.Size == 2) {
            sequences.push_back(HexByte(form.Bytes[0]) + HexByte(form.Bytes[1]));
        } else if (const std::string marks = options.IgnoreWidth ? MergingMarks(form.Bytes[0]) : std::string();
                   !marks.empty()) {
            sequences.push_back(HexByte(form.Bytes[0]) + "(?![" + marks + "])");
        } else {
            members += SingleByte(form.Bytes[0]);
            ++memberCount;
        }
    }
    if (sequences.empty() && memberCount == 1)
        return members;
    std::string forms = "(?:";
    if (memberCount > 0)
        forms += "[" + members + "]";
    for (const std::string& sequence : sequences)
        forms += (forms.size() > 3 ? "|" : "") + sequence;
    return forms + ")";
}

} // namespace brenvik
