// Display columns of Shift_JIS text: double-byte characters take two columns, tabs expand.
#pragma once

#include "support/DoubleByte.h"

#include <string>
#include <string_view>

namespace brenvik {

struct TColumnLayout {
    int TabWidth = 8;
    int WrapByte = 0; // 0: no word wrap; else tabs never fill past a multiple of it
};

// Every byte except ASCII letters, digits and '_', the lead bytes and the narrow kana 0xA6-0xDF.
bool IsBreakChar(unsigned char byte);

// The column attribute string of text, one code per display column, built until it reaches
// limit columns: '1' a single byte, '2' a single-byte break character, '3' a tab's filler
// column (the tab itself takes the column before, as '2'), '4' and '5' the two bytes of a
// double-byte character. A lead byte with no byte after it counts as a single byte.
void BuildAttributes(std::string_view text, const TColumnLayout& layout, int limit, std::string& attributes);

// Display width of text: 2 per double-byte character, 1 per other byte, a tab to the next stop.
int TextWidth(std::string_view text, const TColumnLayout& layout);

} // namespace brenvik
