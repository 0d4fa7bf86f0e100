// Shift_JIS-aware helpers on byte strings; positions are 1-based.
#pragma once

#include <string>

namespace brenvik {

class TStringList;

// A Shift_JIS lead byte: 0x81-0x9F or 0xE0-0xFC.
constexpr bool IsLeadByte(unsigned char c)
{
    return (c >= 0x81 && c <= 0x9F) || (c >= 0xE0 && c <= 0xFC);
}

// Occurrences of C among the first min(length, N) bytes.
int CountCharIn(const std::string& s, char c, int n);
// Walking S by characters, N is the first byte of a double-byte character.
bool IsLeadBytePos(const std::string& s, int n);
// Walking S by characters, N is the second byte of a double-byte character.
bool IsTrailBytePos(const std::string& s, int n);
// The byte at N, or 0 outside 1..length.
char CharAtPos(const std::string& s, int n);
// Sub is not empty and occurs in S starting at a character boundary.
bool ContainsAtCharStart(const std::string& sub, const std::string& s);
// Replaces the list's entries by the lines of Text (ending at CR, LF or CR LF) in one batch.
void SetTextToStrings(const std::string& text, TStringList& list);

} // namespace brenvik
