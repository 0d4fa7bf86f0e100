// Scanning rules of the editor's built-in definition.
#include "highlight/EditorParser.h"

#include "highlight/CharClass.h"
#include "highlight/EditorFountain.h"

namespace brenvik {

using namespace charclass;

TEditorParser::TEditorParser(TEditorFountain* fountain)
    : TFountainParser(fountain)
    , FEditorFountain(*fountain)
    , FCommenter(fountain->Commenter())
    , FQuotation(fountain->Quotation())
    , FHexPrefix(fountain->HexPrefix())
    , FControlCode(fountain->ControlCode())
    , FMail(fountain->Mail())
    , FUrl(fountain->Url())
{
    // The commenter, the quotation, the control codes and the hex prefix may be any bytes.
    ExamineEveryByte();
    SetResumeDispatch(tkQuotation, static_cast<TScanOperation>(&TEditorParser::ScanQuotation));
    SetResumeDispatch(tkControlDecimal, static_cast<TScanOperation>(&TEditorParser::ScanControlDecimal));
    SetResumeDispatch(tkControlHex, static_cast<TScanOperation>(&TEditorParser::ScanControlHex));
}

TFountainColor* TEditorParser::TokenColor()
{
    const TEditorColors& colors = *FEditorFountain.Colors();
    if (TokenIsReserved())
        return colors.Reserve();
    switch (TokenKind()) {
    case tkHexDigits:
        return colors.Int();
    case tkUrl:
        return colors.Url();
    case tkMail:
        return colors.Mail();
    case tkQuotation:
    case tkControlDecimal:
    case tkControlHex:
        return colors.Str();
    default:
        return CommonKindColor(colors);
    }
}

void TEditorParser::DispatchByChar()
{
    if (BracketIndex() == -1 && MatchOpenBracket())
        ScanBracket();
    else if (FMail && LooksLikeMail())
        ScanMail();
    else if (FUrl && LooksLikeUrl())
        ScanUrl();
    else if (MatchCommenter())
        ScanRestOfLine();
    else if (MatchQuotation())
        ScanQuotation();
    else if (MatchControlHex())
        ScanControlHex();
    else if (MatchControlDecimal())
        ScanControlDecimal();
    else if (MatchHexPrefix())
        ScanHexDigits();
    else
        DispatchChar();
}

bool TEditorParser::MatchQuotation()
{
    return !FQuotation.empty() && Current() == static_cast<unsigned char>(FQuotation[0]);
}

void TEditorParser::ScanQuotation()
{
    // Resumed on a later row after the quote character was cleared: nothing to continue.
    if (FQuotation.empty())
        SetKind(tkEnd);
    else
        ScanQuoted(static_cast<unsigned char>(FQuotation[0]), tkQuotation);
}

bool TEditorParser::MatchCommenter()
{
    if (FCommenter.empty() || !TextAt(Position(), FCommenter))
        return false;
    SetPosition(Position() + static_cast<int>(FCommenter.size()));
    return true;
}

bool TEditorParser::MatchHexPrefix()
{
    if (FHexPrefix.empty() || !TextAtIgnoringCase(Position(), FHexPrefix))
        return false;
    SetPosition(Position() + static_cast<int>(FHexPrefix.size()));
    return true;
}

bool TEditorParser::MatchControlHex()
{
    if (!FControlCode || Current() != '#' || At(Position() + 1) != '$')
        return false;
    SetPosition(Position() + 2);
    return true;
}

void TEditorParser::ScanControlHex()
{
    SetKind(tkControlHex);
    SkipClass(ccHex);
}

bool TEditorParser::MatchControlDecimal()
{
    if (!FControlCode || Current() != '#')
        return false;
    SetPosition(Position() + 1);
    return true;
}

void TEditorParser::ScanControlDecimal()
{
    SetKind(tkControlDecimal);
    SkipClass(ccDigit);
}

} // namespace brenvik
