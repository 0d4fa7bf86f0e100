// Test helpers: Shift_JIS (code page 932) text written as UTF-8 in the test source, and its way back.
#pragma once

#include <string>
#include <string_view>

namespace brenvik::test {

std::string ToSjis(std::string_view utf8);
// Empty when the bytes are not valid in the iconv encoding.
std::u32string Decode(const char* encoding, std::string_view bytes);
std::u32string FromSjis(std::string_view sjis);
// Empty when the text has no code page 932 form.
std::string ToSjis(std::u32string_view text);

} // namespace brenvik::test
