// Japanese sample texts in the three codes, written as bytes; each comment shows the text.
#pragma once

#include <string>

namespace brenvik::samples {

// 日本語の掲示板です。
inline const std::string kBoardSjis = "\x93\xFA\x96{\x8C\xEA\x82\xCC\x8C"
                                      "f\x8E\xA6\x94\xC2\x82\xC5\x82\xB7\x81"
                                      "B";
inline const std::string kBoardEuc
    = "\xC6\xFC\xCB\xDC\xB8\xEC\xA4\xCE\xB7\xC7\xBC\xA8\xC8\xC4\xA4\xC7\xA4\xB9\xA1\xA3";
// As other programs write it (ESC ( B at the end) and as Brenvik's converters leave it (still in kanji mode).
inline const std::string kBoardJisClosedB = "\x1B$BF|K\\8l$N7G<(HD$G$9!#\x1B(B";
inline const std::string kBoardJisOpen = "\x1B$BF|K\\8l$N7G<(HD$G$9!#";

// お名前：太郎 (mixed with ASCII): my $name = 'お名前：太郎';
inline const std::string kNameSjis = "my $name = '\x82\xA8\x96\xBC\x91O\x81"
                                     "F\x91\xBE\x98Y';";
inline const std::string kNameEuc = "my $name = '\xA4\xAA\xCC\xBE\xC1\xB0\xA1\xA7\xC2\xC0\xCF\xBA';";
inline const std::string kNameJis = "my $name = '\x1B$B$*L>A0!'B@O:\x1B(J';";

// 表示 (the second byte of 表 is 0x5C, a backslash)
inline const std::string kHyoujiSjis = "\x95\\\x8E\xA6";
inline const std::string kHyoujiEuc = "\xC9\xBD\xBC\xA8";

} // namespace brenvik::samples
