// Perl scanning rules on top of the generic tokenizer.
#include "highlight/PERLFountainParser.h"

#include "highlight/CharClass.h"
#include "highlight/PERLFountain.h"

namespace brenvik {

using namespace charclass;

TPERLFountainParser::TPERLFountainParser(TPERLFountain* fountain)
    : TFountainParser(fountain)
    , FPERLFountain(*fountain)
    , FGrammar(fountain->PerlGrammar())
    , FTrailEscapes(fountain->TrailBytesEscape())
{
    SetCharDispatch('#', static_cast<TScanOperation>(&TPERLFountainParser::ScanSharp));
    SetCharDispatch('"', static_cast<TScanOperation>(&TPERLFountainParser::ScanDoubleQuoted));
    SetCharDispatch('\'', static_cast<TScanOperation>(&TPERLFountainParser::ScanApostrophe));
    SetCharDispatch('$', static_cast<TScanOperation>(&TPERLFountainParser::ScanScalar));
    SetCharDispatch('@', static_cast<TScanOperation>(&TPERLFountainParser::ScanArray));
    SetCharDispatch('%', static_cast<TScanOperation>(&TPERLFountainParser::ScanHash));
    SetCharDispatch('&', static_cast<TScanOperation>(&TPERLFountainParser::ScanSubRoutineCall));
    SetResumeDispatch(tkScalar, static_cast<TScanOperation>(&TPERLFountainParser::ScanScalar));
    SetResumeDispatch(tkArray, static_cast<TScanOperation>(&TPERLFountainParser::ScanArray));
    SetResumeDispatch(tkHash, static_cast<TScanOperation>(&TPERLFountainParser::ScanHash));
    SetResumeDispatch(
        tkSubRoutineCall, static_cast<TScanOperation>(&TPERLFountainParser::ScanSubRoutineCall));
    if (FGrammar) {
        SetReadsRowStart(true);
        SetCharDispatch('<', static_cast<TScanOperation>(&TPERLFountainParser::ScanLess));
        SetCharDispatch('/', static_cast<TScanOperation>(&TPERLFountainParser::ScanSlash));
        SetCharDispatch('`', static_cast<TScanOperation>(&TPERLFountainParser::ScanQuote));
    }
}

TFountainColor* TPERLFountainParser::TokenColor()
{
    TPERLFountain& f = FPERLFountain;
    if (TokenIsReserved())
        return f.Reserve();
    switch (TokenKind()) {
    case tkSingleQuoted:
    case tkDoubleQuoted:
    case tkHereDocOperator:
    case tkHereDocBody:
    case tkHereDocEnd:
    case tkQuoteLike:
    case tkPattern:
        return f.Str();
    case tkPod:
    case tkDataSection:
        return f.Comment();
    case tkTrailBackslash:
        return f.TrailBackslash();
    case tkScalar:
        return f.Variable();
    case tkArray:
        return f.Arrangement();
    case tkHash:
        return f.AssocArr();
    case tkSubRoutine:
        return f.SubRoutine();
    case tkSubRoutineCall:
        return f.SubRoutineCall();
    default:
        return CommonKindColor(f);
    }
}

bool TPERLFountainParser::TokenIsReserved()
{
    // A subroutine named like a built-in is still painted as a subroutine name, and the text of
    // strings and of the fuller grammar's kinds is never a word (a string's row may read "print").
    const int kind = TokenKind();
    return kind != tkSubRoutine && kind < tkHereDocOperator && kind != tkSingleQuoted && kind != tkDoubleQuoted
        && TFountainParser::TokenIsReserved();
}

void TPERLFountainParser::ScanWord()
{
    const int start = Position();
    switch (Element() & kSubStateBits) {
    case ssNormal: {
        const unsigned char c = Current();
        if ((c == 'a' || c == 'A') && MatchWord("asm")) {
            SetKind(tkWord);
            SetSubState(ssAfterAsm);
            return;
        }
        if ((c == 's' || c == 'S') && MatchWord("sub")) {
            SetKind(tkWord);
            SetSubState(ssAfterSub);
            return;
        }
        TFountainParser::ScanWord();
        break;
    }
    case ssAfterSub:
        TFountainParser::ScanWord();
        SetKind(tkSubRoutine);
        SetSubState(ssNormal);
        return;
    default:
        TFountainParser::ScanWord();
        break;
    }
    // Quote-like operators are words of one or two letters.
    if (FGrammar && Position() - start <= 2 && !Continuing())
        ScanQuoteLikeOperator(start);
    else if (FGrammar && At(start) == '_' && !Continuing())
        ScanDataWord(start);
}

void TPERLFountainParser::ScanApostrophe()
{
    if (FGrammar)
        ScanQuote();
    else
        ScanSingleQuoted();
}

void TPERLFountainParser::ScanDoubleQuoted()
{
    if (ScanInsideDoubleQuotes) {
        ScanSymbol();
        return;
    }
    if (FGrammar) {
        ScanQuote();
        return;
    }
    SetKind(tkDoubleQuoted);
    int position = Resuming(tkDoubleQuoted) ? Position() : Position() + 1;
    for (;;) {
        position = NextStop(position, '"');
        if (At(position) != '"')
            break;
        // Only the one byte before the quote is looked at; at the row start there is none.
        const bool escaped = position > 0 && At(position - 1) == '\\';
        ++position;
        if (!escaped)
            break;
    }
    SetPosition(position);
}

void TPERLFountainParser::ScanSharp()
{
    // #rrggbb, as in colour attributes of HTML printed from Perl, is a word, not a comment.
    bool colorValue = true;
    for (int i = 1; i <= 6 && colorValue; ++i) {
        const unsigned char c = At(Position() + i);
        colorValue = Is(c, ccHex) || c == '_';
    }
    if (colorValue) {
        SetKind(tkWord);
        SetPosition(Position() + 7);
    } else if (Position() > 0 && At(Position() - 1) == '$') {
        ScanSymbol(); // $#array
    } else {
        ScanRestOfLine();
    }
}

void TPERLFountainParser::ScanName()
{
    int position = Position();
    for (;;) {
        const unsigned char c = At(position);
        if (Is(c, ccWord) || (c == '\'' && FApostropheInNames))
            ++position;
        else if (c == ':' && At(position + 1) == ':' && Is(At(position + 2), ccWord))
            position += 2;
        else
            break;
    }
    SetPosition(position);
}

void TPERLFountainParser::ScanSigil(int kind)
{
    if (Resuming(kind)) {
        // The rest of a name cut by a wrap: the sigil is on the previous row.
        SetKind(kind);
        ScanName();
        return;
    }
    if (!Is(At(Position() + 1), ccWord)) {
        ScanSymbol();
        return;
    }
    SetKind(kind);
    SetPosition(Position() + 1);
    ScanName();
}

} // namespace brenvik
