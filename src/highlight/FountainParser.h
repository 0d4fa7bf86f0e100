// The table-driven tokenizer of one display row, and the row-state step across wrapped rows.
#pragma once

#include "highlight/CharClass.h"
#include "highlight/ReservedWordSet.h"
#include "highlight/TokenKind.h"
#include "text/AttachedEditor.h"
#include "text/RowContexts.h"
#include "text/RowTokenState.h"

#include <array>
#include <string>
#include <string_view>
#include <vector>

namespace brenvik {

class TEditorScreenStrings;
class TFountain;
class TFountainColor;

// One instance per scanning pass, never shared. Usage: BeginRow, then ReadToken until it
// returns 0, reading TokenOffset, TokenSize, TokenText and TokenColor of each token.
//
// Invariant: 0 <= TokenOffset() <= TokenOffset() + TokenSize() <= row length, and the row buffer
// holds the row and then Padding NULs, so no rule reads outside it (CheckInvariant tells what is
// broken, for tests).
class TFountainParser {
public:
    using TScanOperation = void (TFountainParser::*)();

    // Raises std::invalid_argument when fountain is null.
    explicit TFountainParser(TFountain* fountain);
    virtual ~TFountainParser();
    TFountainParser(const TFountainParser&) = delete;
    TFountainParser& operator=(const TFountainParser&) = delete;

    TFountain& Fountain() const { return *FFountain; }

    // Starts scanning text (copied) from state; state.BracketIndex must be computed (not -2).
    void BeginRow(std::string_view text, const RowTokenState& state);
    // The row's own bytes when BeginRow was given it joined with the next row (a wrapped row).
    void SetOwnLength(int length) { FOwnLength = std::min(length, FLength); }
    // The table that states' Context refers to: the row list's, so that the stored states are
    // read as they were written. Without one the parser keeps a table of its own.
    void UseContexts(TRowContexts& contexts) { FContexts = &contexts; }
    // The next token's kind; 0 when the row has no further token.
    virtual int ReadToken();

    int TokenKind() const { return FTokenKind; }
    int TokenOffset() const { return FTokenStart; }
    int TokenSize() const { return FTokenEnd - FTokenStart; }
    std::string TokenText() const { return std::string(TokenView()); }
    std::string_view TokenView() const;
    int BracketIndex() const { return FBracketIndex; }
    int BracketTokenIndex() const { return FBracketTokenIndex; }
    int Element() const { return FElement; }
    int LastKind() const { return FLastKind; }
    // After a whole logical line was read with BeginRow and ReadToken: the start state of the
    // next line, with what the line leaves open (here-document bodies begin at its end).
    RowTokenState LineEndState();
    int Context() const { return FContext; }
    bool Continuing() const { return FContinuing; }

    // The colour of the current token; null for the editor's own colours.
    virtual TFountainColor* TokenColor() = 0;
    virtual bool TokenIsReserved();

    // Replaces state, the start state of row, by the start state of the row after it.
    void AdvanceRowState(const TScanRow& row, RowTokenState& state);
    // The same as a value, for row of rows.
    RowTokenState ScanRowState(int row, const TEditorScreenStrings& rows, RowTokenState state);

    // True, past the word, when the text here equals word ignoring ASCII case and a
    // delimiter (any byte but 0-9 A-Z _ a-z, the row end included) follows.
    bool MatchWord(std::string_view word);

    std::string CheckInvariant() const;

protected:
    // Lookahead may read this many bytes past the row end; they hold NUL.
    static constexpr int Padding = 8;
    static constexpr int MaxRemain = 255;

