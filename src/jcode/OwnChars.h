// Where a document's own characters stand in its text: the characters without a Shift_JIS code that the
// document's table keeps at codes of the user-defined area. Saved in Shift_JIS, EUC or JIS, such a code is
// written as the user-defined character it is there, and the document's character is gone; the second form of
// a code with two (kept apart for UTF-8) is written as that code.
#pragma once

#include "jcode/LineCodec.h"

#include <optional>

namespace brenvik {

struct TOwnCharsFound {
    char32_t First = 0; // the first such character of the text
    int Line = 0;       // its line, from 1
    int Count = 0;      // how many places hold such characters
};

// Nothing when no line holds a code the table gives a character of its own.
// Second forms of a code are not counted: outside UTF-8 they are written as that code.
std::optional<TOwnCharsFound> FindOwnChars(const TSaveLines& lines, const TDocumentChars& chars);

// line with every second form's user-defined code replaced by code page 932's code (in scratch when any was).
std::string_view WithSharedCodes(std::string_view line, const TDocumentChars& chars, std::string& scratch);

} // namespace brenvik
