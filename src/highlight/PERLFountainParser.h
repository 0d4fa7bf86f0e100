// The Perl tokenizer: variables by sigil, sub names, # comments, escaped double-quoted strings.
#pragma once

#include "highlight/FountainParser.h"

namespace brenvik {

class TPERLFountain;

enum TPERLTokenKind : int {
    tkScalar = 50, // $name
    tkArray = 51, // @name
    tkHash = 52, // %name
    tkSubRoutine = 53, // the name after sub
    tkSubRoutineCall = 54, // &name
};

// Element: 0 normal, 1 after the word sub, 2 after the word asm (sub is then no longer seen).
class TPERLFountainParser : public TFountainParser {
public:
    explicit TPERLFountainParser(TPERLFountain* fountain);

    // Set before scanning to tokenize the inside of double-quoted strings like code.
    bool ScanInsideDoubleQuotes = false;

    TFountainColor* TokenColor() override;
    bool TokenIsReserved() override;

protected:
    void ScanWord() override;
    void ScanDoubleQuoted() override;

    // Whether a variable's name goes on over an apostrophe ($pkg'var); a reader that takes
    // the inside of double quotes as code turns it off there ('$id' in an HTML attribute).
    bool FApostropheInNames = true;

private:
    enum TSubState : int { ssNormal = 0, ssAfterSub = 1, ssAfterAsm = 2 };

    void ScanSharp();
    void ScanScalar() { ScanSigil(tkScalar); }
    void ScanArray() { ScanSigil(tkArray); }
    void ScanHash() { ScanSigil(tkHash); }
    void ScanSubRoutineCall() { ScanSigil(tkSubRoutineCall); }
    void ScanSigil(int kind);
    void ScanName();

    TPERLFountain& FPERLFountain;
};

} // namespace brenvik
