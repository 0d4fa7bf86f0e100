// UTF-8 files at the edge of the Shift_JIS text: recognising them, and their lines to and from Shift_JIS.
#pragma once

#include "jcode/DocumentChars.h"

#include <cstdint>
#include <string>
#include <string_view>

namespace brenvik {

inline constexpr std::string_view kUtf8Bom = "\xEF\xBB\xBF";

// Whether a file is read as UTF-8: valid UTF-8 as a whole (no overlong form, no surrogate, nothing above
// U+10FFFF), without a JIS escape, holding a multi-byte sequence or starting with the byte-order mark.
bool IsUtf8File(std::string_view bytes);

// How much of a text reads as UTF-8: its valid multi-byte sequences and the bytes from 0x80 up that start none.
struct TUtf8Share {
    std::size_t valid = 0;
    std::size_t invalid = 0;
    bool jisEscape = false; // ESC $ or ESC (: a JIS text
};
// Counting stops once more than strayLimit stray bytes were met.
TUtf8Share CountUtf8(std::string_view bytes, std::size_t strayLimit = SIZE_MAX);

// A file that is not valid UTF-8 but is far likelier UTF-8 with a few stray bytes than anything else: at
// least four valid multi-byte sequences, at most one stray byte to eight of them (and 64 in all), and no JIS
// escape. Shift_JIS
// and EUC text start hardly any valid sequence and leave most of their bytes stray.
bool IsNearUtf8File(std::string_view bytes);

// The UTF-8 sequence at i: its length and character, or 0 when the bytes there are no valid sequence.
std::size_t DecodeUtf8At(std::string_view text, std::size_t i, char32_t& c);

// The lines of one UTF-8 file into Shift_JIS, in order, giving characters without a Shift_JIS code codes of
// the document's own. A byte that starts no valid sequence (only in a file stated to be UTF-8) goes in as it
// stands; a character the user-defined area cannot hold goes in as 〓 and is recorded in chars.
class TUtf8Decoder {
public:
    explicit TUtf8Decoder(TDocumentChars& chars)
        : chars_(chars)
    {
    }
    // Keeps the user-defined codes of the characters U+E000..U+E757 that bytes hold from being given away.
    void ReserveUsedCodes(std::string_view bytes);
    // The file's first line loses the byte-order mark it starts with.
    void AppendLine(std::string_view line, std::string& out);

private:
    TDocumentChars& chars_;
    int line_ = 0;
};

// A line of Shift_JIS text in UTF-8; a byte without a character is written as it stands.
void AppendSjisToUtf8(std::string_view line, const TDocumentChars& chars, std::string& out);

// What AppendSjisToUtf8 can add to a line's length.
std::size_t Utf8GrowthBound(std::string_view line);

} // namespace brenvik