    // True while the current token continues a token of kind from the previous row. A reserved
    // word's rest is resumed through the rule of its first byte, which then starts afresh.
    bool Resuming(int kind) const { return FContinuing && FWrappedKind == kind; }
    unsigned char At(int position) const { return static_cast<unsigned char>(FText[position]); }
    unsigned char Current() const { return At(FPosition); }
    bool AtRowEnd() const { return charclass::Is(Current(), charclass::ccRowEnd); }
    // The position after the character at position: two bytes at a lead byte with its trail
    // inside the row, else one.
    int CharEnd(int position) const
    {
        return (charclass::Is(At(position), charclass::ccLead) && position + 1 < FLength) ? position + 2
                                                                                          : position + 1;
    }
    // The first character start from position on that is the byte stop or the row end; the
    // hot loop of strings and comments.
    int NextStop(int position, unsigned char stop) const
    {
        for (;;) {
            unsigned char c = At(position);
            while (c != stop && !charclass::Is(c, charclass::ccRowEnd | charclass::ccLead))
                c = At(++position);
            if (c == stop || !charclass::Is(c, charclass::ccLead))
                return position;
            position = CharEnd(position);
        }
    }
    // Past two bytes, or one when the second is beyond the row end.
    void SkipPair() { FPosition += FPosition + 1 < FLength ? 2 : 1; }
    bool TextAt(int position, std::string_view s) const;
    std::string_view TextBetween(int first, int last) const
    {
        return std::string_view(FText.data() + first, static_cast<size_t>(last - first));
    }
    // As TextAt, ASCII letters compared without case.
    bool TextAtIgnoringCase(int position, std::string_view s) const;
    void SetKind(int kind) { FTokenKind = kind; }
    // The current token is [start, end) of kind; scanning goes on after it. For a subclass's own
    // ReadToken.
    int SetToken(int start, int end, int kind)
    {
        FTokenStart = start;
        FPosition = FTokenEnd = end;
        FTokenKind = kind;
        FContinuing = false;
        return kind;
    }
    // ReadToken by the generic rules alone, outside carried tokens and bracket regions.
    int ReadPlainToken();
    // ReadToken where a subclass decides: while Context is not 0, and at position 0 once
    // SetReadsRowStart is on. The default reads a plain token.
    virtual int ReadContextToken() { return ReadPlainToken(); }
    void SetReadsRowStart(bool value) { FReadsRowStart = value; }
    // True while AdvanceRowState reads a row that ends its line: only what the row leaves open
    // counts there, not how its tokens are cut.
    bool ScanningRowStates() const { return FByteAction == FByteActions[1].data(); }
    // The next ReadToken at position, in this row, goes to ReadContextToken: a rule that ended a
    // token inside a construct of its own resumes it there.
    void SetContextTokenAt(int position) { FContextTokenAt = position; }
    int ContextTokenAt() const { return FContextTokenAt; }
    int Position() const { return FPosition; }
    void SetPosition(int position)
    {
        FPosition = position < 0 ? 0 : (position > FLength ? FLength : position);
    }

    void SetElement(int element) { FElement = element; }
    void SetContext(int context) { FContext = context; }
    TRowContexts& Contexts() const { return *FContexts; }
    // The end of the row's own bytes: the row length unless the row was joined with the next.
    int OwnLength() const { return FOwnLength; }
    int Length() const { return FLength; }
    // Called by AdvanceRowState with the state of the next row before it is handed back; lineEnds is
    // false when the next row continues the same logical line.
    virtual void FinishRowState(RowTokenState& state, bool lineEnds);
    void SetLastKind(int kind) { FLastKind = kind; }
    void SetCharDispatch(unsigned char c, TScanOperation operation)
    {
        FCharDispatch[c] = operation;
        if (TakesCharTable(FByteActions[0][c]))
            SetByteAction(c, ByteActionOf(operation));
    }
    void SetResumeDispatch(int kind, TScanOperation operation) { FResumeDispatch[kind] = operation; }
    void DispatchChar() { (this->*FCharDispatch[Current()])(); }
    void DispatchResume(int kind) { (this->*FResumeDispatch[kind & 0xFF])(); }
    int BracketCount() const { return static_cast<int>(FBrackets.size()); }
    TFountainColor* BracketColor(int index) const;
    // The colour of the kinds that every language paints alike, from its palette (a fountain or a
    // colour set with Symbol, Int, Comment, Reserve, Ank and DBCS); null for the language's own kinds.
    template <class Palette> TFountainColor* CommonKindColor(Palette& palette) const
    {
        switch (FTokenKind) {
        case tkSymbol:
            return palette.Symbol();
        case tkInteger:
        case tkFloat:
            return palette.Int();
        case tkBracket:
            return BracketColor(FBracketTokenIndex);
        case tkComment:
            return palette.Comment();
        case tkReserved:
            return palette.Reserve();
        case tkWord:
            return palette.Ank();
        case tkWideSymbol:
        case tkWideDigits:
        case tkWideLatin:
        case tkHiragana:
        case tkKatakana:
        case tkKanji:
        case tkNarrowKanaSymbol:
        case tkNarrowKana:
            return palette.DBCS();
        default:
            return nullptr;
        }
    }

