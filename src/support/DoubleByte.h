// Shift_JIS-aware helpers on byte strings; positions are 1-based.
#pragma once

#include "support/LeadByte.h"

#include <string>

namespace brenvik {

class TStringList;

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
