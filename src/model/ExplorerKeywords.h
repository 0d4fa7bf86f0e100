// The keyword list of the explorer (most recent first, at most 16 entries) and the comma text
// it is stored as. Keywords are the script's bytes: a list shows them decoded, never
// re-encodes them.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace brenvik {

constexpr int kKeywordCapacity = 16;

// Puts text (cut before its first CR) at the top, removing equal entries and those past the
// capacity; returns the keyword added, empty when nothing remained to add.
std::string AddKeyword(std::vector<std::string>& keywords, std::string_view text);

// Items joined by ","; an item holding a byte at or below the space, a double quote or a
// comma is quoted, inner quotes doubled; a list of one empty item is "".
std::string CommaText(const std::vector<std::string>& items);
// Splits at commas and unquoted blanks and removes the quoting; an unclosed quote runs to the
// end.
std::vector<std::string> SplitCommaText(std::string_view text);

} // namespace brenvik