    // Scanning rules; each sets the kind and moves past the token.
    void SkipBlanks() { SkipClass(charclass::ccBlank); }
    // A cheap first test: some left bracket begins with the byte here.
    bool BracketMayStart() const { return FBracketStart[Current()]; }
    bool MatchOpenBracket();
    void ScanBracket();
    bool LooksLikeMail();
    void ScanMail();
    bool LooksLikeUrl();
    void ScanUrl();
    void ResumeReserved();
    void ScanEnd();
    void ScanTab();
    void ScanLineFeed();
    void ScanCarriageReturn();
    void ScanRestOfLine();
    void ScanHexDigits();
    void ScanNumber();
    virtual void ScanWord();
    void ScanWideSymbol();
    void ScanWideRun();
    void ScanKanji();
    void ScanNarrowKanaSymbol();
    void ScanNarrowKana();
    void ScanSymbol();
    void ScanSingleQuoted();
    virtual void ScanDoubleQuoted();
    void ResumeWrappedToken();
    // A subclass that looks at the bytes here before the char table calls ExamineEveryByte.
    virtual void DispatchByChar();
    // Every byte that is no blank or row end goes through DispatchByChar.
    void ExamineEveryByte();
    void PromoteReserved(int& kind);

    // Quote scan: past the opening quote unless resuming a string of kind; a doubled quote
    // continues.
    void ScanQuoted(unsigned char quote, int kind);
    // Advances while the byte is of the given class (CharClass bits); the row end is of none.
    void SkipClass(std::uint16_t bits)
    {
        int position = FPosition;
        while (charclass::Is(At(position), bits))
            ++position;
        FPosition = position;
    }

private:
    struct TBracket {
        std::string Left;
        std::string Right;
        TFountainColor* Color;
    };

    void BuildDispatchTables();
    // ReadToken at the start of a row that continues a token of the previous row or lies in an
    // open bracket region.
    int ReadCarriedToken();
    void ScanExponent();
    // The state the next row starts from when the row's last token reaches into it.
    void CarryCrossingToken(RowTokenState& state, int kind, int bracket, int length, TRowAttribute nextAttribute);

    TFountain* FFountain;
    std::vector<TBracket> FBrackets;
    std::array<bool, 256> FBracketStart {};
    TReservedWordSet FReservedWords;
    std::array<bool, 256> FReservedStart {}; // first bytes of reserved words, either case

    std::string FText; // the row, then Padding NULs (and older bytes beyond them)
    int FLength = 0;
    int FPosition = 0;
    int FTokenStart = 0;
    int FTokenEnd = 0;
    int FTokenKind = tkEnd;
    int FBracketIndex = -1;
    int FBracketTokenIndex = -2;
    int FElement = 0;
    int FContext = 0;
    int FOwnLength = 0;
    bool FReadsRowStart = false;
    int FLastKind = 0;
    int FWrappedKind = 0;
    int FRemain = 0;
    bool FContinuing = false;
    int FContextTokenAt = -1;
    // LooksLikeMail fails from every position before this one (it scanned that far and failed).
    int FMailFailsBefore = 0;
    std::string FJoined; // AdvanceRowState's row with the next row appended
    TRowContexts FOwnContexts;
    TRowContexts* FContexts = &FOwnContexts;

    std::array<TScanOperation, 256> FCharDispatch {};
    // What ReadToken does at a byte outside carried tokens and bracket regions. Half the tokens
    // of a script are one-byte symbols, and indented lines start with tabs: those are taken
    // without dispatching, and the rest go to the char table directly when DispatchByChar would
    // add nothing.
    enum TByteAction : unsigned char {
        baDispatch, // DispatchByChar
        baTable, // the char table: no bracket starts with the byte
        baBlank, // skipped
        baRowEnd, // no further token
        // One-byte tokens, from here on: no bracket starts with the byte and no rule claims it.
        baSymbol, // tkSymbol
        baTab, // tkTab
    };
    // The action of a byte whose char-table entry is operation, when no bracket starts with it.
    static TByteAction ByteActionOf(TScanOperation operation)
    {
        return operation == &TFountainParser::ScanSymbol ? baSymbol
            : operation == &TFountainParser::ScanTab     ? baTab
                                                         : baTable;
    }
    // True for the actions taken from the char table, which a change of the table changes.
    static bool TakesCharTable(TByteAction action) { return action == baTable || action >= baSymbol; }
    // Sets what reading does at byte c, and what the row-state scan does there.
    void SetByteAction(unsigned char c, TByteAction action)
    {
        FByteActions[0][c] = action;
        FByteActions[1][c] = action >= baSymbol ? baBlank : action;
    }
    // [0] for reading tokens; [1] for the row-state scan, which passes one-byte tokens like
    // blanks: they open and close nothing, and half the tokens of a script are such.
    std::array<std::array<TByteAction, 256>, 2> FByteActions {};
    const TByteAction* FByteAction = FByteActions[0].data();
    std::array<TScanOperation, 256> FResumeDispatch {};
};

} // namespace brenvik
