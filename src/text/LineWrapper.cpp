// Finding wrap points: word ends, hanging punctuation, and brackets kept with their text.
#include "text/LineWrapper.h"

#include "text/EditorAttributeArray.h"
#include "text/EditorWrapOption.h"

namespace brenvik {

TLineWrapper::TLineWrapper(const TEditorWrapOption& option, int tabWidth)
    : FOption(option)
    , FLayout {std::max(1, tabWidth), option.WrapByte()}
{
}

std::size_t TLineWrapper::BreakAt(std::string_view text, const std::string& attributes) const
{
    const int width = FOption.WrapByte();
    TEditorAttributeArray cursor(text, attributes);
    cursor.MoveTo(width);
    if (cursor.Code() == '4') {
        // A double-byte character would straddle the wrap column: it moves to the next row.
        cursor.Prev();
    } else if (FOption.WordBreak() && cursor.Length() > width) {
        auto endsWord = [&] { return cursor.Code() == '2' || cursor.Code() == '3' || cursor.Code() == '5'; };
        while (!endsWord() && cursor.Position() > width / 3)
            cursor.PrevChar();
        if (!endsWord())
            cursor.MoveTo(width / 3);
    }
    if (FOption.FollowPunctuation()) {
        while (cursor.Position() < width + 2 && ContainsChar(FOption.PunctuationStr(), cursor.NextChar())) {
            cursor.Next();
            if (cursor.Code() == '4')
                cursor.Next();
        }
    }
    if (FOption.Leading() && static_cast<std::size_t>(cursor.ByteIndex()) < text.size()) {
        const int floor = width / 5 * 4;
        while (cursor.Position() > floor && ContainsChar(FOption.LeadStr(), cursor.Current()))
            cursor.PrevChar();
        if (cursor.Position() + 2 <= cursor.Length()) {
            std::string next = cursor.NextChar();
            std::string current = cursor.Current();
            if (ContainsChar(FOption.FollowStr(), next)) {
                while (cursor.Position() > floor
                    && (ContainsChar(FOption.LeadStr(), current)
                        || ContainsChar(FOption.FollowStr(), next))) {
                    cursor.PrevChar();
                    next = current;
                    current = cursor.Current();
                }
            }
        }
    }
    return static_cast<std::size_t>(cursor.ByteIndex());
}

void TLineWrapper::Wrap(std::string_view line, const Output& output) const
{
    const int width = FOption.WrapByte();
    std::string attributes;
    BuildAttributes(line, FLayout, width + 3, attributes);
    if (static_cast<int>(attributes.size()) < width) {
        output(line, raBreak);
        return;
    }
    std::string_view rest = line;
    std::string_view lastRow;
    while (static_cast<int>(attributes.size()) >= width) {
        std::size_t bytes = BreakAt(rest, attributes);
        lastRow = rest.substr(0, bytes);
        rest.remove_prefix(bytes);
        BuildAttributes(rest, FLayout, width + 3, attributes);
        if (static_cast<int>(attributes.size()) >= width || !rest.empty() || !FOption.FollowRetMark())
            output(lastRow, raWrapped);
    }
    if (!rest.empty() || !FOption.FollowRetMark())
        output(rest, raBreak);
    else
        output(lastRow, raBreak); // the line-break mark follows the full row
}

int TLineWrapper::CountRows(std::string_view line) const
{
    if (TextWidth(line, FLayout) < FOption.WrapByte())
        return 1;
    int rows = 0;
    Wrap(line, [&rows](std::string_view, TRowAttribute) { ++rows; });
    return rows;
}

} // namespace brenvik
