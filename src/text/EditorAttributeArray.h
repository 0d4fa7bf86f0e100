// A cursor over the column attribute string of one row text, used to find wrap points.
#pragma once

#include <string>
#include <string_view>

namespace brenvik {

// Attribute codes: '1' single byte, '2' single-byte break character, '3' tab filler column,
// '4'/'5' lead/trail byte of a double-byte character; a '0' terminator is appended.
// Invariant: 0 <= Position() <= Length() + 1, and ByteIndex() counts the non-'3' codes up to
// and including Position().
class TEditorAttributeArray {
public:
    TEditorAttributeArray(std::string_view text, std::string_view attributes);

    void Next();
    void Prev();
    // Back one character: one column, and once more when that lands on a lead byte's column.
    void PrevChar();
    void MoveTo(int position);

    int Length() const { return static_cast<int>(FAttributes.size()) - 1; }
    int Position() const { return FPosition; }
    int ByteIndex() const { return FByteIndex; }
    char Code() const { return FCode; }
    std::string Current() const;
    std::string NextChar();

private:
    std::string_view FText;
    std::string FAttributes;
    char FCode = '0';
    int FPosition = 0;
    int FByteIndex = 0;
};

} // namespace brenvik
