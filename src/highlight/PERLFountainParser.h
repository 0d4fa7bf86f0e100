// The Perl tokenizer: variables by sigil, sub names, # comments, escaped double-quoted strings.
#pragma once

#include "highlight/FountainParser.h"
#include "highlight/PERLOpenConstructs.h"

namespace brenvik {

class TPERLFountain;

enum TPERLTokenKind : int {
    tkScalar = 50, // $name
    tkArray = 51, // @name
    tkHash = 52, // %name
    tkSubRoutine = 53, // the name after sub
    tkSubRoutineCall = 54, // &name
    // The kinds of the fuller grammar (the fountain's PerlGrammar): string and comment colours.
    tkHereDocOperator = 55, // <<"EOM", <<'EOM', <<EOM, <<~EOM
    tkHereDocBody = 56, // text of a here-document body line
    tkHereDocEnd = 57, // the terminator line
    tkQuoteLike = 58, // q, qq, qw, qx, `...` and their text
    tkPattern = 59, // m, s, tr, y, qr, /.../ and their text
    tkPod = 60, // a POD line, =cut included
    tkDataSection = 61, // __END__ or __DATA__ and every row after it
    // A two-byte character inside a string whose trail byte 0x5C Perl reads as a backslash (the
    // escaped byte after it included): the string's text is changed there, or it ends elsewhere.
    tkTrailBackslash = 62,
};

// Element: 0 normal, 1 after the word sub, 2 after the word asm (sub is then no longer seen).
// With the fountain's PerlGrammar on, Element's bit 8 tells that a row inside an open construct
// continues a logical line, and Context refers to the open constructs (TPerlOpenConstructs) at the row start.
class TPERLFountainParser : public TFountainParser {
public:
    explicit TPERLFountainParser(TPERLFountain* fountain);

    bool Grammar() const { return FGrammar; }

    // Set before scanning to tokenize the inside of double-quoted strings like code.
    bool ScanInsideDoubleQuotes = false;
    // With the grammar: a double-quoted string yields the variables it interpolates as tokens of
    // their own. Off, it is string text throughout (the explorer lists no name found only there).
    bool VariablesInDoubleQuotes = true;

    TFountainColor* TokenColor() override;
    bool TokenIsReserved() override;

protected:
    void ScanWord() override;
    void ScanDoubleQuoted() override;
    void FinishRowState(RowTokenState& state, bool lineEnds) override;
    int ReadContextToken() override;

    // Whether a variable's name goes on over an apostrophe ($pkg'var); a reader that takes
    // the inside of double quotes as code turns it off there ('$id' in an HTML attribute).
    bool FApostropheInNames = true;

    // ': a string of Perl's reading with the grammar on, else the simpler rule.
    virtual void ScanApostrophe();

private:
    enum TSubState : int { ssNormal = 0, ssAfterSub = 1, ssAfterAsm = 2 };
    static constexpr int kSubStateBits = 3;
    static constexpr int kMidLine = 8;

    void ScanSharp();
    void ScanScalar() { ScanSigil(tkScalar); }
    void ScanArray() { ScanSigil(tkArray); }
    void ScanHash() { ScanSigil(tkHash); }
    void ScanSubRoutineCall() { ScanSigil(tkSubRoutineCall); }
    void ScanSigil(int kind);
    void ScanName();
    void SetSubState(int state) { SetElement((Element() & ~kSubStateBits) | state); }

    // ---- the fuller grammar (PERLGrammar.cpp) ----
    bool AtLineStart() const { return Position() == 0 && (Element() & kMidLine) == 0; }
    // The constructs open now, decoded from Context (cached: asked for on most rows of a construct, decoded
    // when the context changes), and their replacement.
    const TPerlOpenConstructs& Open()
    {
        if (Context() != FOpenIndex || &Contexts() != FOpenTable
            || Contexts().Generation() != FOpenGeneration)
            DecodeOpen();
        return FOpen;
    }
    void DecodeOpen();
    void SetOpen(const TPerlOpenConstructs& open);
    int ReadHereDocLine();
    // =word at the start of a line: a POD block begins.
    bool StartsPod() const
    {
        return AtLineStart() && Current() == '=' && charclass::Is(At(1), charclass::ccAlphaNumeric)
            && !charclass::Is(At(1), charclass::ccDigit);
    }
    int ReadPodLine();
    // Text of an interpolating body or quote up to a variable, or the variable itself; stop is
    // where the text would end.
    int ReadInterpolated(int start, int stop, int kind, bool interpolating);
    bool StartsVariable(int position) const;
    // A two-byte character at position whose trail byte is 0x5C, a backslash to Perl.
    bool TrailBackslashAt(int position) const;
    // The end of the $name or @name at position, as a string interpolates it.
    int VariableEnd(int position) const;
    // <<: a here-document operator, else the symbol.
    void ScanLess();
    bool ReadHereDocOperator();
    // /: a match where an operand is expected, else division.
    void ScanSlash();
    bool OperandExpectedBefore(int position) const;
    // After the word scan: the word was q, qq, qw, qr, m, s, tr or y with a delimiter.
    bool ScanQuoteLikeOperator(int wordStart);
    // ' " `: a string that may run over line ends.
    void ScanQuote();
    // __END__ or __DATA__ where Perl takes it, after the word scan.
    bool ScanDataWord(int wordStart);
    // Scans a quote part from position with quote, byte by byte as Perl does; returns the token,
    // updating Open when the quote stays open at the row end.
    int ScanQuoteText(int start, int position, TPerlQuote quote);
    int ResumeQuote();
    void KeepQuoteOpen(const TPerlQuote& quote);
    // The token ends inside the quote, before the row end: the next token of the row resumes it at
    // end without touching the context (a variable in a string is no change of context).
    int SuspendQuote(int start, int end, int kind, const TPerlQuote& quote);
    int StopOfRow() const { return OwnLength(); }

    TPERLFountain& FPERLFountain;
    bool FGrammar;
    bool FTrailEscapes; // the fountain's TrailBytesEscape
    TPerlOpenConstructs FOpen; // Open()'s cache: the value of context FOpenIndex
    int FOpenIndex = 0;
    const TRowContexts* FOpenTable = nullptr;
    int FOpenGeneration = -1;
    TPerlQuote FSuspended; // SuspendQuote's quote, resumed at ContextTokenAt()
};

} // namespace brenvik
