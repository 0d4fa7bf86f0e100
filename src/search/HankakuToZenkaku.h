// Conversion of the single-byte characters of a Shift_JIS string to their full-width forms.
#pragma once

#include <string>
#include <string_view>

namespace brenvik {

// Half-width kana take a following voicing mark with them where the pair is one full-width kana (ｶﾞ to ガ).
std::string HankakuToZenkaku(std::string_view source);

} // namespace brenvik
