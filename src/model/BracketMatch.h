// The bracket pair at the caret, matched through the active fountain's tokens: a bracket pairs
// only with brackets in tokens of its own kind, so that those inside strings, comments,
// here-documents and patterns pair among themselves and never with the code's. ( ) [ ] { }
// always pair; < > only where the tokenizer reads HTML tags.
#pragma once

#include "model/EditorModel.h"

#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace brenvik {

class TFountain;
class TFountainParser;
class TRowStateScanner;

struct TBracketPair {
    TEditorPos Open;  // the row and column of each bracket
    TEditorPos Close;
    bool CaretAtOpen = false; // which of the two the caret stands by
    friend bool operator==(const TBracketPair&, const TBracketPair&) = default;
};

class TBracketMatch {
public:
    // A partner further than this many logical lines from the caret's bracket is not looked for,
    // so that a caret move stays cheap in any script.
    static constexpr int ScanLines = 1000;

    TBracketMatch(TEditorModel& model, TFountain& fountain);
    ~TBracketMatch();

    // The pair one of whose brackets stands just after the caret, else just before it; none when
    // no bracket is there or its partner is not found within ScanLines.
    std::optional<TBracketPair> At(TEditorPos caret);

private:
    struct TBracket {
        int Offset; // in the logical line
        char Byte;
        int Class; // brackets pair only within one class
    };
    // The brackets of the logical line starting at row first, read from state.
    void ReadLine(int first, const RowTokenState& state);
    int ClassOf(int kind) const;
    // The start state of the logical line at first, scanned first when an edit left it unknown.
    RowTokenState StoredState(int first);
    // The start state of the logical line at first: stored, or carried over from the line before.
    RowTokenState LineState(int first, int previousFirst, const RowTokenState& previous);
    TEditorPos PositionOf(int first, int offset) const;

    TEditorModel& FModel;
    std::unique_ptr<TFountainParser> FParser;
    std::unique_ptr<TRowStateScanner> FScanner;
    bool FPerl = false;
    bool FAngles = false;
    std::string FJoined;
    std::string FLine;
    std::vector<TBracket> FBrackets;
};

} // namespace brenvik
