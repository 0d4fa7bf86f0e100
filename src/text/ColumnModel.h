// Display columns of Shift_JIS text: double-byte characters take two columns, tabs expand to the
// next stop, and a lead byte with no byte after it is one byte and one column. Every layer that
// maps bytes to columns (word wrap, caret placement, editor positions, painting) uses these.
#pragma once

#include "support/DoubleByte.h"

#include <climits>
#include <string>
#include <string_view>

namespace brenvik {

struct TColumnLayout {
    int TabWidth = 8;
    int WrapByte = 0; // 0: no word wrap; else tabs never fill past a multiple of it
};

// Every byte except ASCII letters, digits and '_', the lead bytes and the narrow kana 0xA6-0xDF.
bool IsBreakChar(unsigned char byte);

// Columns a tab starting at 0-based column takes: to the next tab stop, and with word wrap
// never past the next multiple of the wrap width.
int TabColumns(int column, const TColumnLayout& layout);

// True when text[i] starts a double-byte character (a lead byte with a byte after it).
inline bool StartsPair(std::string_view text, std::size_t i)
{
    return IsLeadByte(static_cast<unsigned char>(text[i])) && i + 1 < text.size();
}

// The column attribute string of text, one code per display column, built until it reaches
// limit columns: '1' a single byte, '2' a single-byte break character, '3' a tab's filler
// column (the tab itself takes the column before, as '2'), '4' and '5' the two bytes of a
// double-byte character. A lead byte with no byte after it counts as a single byte.
void BuildAttributes(std::string_view text, const TColumnLayout& layout, int limit, std::string& attributes);
std::string ColumnAttributes(std::string_view text, const TColumnLayout& layout, int limit = INT_MAX);

// Display width of text: 2 per double-byte character, 1 per other byte, a tab to the next stop.
int TextWidth(std::string_view text, const TColumnLayout& layout);

// The text with each tab replaced by the spaces of its columns, so that bytes are columns.
std::string ExpandTabs(std::string_view text, const TColumnLayout& layout);

// Queries on an attribute string.
// The code of a column; '\0' outside the string.
char ColumnCode(const std::string& attributes, int col);
// Byte index of column col, not clamped to the row: beyond the end it counts the spaces that
// typing there adds; inside tab fill it is the tab; on a trail byte, its lead byte.
int ByteOfColumn(const std::string& attributes, int col);
// 1-based byte where a selection starting at 1-based column col1 starts: a column on a trail
// byte or in tab fill moves right to the next character.
int SelectionStartByte(const std::string& attributes, int col1);
// 1-based byte where a selection ending before 1-based column col1 ends: a double-byte
// character cut in half is taken whole, tab fill moves left to its tab.
int SelectionEndByte(const std::string& attributes, int col1);

} // namespace brenvik
