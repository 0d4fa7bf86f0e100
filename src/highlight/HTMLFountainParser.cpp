// HTML scanning rules and the kind adjustment inside tags.
#include "highlight/HTMLFountainParser.h"

#include "highlight/CharClass.h"
#include "highlight/HTMLFountain.h"

namespace brenvik {

using namespace charclass;

THTMLFountainParser::THTMLFountainParser(THTMLFountain* fountain)
    : TFountainParser(fountain)
    , FHTMLFountain(*fountain)
{
    // URLs, mail addresses and attribute values may begin with any byte.
    ExamineEveryByte();
    SetCharDispatch('"', &THTMLFountainParser::ScanDoubleQuoted);
    SetCharDispatch('&', static_cast<TScanOperation>(&THTMLFountainParser::ScanEntity));
    SetCharDispatch('/', static_cast<TScanOperation>(&THTMLFountainParser::ScanSlash));
    SetCharDispatch('<', static_cast<TScanOperation>(&THTMLFountainParser::ScanTagOpen));
    SetCharDispatch('=', static_cast<TScanOperation>(&THTMLFountainParser::ScanEquals));
    SetCharDispatch('>', static_cast<TScanOperation>(&THTMLFountainParser::ScanTagClose));
    SetResumeDispatch(tkElement, static_cast<TScanOperation>(&THTMLFountainParser::ResumeElementName));
    SetResumeDispatch(tkAttribute, static_cast<TScanOperation>(&THTMLFountainParser::ResumeAttributeName));
    SetResumeDispatch(
        tkAttributeValue, static_cast<TScanOperation>(&THTMLFountainParser::ScanAttributeValue));
    SetResumeDispatch(tkEntity, static_cast<TScanOperation>(&THTMLFountainParser::ScanEntity));
}

int THTMLFountainParser::ReadToken()
{
    TFountainParser::ReadToken();
    AdjustKind();
    if (TokenKind() != tkEnd)
        SetLastKind(TokenKind());
    return TokenKind();
}

TFountainColor* THTMLFountainParser::TokenColor()
{
    THTMLFountain& f = FHTMLFountain;
    if (TokenIsReserved())
        return f.Reserve();
    switch (TokenKind()) {
    case tkBracket:
        return BracketColor(BracketTokenIndex());
    case tkReserved:
        return f.Reserve();
    case tkUrl:
        return f.Url();
    case tkMail:
        return f.Mail();
    case tkDoubleQuoted:
        return f.Str();
    case tkTagOpen:
    case tkTagClose:
    case tkEquals:
        return f.TagColor();
    case tkElement:
        return f.TagElement();
    case tkAttribute:
        return f.TagAttribute();
    case tkAttributeValue:
        return f.TagAttributeValue();
    case tkEntity:
        return f.Ampersand();
    default:
        return nullptr;
    }
}

void THTMLFountainParser::DispatchByChar()
{
    if (BracketIndex() == -1 && MatchOpenBracket())
        ScanBracket();
    else if (LooksLikeUrl())
        ScanUrl();
    else if (LooksLikeMail())
        ScanMail();
    else if (InsideTag() && LastKind() == tkEquals)
        ScanAttributeValue();
    else
        DispatchChar();
}

void THTMLFountainParser::AdjustKind()
{
    const int kind = TokenKind();
    if (!InsideTag() || kind == tkEnd)
        return;
    switch (LastKind()) {
    case tkTagOpen:
        if (kind == tkWord)
            SetKind(tkElement);
        break;
    case tkAttribute:
        if (kind != tkEquals)
            SetKind(tkAttribute);
        break;
    case tkDoubleQuoted:
    case tkElement:
    case tkAttributeValue:
        SetKind(tkAttribute);
        break;
    default:
        break;
    }
}

void THTMLFountainParser::ScanEntity()
{
    SetKind(tkEntity);
    if (!Resuming(tkEntity))
        SetPosition(Position() + 1);
    const int start = Position();
    SkipClass(ccEntity);
    if (Position() > start && Current() == ';')
        SetPosition(Position() + 1);
}

void THTMLFountainParser::ScanSlash()
{
    if (!InsideTag() || LastKind() != tkTagOpen) {
        ScanSymbol();
        return;
    }
    SetKind(tkElement);
    SetPosition(Position() + 1);
    SkipClass(ccAlphaNumeric);
}

void THTMLFountainParser::ResumeAttributeName()
{
    ScanWord();
    SetKind(tkAttribute);
}

void THTMLFountainParser::ScanEquals()
{
    if (!InsideTag() || LastKind() != tkAttribute) {
        ScanSymbol();
        return;
    }
    SetKind(tkEquals);
    SetPosition(Position() + 1);
}

void THTMLFountainParser::ScanAttributeValue()
{
    if (Current() == '"') {
        ScanDoubleQuoted();
        return;
    }
    SetKind(tkAttributeValue);
    for (unsigned char c = Current(); c != '\t' && c != ' ' && c != '>' && !Is(c, ccRowEnd); c = Current())
        SetPosition(CharEnd(Position()));
}

void THTMLFountainParser::ResumeElementName()
{
    ScanWord();
    SetKind(tkElement);
}

void THTMLFountainParser::ScanTagClose()
{
    SetKind(tkTagClose);
    SetPosition(Position() + 1);
    SetElement(0);
}

void THTMLFountainParser::ScanTagOpen()
{
    SetKind(tkTagOpen);
    SetPosition(Position() + 1);
    SetElement(1);
}

} // namespace brenvik
