// The text a fixed phrase or the builder inserts, lined up under the caret. Pure functions
// over Shift_JIS bytes.
#pragma once

#include <QString>

#include <functional>
#include <optional>
#include <string>
#include <string_view>

namespace brenvik {

// The prefix that puts a following line under the caret: walking the caret line while the
// 1-based display position p is at or before the 0-based caret column, a tab is kept (p goes to
// the next tab stop), a double-byte character gives two spaces and anything else, the place
// past the line's end included, one space.
std::string AlignmentPrefix(std::string_view line, int column, int tabWidth);

// A phrase file's bytes as inserted: lines (ended by CR LF, CR or LF) joined by CR LF, every
// line after the first led by prefix; the last line is followed by CR LF only when the file
// ends with a line break, so a one-line phrase without one stays inside the caret's line.
std::string PhraseInsertText(std::string_view fileBytes, std::string_view prefix);

// A phrase file's bytes in Shift_JIS, its code found as an opened script's is: Shift_JIS, EUC and JIS
// are decoded (line breaks kept), and a UTF-8 file's text goes in as typed text does, through typed;
// nothing when typed refuses it.
using TTypedBytes = std::function<std::optional<std::string>(const QString&)>;
std::optional<std::string> PhraseShiftJis(std::string_view fileBytes, const TTypedBytes& typed);

} // namespace brenvik
