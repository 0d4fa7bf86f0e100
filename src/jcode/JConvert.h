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

// The escapes a JIS text writes: kanji entered with ESC $ kanji ('B', or '@' of 1978), Roman with ESC ( roman
// ('J' for JIS X 0201 Roman, 'B' for ASCII), half-width kana as kana says: 'I' for ESC ( I, 'S' for SO ... SI.
// A form left 0 takes the rule for a file written anew: ESC $ B, ESC ( J and half-width kana made full-width.
struct TJisForms {
    char kanji = 0;
    char roman = 0;
    char kana = 0;
    bool operator==(const TJisForms&) const = default;
};

// Adds to forms each form text uses that forms does not hold yet, as first met.
void NoteJisForms(std::string_view text, TJisForms& forms);

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
// forms is how Shift_JIS text is written to JIS.
void AppendConvertedFrom(std::string_view text, JCode source, JCode target, std::string& out,
    TKanjiEnd end = TKanjiEnd::keStay, const TJisForms& forms = {});

} // namespace brenvik
