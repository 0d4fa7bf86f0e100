// Japanese code detection and conversion between Shift_JIS, EUC-JP and 7-bit JIS, on byte strings.
#pragma once

#include "jcode/CharConvert.h"
#include "jcode/CodeDetect.h"
#include "jcode/JCodeTypes.h"

#include <string>
#include <string_view>

namespace brenvik {

// Whether JIS output that ends in kanji mode is closed with ESC ( J. Lines written on their own are closed
// so that each line of a saved file ends in Roman mode; the converters themselves leave the mode as it is.
enum class TKanjiEnd { keStay, keClose };

std::string JisToSjis(std::string_view text);
std::string JisToEuc(std::string_view text);
std::string EucToSjis(std::string_view text);
std::string EucToJis(std::string_view text);
std::string SjisToJis(std::string_view text);
std::string SjisToEuc(std::string_view text);

// Detects the code of this very text, then converts; 0, 1 and 6 (undecided) texts come back unchanged.
std::string ConvertJCode(std::string_view text, JCode target);
std::string ConvertJCodeFrom(std::string_view text, JCode source, JCode target);

// ConvertJCodeFrom appending to out, for callers that build one large buffer.
void AppendConvertedFrom(
    std::string_view text, JCode source, JCode target, std::string& out, TKanjiEnd end = TKanjiEnd::keStay);

} // namespace brenvik
