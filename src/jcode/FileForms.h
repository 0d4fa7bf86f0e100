// How a file's lines stood as found, so that saving them unchanged gives the same bytes: the break after
// each line, the file's last break or its absence, the JIS escapes it uses and, for a line whose text
// encoded again would not give back its bytes, those bytes. Each line's form is a 32-bit code that travels
// with the line; 0 marks a line edited or new, which is written by the document's codes.
#pragma once

#include "jcode/DocumentChars.h"
#include "jcode/JConvert.h"
#include "jcode/LineCodec.h"

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace brenvik {

class TFileForms {
public:
    // codes: the document's codes (the line breaks aside) that an unchanged save writes in.
    explicit TFileForms(const TStatedCodes& codes)
        : codes_(codes)
    {
    }

    // Records the next line read: found is its bytes without the break, text its Shift_JIS, end the break
    // after it (rcNone for a last line without one). chars holds the characters of text (a UTF-8 file).
    void Add(std::string_view found, std::string_view text, RCode end, const TDocumentChars& chars);
    // The form codes of the lines added, in order; the list is handed over once.
    std::vector<std::uint32_t> TakeLineForms() { return std::move(lineForms_); }

    // Whether the file ended with a line break (a text typed anew always does).
    bool FinalBreak() const { return finalBreak_; }
    void SetFinalBreak(bool finalBreak) { finalBreak_ = finalBreak; }
    const TJisForms& Jis() const { return jis_; }
    const TStatedCodes& Codes() const { return codes_; }
    // Bytes of a UTF-8 file that start no valid sequence: kept as they are.
    std::size_t StrayBytes() const { return stray_; }

    // A line of the text written with its form: an unchanged line as found, with its own break; an edited
    // one by codes and the file's JIS escapes. endOfText: the text ends after it without a break, which
    // the file's last line keeps when the file had none.
    void AppendLine(std::string_view text, std::uint32_t form, bool endOfText, const TStatedCodes& codes,
        const TDocumentChars& chars, std::string& out) const;

private:
    TStatedCodes codes_;
    std::vector<std::string> kept_;
    std::vector<std::uint32_t> lineForms_;
    TJisForms jis_;
    bool finalBreak_ = true;
    bool first_ = true;
    std::size_t stray_ = 0;
};

// The break that ends the line found within bytes (a view into them): rcNone at the end of bytes.
RCode BreakAfter(std::string_view bytes, std::string_view found);

} // namespace brenvik
