// Logical lines of the row list and the explorer's table of line-start states.
#include "model/ExplorerLines.h"

#include "highlight/FountainParser.h"
#include "text/EditorScreenStrings.h"

namespace brenvik {

TExplorerLineReader::TExplorerLineReader(const TEditorScreenStrings& rows)
    : FRows(rows)
{
}

int TExplorerLineReader::LineCount() const
{
    return FRows.LineCount();
}

int TExplorerLineReader::RowOfLine(int line) const
{
    return FRows.RowOfLine(line);
}

int TExplorerLineReader::NextLineRow(int row) const
{
    const int count = FRows.Count();
    while (row + 1 < count && FRows.RowAttribute(row) == raWrapped)
        ++row;
    return row + 1;
}

std::string_view TExplorerLineReader::LineAt(int row, int& nextRow)
{
    const int count = FRows.Count();
    nextRow = row + 1;
    if (row >= count)
        return {};
    const std::string_view first = FRows.Strings(row);
    if (FRows.RowAttribute(row) != raWrapped || nextRow >= count)
        return first;
    FJoined.assign(first);
    do
        FJoined.append(FRows.Strings(nextRow));
    while (FRows.RowAttribute(nextRow++) == raWrapped && nextRow < count);
    return FJoined;
}

RowTokenState LineEndState(const TFountainParser& parser)
{
    RowTokenState state;
    state.BracketIndex = parser.BracketIndex();
    state.Element = parser.Element();
    state.LastKind = parser.LastKind();
    return state;
}

void TExplorerStates::InvalidateFrom(int line)
{
    if (line < 0)
        line = 0;
    if (line < ValidLines())
        FStates.resize(static_cast<size_t>(line));
}

std::uint32_t TExplorerStates::Pack(const RowTokenState& state)
{
    // Bracket index + 1 in 16 bits, the element in 4, the last kind in 8.
    return (static_cast<std::uint32_t>(state.BracketIndex + 1) & 0xFFFF)
        | (static_cast<std::uint32_t>(state.Element) & 0xF) << 16
        | (static_cast<std::uint32_t>(state.LastKind) & 0xFF) << 20;
}

RowTokenState TExplorerStates::Unpack(std::uint32_t packed)
{
    RowTokenState state;
    state.BracketIndex = static_cast<int>(packed & 0xFFFF) - 1;
    state.Element = static_cast<int>(packed >> 16 & 0xF);
    state.LastKind = static_cast<int>(packed >> 20 & 0xFF);
    return state;
}

RowTokenState TExplorerStates::StateOf(int line, TExplorerLineReader& lines, TFountainParser& parser)
{
    if (line < ValidLines())
        return At(line);
    const TEditorScreenStrings& rows = lines.Rows();
    const auto stored
        = [&](int row) { return row < rows.Count() ? rows.RowState(row) : RowTokenState::NotComputed(); };
    const RowTokenState own = stored(lines.RowOfLine(line));
    if (own.BracketIndex != -2)
        return own;
    if (FStates.empty())
        Append(RowTokenState::FirstRow());
    // Carry from the last recorded line; a line whose next line has a stored state is skipped.
    int row = lines.RowOfLine(ValidLines() - 1);
    while (ValidLines() <= line) {
        int next = row;
        const std::string_view text = lines.LineAt(row, next);
        RowTokenState state = stored(next);
        if (state.BracketIndex == -2 || next >= rows.Count()) {
            parser.BeginRow(text, At(ValidLines() - 1));
            while (parser.ReadToken() != 0) { }
            state = LineEndState(parser);
        }
        state.Remain = 0;
        state.WrappedKind = 0;
        Append(state);
        row = next;
    }
    return At(line);
}

} // namespace brenvik
