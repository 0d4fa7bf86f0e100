// Display widths of Shift_JIS text.
#include "text/ColumnModel.h"

#include <algorithm>

namespace brenvik {

bool IsBreakChar(unsigned char byte)
{
    if (IsLeadByte(byte) || (byte >= 0xA6 && byte <= 0xDF))
        return false;
    return !((byte >= '0' && byte <= '9') || (byte >= 'A' && byte <= 'Z') || (byte >= 'a' && byte <= 'z')
        || byte == '_');
}

void BuildAttributes(std::string_view text, const TColumnLayout& layout, int limit, std::string& attributes)
{
    attributes.clear();
    for (std::size_t i = 0; i < text.size() && static_cast<int>(attributes.size()) < limit; ++i) {
        auto byte = static_cast<unsigned char>(text[i]);
        if (IsLeadByte(byte) && i + 1 < text.size()) {
            attributes += "45";
            ++i;
        } else if (byte == '\t') {
            int column = static_cast<int>(attributes.size()); // 0-based column of the tab
            int fill = layout.TabWidth - column % layout.TabWidth - 1;
            if (layout.WrapByte > 0)
                fill = std::min(fill, layout.WrapByte - column % layout.WrapByte - 1);
            attributes += '2';
            attributes.append(fill, '3');
        } else {
            attributes += IsBreakChar(byte) ? '2' : '1';
        }
    }
}

int TextWidth(std::string_view text, const TColumnLayout& layout)
{
    if (text.find('\t') == std::string_view::npos)
        return static_cast<int>(text.size());
    int width = 0;
    for (std::size_t i = 0; i < text.size(); ++i) {
        auto byte = static_cast<unsigned char>(text[i]);
        if (byte == '\t') {
            int fill = layout.TabWidth - width % layout.TabWidth;
            if (layout.WrapByte > 0)
                fill = std::min(fill, layout.WrapByte - width % layout.WrapByte);
            width += fill;
        } else if (IsLeadByte(byte) && i + 1 < text.size()) {
            width += 2;
            ++i;
        } else {
            ++width;
        }
    }
    return width;
}

} // namespace brenvik
