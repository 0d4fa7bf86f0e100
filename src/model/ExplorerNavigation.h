// Going from the caret to the next or previous use of a name: the scalar, array and hash
// lists look for their sigil forms, the subroutine list for definitions (and "&" calls).
// Lines are tokenized whole, with double-quoted strings read as code, and only lines whose
// bytes hold the name are tokenized at all. Positions are bytes of the logical line: the
// caret's byte stands for its column, since a tab or a double-byte character moves both
// alike.
#pragma once

#include "model/ExplorerLines.h"
#include "model/ExplorerNames.h"

#include <memory>
#include <optional>
#include <string>
#include <string_view>

namespace brenvik {

class TEditorModel;
class TFountain;
class TFountainParser;

// What counts as a use of a list entry.
struct TUseQuery {
    TExplorerList List = elVariable;
    std::string Name;
    bool DefinitionsOnly = false; // the subroutine list's go-to-definition

    // The token texts looked for: "$" + name twice, "@"/"%" + name and "$" + name, or the
    // subroutine name (kind 53) and "&" + name.
    std::string First() const;
    std::string Second() const;
    bool Matches(int kind, std::string_view text) const;
};

// A use: its logical line, its byte offset in the line and its length.
struct TUseHit {
    int Line = 0;
    int Offset = 0;
    int Length = 0;
    friend bool operator==(const TUseHit&, const TUseHit&) = default;
};

// Where a search starts: a logical line and a byte of it.
struct TLinePos {
    int Line = 0;
    int Byte = 0;
};

class TUseFinder {
public:
    // A fountain that is not the Perl one finds nothing. states may be shared with rebuilds.
    TUseFinder(const TEditorScreenStrings& rows, TFountain* fountain, TExplorerStates& states);
    ~TUseFinder();
    TUseFinder(const TUseFinder&) = delete;
    TUseFinder& operator=(const TUseFinder&) = delete;

    // Forward: the caret line right of from, the lines below, then from the top to the
    // caret line. Upward: the caret line left of from (its last use), the lines above from
    // the nearest, then from the last line up to the caret line.
    std::optional<TUseHit> Forward(const TUseQuery& query, TLinePos from);
    std::optional<TUseHit> Upward(const TUseQuery& query, TLinePos from);

    // The caret of model as a line position.
    static TLinePos CaretPos(const TEditorModel& model);

private:
    struct TLineHit {
        int Offset = -1;
        int Length = 0;
    };
    // The first use in line (whose first row is row) starting after after, or the last one
    // starting before before.
    TLineHit FirstIn(int line, int row, const TUseQuery& query, int after);
    TLineHit LastIn(int line, int row, const TUseQuery& query, int before);
    // direction 1: forward, -1: upward.
    std::optional<TUseHit> Search(const TUseQuery& query, TLinePos from, int direction);
    // Walks the uses of a line in order; visit returns false to stop.
    template <class Visit> void ForEachUse(int line, int row, const TUseQuery& query, Visit visit);

    TExplorerLineReader FLines;
    TExplorerStates& FStates;
    std::unique_ptr<TFountainParser> FParser;
    std::unique_ptr<TFountainParser> FStateParser; // carries states in the rebuild's mode
};

// Selects a use with the caret at its start and the anchor at its end.
void SelectUse(TEditorModel& model, const TUseHit& hit);

} // namespace brenvik
