// Reading a display row's tokens through a parser, joined with the next row when wrapped.
#include "highlight/RowTokenizer.h"

namespace brenvik {

RowTokenState RowStartState(const RowTokenState& stored)
{
    return stored.BracketIndex == -2 ? RowTokenState::FirstRow() : stored;
}

TRowTokenizer::TRowTokenizer(TFountainParser& parser, std::string& joined)
    : FParser(parser)
    , FJoined(joined)
{
}

void TRowTokenizer::Begin(std::string_view row, std::string_view next, const RowTokenState& state)
{
    FLength = static_cast<int>(row.size());
    if (next.empty()) {
        FParser.BeginRow(row, state);
        return;
    }
    FJoined.assign(row);
    FJoined.append(next);
    FParser.BeginRow(FJoined, state);
    FParser.SetOwnLength(FLength);
}

} // namespace brenvik
