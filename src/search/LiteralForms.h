// A literal character of an expression written as the library pattern that matches every form the literal
// search would take for it under the same case and width options.
#pragma once

#include "search/RegexOptions.h"

#include <string>
#include <string_view>

namespace brenvik {

// character is one Shift_JIS character (with the width option, a half-width kana may carry its voicing
// mark). The result is an atom: a quantifier after it applies to the whole.
std::string LiteralForms(std::string_view character, TRegexOptions options);

// The character escaped for the library, matching itself only.
std::string EscapedCharacter(std::string_view character);

} // namespace brenvik
