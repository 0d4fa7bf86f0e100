// Display widths of Shift_JIS text.
#include "text/ColumnModel.h"

#include <algorithm>

namespace brenvik {

namespace {

int CountFill(const std::string& attributes, int codes)
{
    const int n = std::clamp(codes, 0, static_cast<int>(attributes.size()));
    return static_cast<int>(std::count(attributes.begin(), attributes.begin() + n, '3'));
}

} // namespace

bool IsBreakChar(unsigned char byte)
{
    if (IsLeadByte(byte) || (byte >= 0xA6 && byte <= 0xDF))
        return false;
    return !((byte >= '0' && byte <= '9') || (byte >= 'A' && byte <= 'Z') || (byte >= 'a' && byte <= 'z')
        || byte == '_');
}

int TabColumns(int column, const TColumnLayout& layout)
{
    const int tab = std::max(layout.TabWidth, 1);
    int fill = tab - column % tab;
    if (layout.WrapByte > 0)
        fill = std::min(fill, layout.WrapByte - column % layout.WrapByte);
    return std::max(fill, 1);
}

void BuildAttributes(std::string_view text, const TColumnLayout& layout, int limit, std::string& attributes)
{
    attributes.clear();
    attributes.reserve(std::min(text.size(), static_cast<std::size_t>(std::max(limit, 0))) + 8);
    for (std::size_t i = 0; i < text.size() && static_cast<int>(attributes.size()) < limit; ++i) {
        auto byte = static_cast<unsigned char>(text[i]);
        if (StartsPair(text, i)) {
            attributes += "45";
            ++i;
        } else if (byte == '\t') {
            attributes += '2';
            attributes.append(static_cast<std::size_t>(TabColumns(static_cast<int>(attributes.size()) - 1, layout) - 1), '3');
        } else {
            attributes += IsBreakChar(byte) ? '2' : '1';
        }
    }
}

std::string ColumnAttributes(std::string_view text, const TColumnLayout& layout, int limit)
{
    std::string attributes;
    BuildAttributes(text, layout, limit, attributes);
    return attributes;
}

int TextWidth(std::string_view text, const TColumnLayout& layout)
{
    if (text.find('\t') == std::string_view::npos)
        return static_cast<int>(text.size());
    int width = 0;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\t') {
            width += TabColumns(width, layout);
        } else if (StartsPair(text, i)) {
            width += 2;
            ++i;
        } else {
            ++width;
        }
    }
    return width;
}

std::string ExpandTabs(std::string_view text, const TColumnLayout& layout)
{
    if (text.find('\t') == std::string_view::npos)
        return std::string(text);
    std::string result;
    result.reserve(text.size() + 16);
    for (const char c : text) {
        if (c == '\t')
            result.append(static_cast<std::size_t>(TabColumns(static_cast<int>(result.size()), layout)), ' ');
        else
            result += c;
    }
    return result;
}

char ColumnCode(const std::string& attributes, int col)
{
    return col >= 0 && col < static_cast<int>(attributes.size()) ? attributes[static_cast<std::size_t>(col)] : '\0';
}

int ByteOfColumn(const std::string& attributes, int col)
{
    if (col <= 0)
        return 0;
    if (ColumnCode(attributes, col) == '5')
        --col;
    return col - CountFill(attributes, col + 1);
}

int SelectionStartByte(const std::string& attributes, int col1)
{
    int p = col1;
    if (ColumnCode(attributes, p - 1) == '5')
        ++p;
    else
        while (ColumnCode(attributes, p - 1) == '3')
            ++p;
    return p - CountFill(attributes, p);
}

int SelectionEndByte(const std::string& attributes, int col1)
{
    int p = col1;
    if (ColumnCode(attributes, p - 1) == '4')
        ++p;
    else
        while (ColumnCode(attributes, p - 1) == '3')
            --p;
    return p - CountFill(attributes, p);
}

} // namespace brenvik
