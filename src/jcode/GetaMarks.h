// Characters without a Shift_JIS code in text about to be typed or pasted: the first of them and
// how many, for the question put to the user, and the text with each one replaced by the geta
// mark 〓, the Japanese sign for a character that cannot be set. Both go through the one
// converter (SjisUnicode.h), character by character.
#pragma once

#include "jcode/DocumentChars.h"

#include <QString>

namespace brenvik {

struct TUncodedChars {
    char32_t First = 0;
    int Count = 0;
};

// The geta mark in Unicode; its Shift_JIS code is 81 AC.
constexpr char16_t kGetaMark = u'\u3013';

TUncodedChars FindUncodedChars(QStringView text, const TDocumentChars& chars);
QString WithGetaMarks(QStringView text, const TDocumentChars& chars);

} // namespace brenvik
