// Column cursor over a row's attribute string.
#include "text/EditorAttributeArray.h"

#include <cassert>

namespace brenvik {

TEditorAttributeArray::TEditorAttributeArray(std::string_view text, std::string_view attributes)
    : FText(text)
    , FAttributes(attributes)
{
    FAttributes += '0';
    FCode = FAttributes[0];
    Next();
}

void TEditorAttributeArray::Next()
{
    if (FPosition > 0 && FCode == '0')
        return;
    ++FPosition;
    FCode = FAttributes[FPosition - 1];
    if (FCode != '3')
        ++FByteIndex;
}

void TEditorAttributeArray::Prev()
{
    if (FPosition < 2)
        return;
    // A tab filler covers no byte: leaving one does not move back over a byte.
    char old = FCode;
    --FPosition;
    FCode = FAttributes[FPosition - 1];
    if (old != '3')
        --FByteIndex;
}

void TEditorAttributeArray::PrevChar()
{
    Prev();
    if (FCode == '4')
        Prev();
}

void TEditorAttributeArray::MoveTo(int position)
{
    while (FPosition < position && FCode != '0')
        Next();
    while (FPosition > 1 && FPosition > position)
        Prev();
}

std::string TEditorAttributeArray::Current() const
{
    auto byteAt = [this](int index) -> std::string_view {
        // ByteIndex is 1-based; a row cut short of its attributes yields nothing rather than a stray read.
        if (index < 1 || index > static_cast<int>(FText.size()))
            return {};
        return FText.substr(index - 1, 1);
    };
    switch (FCode) {
    case '0':
        return {};
    case '4':
        return std::string(byteAt(FByteIndex)) + std::string(byteAt(FByteIndex + 1));
    case '5':
        return std::string(byteAt(FByteIndex - 1)) + std::string(byteAt(FByteIndex));
    default:
        return std::string(byteAt(FByteIndex));
    }
}

std::string TEditorAttributeArray::NextChar()
{
    Next();
    std::string result = Current();
    Prev();
    return result;
}

} // namespace brenvik
