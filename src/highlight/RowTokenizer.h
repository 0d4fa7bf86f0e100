// Reading the tokens of one display row. With word wrap a token may cross into the next row; a
// wrapped row is therefore read joined with the row after it, so that the crossing token is read
// whole, and only the tokens that start inside the row are its own. The painter, the editor's
// token and word queries and the row-state scan all read rows this way.
#pragma once

#include "highlight/FountainParser.h"

#include <string>
#include <string_view>

namespace brenvik {

struct TRowToken {
    int Offset = 0; // byte offset in the row
    int Size = 0;   // may reach past the row's end into the next row
    int Kind = 0;
    int End() const { return Offset + Size; }
};

// The state a row's tokens start from: its stored state, or the first row's state when the row
// has not been scanned yet.
RowTokenState RowStartState(const RowTokenState& stored);

class TRowTokenizer {
public:
    // joined holds a wrapped row joined with the next one; the caller keeps it across rows so
    // that a pass over many rows allocates once.
    TRowTokenizer(TFountainParser& parser, std::string& joined);

    // Starts reading row from state (computed, not -2). next is the following row when row is
    // wrapped, else empty.
    void Begin(std::string_view row, std::string_view next, const RowTokenState& state);
    // The next token that starts inside the row; false when there is none. Inline: the
    // row-state scan calls it for every token of the text.
    bool Next(TRowToken& token)
    {
        const int kind = FParser.ReadToken();
        // A token that starts in the next row belongs to the next row's own reading.
        if (kind == tkEnd || FParser.TokenOffset() >= FLength)
            return false;
        token = {FParser.TokenOffset(), FParser.TokenSize(), kind};
        return true;
    }

    TFountainParser& Parser() const { return FParser; }
    int RowLength() const { return FLength; }

private:
    TFountainParser& FParser;
    std::string& FJoined;
    int FLength = 0;
};

} // namespace brenvik
