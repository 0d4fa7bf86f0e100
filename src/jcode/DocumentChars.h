// The characters a document's Shift_JIS codes stand for where code page 932 alone does not say: codes of the
// user-defined area given to characters that have no Shift_JIS code, and the form a file used for a code
// that has two Unicode forms. Empty for a document read from Shift_JIS, EUC or JIS.
#pragma once

#include "jcode/Cp932Table.h"

#include <bitset>
#include <optional>
#include <unordered_map>

namespace brenvik {

// A character the user-defined area had no code left for, and the line (from 1) it was first met on.
struct TUnheldChar {
    char32_t c = 0;
    int line = 0;
};

class TDocumentChars {
public:
    bool Empty() const { return chars_.empty(); }
    // The character a code shows, is copied and is saved as; kNoChar when it has none.
    char32_t ToUnicode(TSjisCode code) const;
    // The character of the document's own a code stands for; kNoChar when it goes by code page 932.
    char32_t OwnChar(TSjisCode code) const;
    // The code a character goes into the text with: the document's own, then code page 932's, then a JIS
    // form's; 0 when it has none yet.
    TSjisCode FromUnicode(char32_t c) const;
    // FromUnicode, giving a character without a code one from the user-defined area, and recording the form
    // a file uses for a code with two forms (the second form of one code gets a user-defined code instead).
    // 0 when the area is full.
    TSjisCode Take(char32_t c);
    // The code a document's code is written as outside UTF-8: code page 932's code for the second form of a
    // character with two, else code itself.
    TSjisCode SharedCode(TSjisCode code) const;
    // Whether the table holds a character without a code of code page 932 (not merely a second form).
    bool HasCharsWithoutCode() const;
    // A user-defined code the text uses for itself: never given to another character.
    void Reserve(TSjisCode code);

    // The first character Take could not hold; a document with one is opened read-only.
    const std::optional<TUnheldChar>& Unheld() const { return unheld_; }
    void SetUnheld(const TUnheldChar& unheld);

private:
    bool UseForm(TSjisCode code, char32_t c);
    TSjisCode Assign(char32_t c);

    std::unordered_map<TSjisCode, char32_t> chars_;
    std::unordered_map<char32_t, TSjisCode> codes_;
    std::bitset<kUserCodeCount> usedUser_;
    int nextUser_ = 0;
    std::optional<TUnheldChar> unheld_;
};

} // namespace brenvik
