// The word a double click selects: the run of one character class around a byte of a Shift_JIS
// line. The classes are ASCII word characters, kanji, hiragana, katakana, half-width katakana,
// full-width letters and digits, and blanks; any other character is a word of its own. A Perl
// sigil ($ @ % &) before an ASCII word belongs to it.
#pragma once

#include <string_view>

namespace brenvik {

struct TByteSpan {
    int Start = 0;
    int End = 0; // exclusive
    friend bool operator==(const TByteSpan&, const TByteSpan&) = default;
};

// The word holding the character at offset (the last character when offset is at the end); an
// empty span at offset for an empty line.
TByteSpan WordSpanAt(std::string_view line, int offset);

} // namespace brenvik
