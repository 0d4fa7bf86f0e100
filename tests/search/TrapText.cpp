// The generator of the search differentials: seeded random Shift_JIS texts and patterns full of traps.
#include "TrapText.h"

#include "search/HankakuToZenkaku.h"

#include <algorithm>
#include <cctype>

namespace brenvik::test {

// Pieces of text chosen to trip a careless scan: trail bytes equal to letters or 0x5C, lead-valued trail
// bytes, letters with full-width and case twins, kana with and without merging marks, breaks and blanks.
const std::vector<std::string> TrapPieces = {
    "a",
    "b",
    "g",
    "A",
    "G",
    "x",
    "f",
    "o",
    "z",
    "0",
    "_",
    ".",
    "\\",
    " ",
    "\t",
    "\r\n",
    "\n",
    "\r",
    "\x83\x67",
    "\x83\x47",
    "\x83\x5C",
    "\x83\x41",
    "\x82\x81",
    "\x82\x60",
    "\x82\x87",
    "\x82\x66",
    "\x83\xBF",
    "\x83\x9F",
    "\x84\x70",
    "\x84\x40",
    "\x84\x80",
    "\x84\x4F",
    "\xEE\xEF",
    "\x87\x54",
    "\x81\x40",
    "\x81\x81",
    "\x82\xA0",
    "\x9F\x9F",
    "\xE0\xE0",
    "\x83\x4A",
    "\x83\x4B",
    "\x83\x45",
    "\x83\x94",
    "\x83\x6E",
    "\x83\x70",
    "\x81\x4A",
    "\x81\x4B",
    "\x81\x5F",
    "\xB6",
    "\xCA",
    "\xB3",
    "\xB1",
    "\xDE",
    "\xDF",
    "\xB0",
    "\xA5",
    "\xA1",
    "\x80",
    "\xFD",
};

std::string RandomText(std::mt19937& random)
{
    std::uniform_int_distribution<std::size_t> piece(0, TrapPieces.size() - 1);
    const int count = std::uniform_int_distribution<int>(0, 60)(random);
    std::string text;
    for (int i = 0; i < count; ++i)
        text += TrapPieces[piece(random)];
    const int ending = std::uniform_int_distribution<int>(0, 9)(random);
    if (ending == 0)
        text += '\x83'; // a lead byte with no trail
    else if (ending == 1)
        text += std::string("\0tail", 5); // the text ends at its zero byte
    return text;
}

std::string RandomPattern(std::mt19937& random, const std::string& text)
{
    std::uniform_int_distribution<int> kind(0, 9);
    const int choice = kind(random);
    if (text.empty() || choice == 0)
        return TrapPieces[std::uniform_int_distribution<std::size_t>(0, TrapPieces.size() - 1)(random)] + "o";
    const std::size_t from = std::uniform_int_distribution<std::size_t>(0, text.size() - 1)(random);
    const std::size_t length = std::uniform_int_distribution<std::size_t>(1, 6)(random);
    std::string pattern = text.substr(from, length);
    if (choice <= 3) {
        // Without breaks and blanks, so that skipping is needed to find it again.
        std::erase_if(pattern, [](char c) { return c == '\r' || c == '\n' || c == ' ' || c == '\t'; });
    } else if (choice <= 5) {
        for (char& c : pattern)
            c = static_cast<char>(std::isalpha(static_cast<unsigned char>(c)) ? c ^ 0x20 : c);
    }
    return pattern;
}

// A piece of the text near its start (place 0), its end (1) or anywhere (2); at times in full width, in the
// other case or without its breaks and blanks.
std::string CutPattern(std::mt19937& random, const std::string& text, int place)
{
    const auto upTo
        = [&](std::size_t most) { return std::uniform_int_distribution<std::size_t>(0, most)(random); };
    const std::size_t length = 1 + upTo(8);
    std::size_t from = upTo(text.size() - 1);
    if (place == 0)
        from = upTo(8);
    else if (place == 1)
        from = text.size() - std::min(text.size(), length + upTo(8));
    std::string pattern = text.substr(from, length);
    switch (upTo(3)) {
    case 1:
        return HankakuToZenkaku(pattern);
    case 2:
        for (char& c : pattern)
            c = static_cast<char>(std::isalpha(static_cast<unsigned char>(c)) ? c ^ 0x20 : c);
        return pattern;
    case 3:
        std::erase_if(pattern, [](char c) { return c == '\r' || c == '\n' || c == ' ' || c == '\t'; });
        return pattern;
    default:
        return pattern;
    }
}

} // namespace brenvik::test
