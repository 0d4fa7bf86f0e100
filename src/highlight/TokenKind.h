// The one-byte token kinds of the generic tokenizer; they are stored in row states.
#pragma once

namespace brenvik {

// Kinds 2, 5, 10 and 13 are unused; 26 and up belong to the derived tokenizers.
enum TTokenKind : int {
    tkEnd = 0,
    tkSymbol = 1,
    tkInteger = 3,
    tkFloat = 4,
    tkBracket = 6,
    tkComment = 7,
    tkReserved = 8,
    tkTab = 9,
    tkWord = 11,
    tkWideSymbol = 12,
    tkWideDigits = 14,
    tkWideLatin = 15,
    tkHiragana = 16,
    tkKatakana = 17,
    tkKanji = 18,
    tkNarrowKanaSymbol = 19,
    tkNarrowKana = 20,
    tkUrl = 21,
    tkMail = 22,
    tkHexDigits = 23,
    tkSingleQuoted = 24,
    tkDoubleQuoted = 25,
};

} // namespace brenvik
