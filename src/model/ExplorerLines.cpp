// Logical lines of the row list and the explorer's table of line-start states.
#include "model/ExplorerLines.h"

#include "text/RowContexts.h"

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

void TExplorerStates::FollowContexts(const TRowContexts& contexts)
{
    if (contexts.Generation() == FContextsGeneration)
        return;
    FContextsGeneration = contexts.Generation();
    FStates.clear();
}

void TExplorerStates::InvalidateFrom(int line)
{
    if (line < 0)
        line = 0;
    if (line < ValidLines())
        FStates.resize(static_cast<size_t>(line));
}

std::uint64_t TExplorerStates::Pack(const RowTokenState& state)
{
    // Bracket index + 1 and the element in 16 bits each, the last kind in 8, the context in 16.
    return (static_cast<std::uint64_t>(state.BracketIndex + 1) & 0xFFFF)
        | (static_cast<std::uint64_t>(state.Element) & 0xFFFF) << 16
        | (static_cast<std::uint64_t>(state.LastKind) & 0xFF) << 32
        | (static_cast<std::uint64_t>(state.Context) & 0xFFFF) << 40;
}

RowTokenState TExplorerStates::Unpack(std::uint64_t packed)
{
    RowTokenState state;
    state.BracketIndex = static_cast<int>(packed & 0xFFFF) - 1;
    state.Element = static_cast<int>(packed >> 16 & 0xFFFF);
    state.LastKind = static_cast<int>(packed >> 32 & 0xFF);
    state.Context = static_cast<int>(packed >> 40 & 0xFFFF);
    return state;
}

RowTokenState TExplorerStates::StateOf(int line, TExplorerLineReader& lines, TFountainParser& parser)
{
    const TEditorScreenStrings& rows = lines.Rows();
    FollowContexts(rows.Contexts());
    if (line < ValidLines())
        return At(line);
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
            state = parser.LineEndState();
        }
        state.Remain = 0;
        state.WrappedKind = 0;
        Append(state);
        row = next;
    }
    return At(line);
}

} // namespace brenvik
