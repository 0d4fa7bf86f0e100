// Row cutting, row-state walking and per-byte colours for the highlighting tests.
#include "HighlightTestHelpers.h"

#include "support/DoubleByte.h"

#include <algorithm>

namespace brenvik::test {

std::string Repeated(std::string_view piece, int times)
{
    std::string text;
    for (int i = 0; i < times; ++i)
        text += piece;
    return text;
}

std::vector<std::string> CutLine(const std::string& line, int width)
{
    std::vector<std::string> rows;
    size_t start = 0;
    while (line.size() - start > static_cast<size_t>(width)) {
        size_t end = start;
        while (end - start < static_cast<size_t>(width)) {
            const size_t next = end + (IsLeadByte(static_cast<unsigned char>(line[end])) ? 2 : 1);
            if (next - start > static_cast<size_t>(width))
                break;
            end = next;
        }
        rows.push_back(line.substr(start, end - start));
        start = end;
    }
    rows.push_back(line.substr(start));
    return rows;
}

std::vector<RowTokenState> RowStates(TFountainParser& parser, const TEditorScreenStrings& rows)
{
    std::vector<RowTokenState> states;
    RowTokenState state = RowTokenState::FirstRow();
    for (int row = 0; row < rows.Count(); ++row) {
        states.push_back(state);
        state = parser.ScanRowState(row, rows, state);
    }
    return states;
}

std::vector<const void*> ByteColors(TFountainParser& parser, const TEditorScreenStrings& rows)
{
    const std::vector<RowTokenState> states = RowStates(parser, rows);
    std::vector<const void*> colors;
    for (int row = 0; row < rows.Count(); ++row) {
        std::string text(rows.Strings(row));
        const int own = static_cast<int>(text.size());
        if (rows.RowAttribute(row) == raWrapped && row + 1 < rows.Count())
            text += rows.Strings(row + 1);
        std::vector<const void*> rowColors(static_cast<size_t>(own), nullptr);
        parser.BeginRow(text, states[static_cast<size_t>(row)]);
        parser.SetOwnLength(own);
        while (parser.ReadToken() != 0 && parser.TokenOffset() < own) {
            const void* color = parser.TokenColor();
            const int end = std::min(own, parser.TokenOffset() + parser.TokenSize());
            for (int i = parser.TokenOffset(); i < end; ++i)
                rowColors[static_cast<size_t>(i)] = color;
        }
        colors.insert(colors.end(), rowColors.begin(), rowColors.end());
    }
    return colors;
}

} // namespace brenvik::test
