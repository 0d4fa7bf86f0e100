// Character classes of Shift_JIS characters for word selection.
#include "model/WordSpan.h"

#include "highlight/CharClass.h"

#include <algorithm>
#include <vector>

namespace brenvik {

namespace {

enum TWordClass { wcOther, wcBlank, wcWord, wcKanji, wcHiragana, wcKatakana, wcNarrowKana, wcWideAlnum };

TWordClass ClassOf(std::string_view line, int at)
{
    const auto c = static_cast<unsigned char>(line[size_t(at)]);
    if (c == ' ' || c == '\t')
        return wcBlank;
    if (charclass::Is(c, charclass::ccWord))
        return wcWord;
    if (charclass::Is(c, charclass::ccNarrowKana))
        return wcNarrowKana;
    if (!charclass::Is(c, charclass::ccLead) || size_t(at) + 1 >= line.size())
        return wcOther;
    const unsigned code = c << 8 | static_cast<unsigned char>(line[size_t(at) + 1]);
    if (code == 0x8140)
        return wcBlank; // the full-width space
    if (code >= 0x829F && code <= 0x82F1)
        return wcHiragana;
    if ((code >= 0x8340 && code <= 0x8396) || code == 0x815B || code == 0x8152 || code == 0x8153)
        return wcKatakana; // with ー and the katakana iteration marks
    if ((code >= 0x824F && code <= 0x8258) || (code >= 0x8260 && code <= 0x8279) || (code >= 0x8281 && code <= 0x829A))
        return wcWideAlnum;
    if (code == 0x8158 || code == 0x8159 || (code >= 0x889F && code <= 0x9FFC) || (code >= 0xE040 && code <= 0xEAA4)
        || (code >= 0xED40 && code <= 0xEEFC) || (code >= 0xFA40 && code <= 0xFC4B))
        return wcKanji; // with 々 and 〆, the NEC-selected and IBM kanji
    return wcOther;
}

} // namespace

TByteSpan WordSpanAt(std::string_view line, int offset)
{
    if (line.empty())
        return {offset, offset};
    // Character starts up to the line's end: trail bytes never start a character.
    std::vector<int> starts;
    for (int i = 0; i < int(line.size());) {
        starts.push_back(i);
        i += charclass::Is(static_cast<unsigned char>(line[size_t(i)]), charclass::ccLead) && i + 1 < int(line.size()) ? 2 : 1;
    }
    starts.push_back(int(line.size()));
    offset = std::clamp(offset, 0, int(line.size()) - 1);
    auto at = std::prev(std::upper_bound(starts.begin(), starts.end() - 1, offset));
    const auto isSigil = [&line](int i) {
        const char c = line[size_t(i)];
        return c == '$' || c == '@' || c == '%' || c == '&';
    };
    // On a sigil, the word it leads.
    if (isSigil(*at) && std::next(at) != starts.end() - 1 && ClassOf(line, *std::next(at)) == wcWord)
        ++at;
    const TWordClass cls = ClassOf(line, *at);
    auto first = at;
    auto last = std::next(at);
    if (cls != wcOther) {
        while (first != starts.begin() && ClassOf(line, *std::prev(first)) == cls)
            --first;
        while (last != starts.end() - 1 && ClassOf(line, *last) == cls)
            ++last;
    }
    if (cls == wcWord && first != starts.begin() && isSigil(*std::prev(first)))
        --first;
    return {*first, *last};
}

} // namespace brenvik
