// The explorer reads the script by logical lines (the rows of a wrapped line joined), each
// tokenized whole from the lexical state at its start. TExplorerStates keeps those line-start
// states: the editor stores states per display row only as far as its last rescan reached, so
// the explorer carries the state from line to line itself and remembers it.
#pragma once

#include "text/RowTokenState.h"

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace brenvik {

class TRowContexts;

class TEditorScreenStrings;
class TFountainParser;

// The bytes of the logical lines of a row list, one line at a time.
class TExplorerLineReader {
public:
    explicit TExplorerLineReader(const TEditorScreenStrings& rows);

    int LineCount() const;
    // The line whose first row is row; valid until the next call. nextRow becomes the first
    // row of the following line.
    std::string_view LineAt(int row, int& nextRow);
    // The first row of line.
    int RowOfLine(int line) const;
    // The first row of the line after the one that starts at row.
    int NextLineRow(int row) const;
    const TEditorScreenStrings& Rows() const { return FRows; }

private:
    const TEditorScreenStrings& FRows;
    std::string FJoined;
};

// Invariant: every recorded entry is the start state of its line as the text now stands;
// entries [0, ValidLines()) are recorded, the rest are not.
class TExplorerStates {
public:
    int ValidLines() const { return static_cast<int>(FStates.size()); }
    // States refer to entries of the row list's context table; when the table was cleared
    // (a full rescan) they are dropped.
    void FollowContexts(const TRowContexts& contexts);
    // Drops the entries of line and after (the text changed there).
    void InvalidateFrom(int line);
    // Records the start state of line ValidLines().
    void Append(const RowTokenState& state) { FStates.push_back(Pack(state)); }
    RowTokenState At(int line) const { return Unpack(FStates[static_cast<size_t>(line)]); }
    // The start state of line: recorded, else stored by the editor for the line's first row,
    // else carried by tokenizing from the last recorded line (recording as it goes).
    RowTokenState StateOf(int line, TExplorerLineReader& lines, TFountainParser& parser);

private:
    static std::uint64_t Pack(const RowTokenState& state);
    static RowTokenState Unpack(std::uint64_t packed);

    std::vector<std::uint64_t> FStates;
    int FContextsGeneration = -1;
};

} // namespace brenvik
