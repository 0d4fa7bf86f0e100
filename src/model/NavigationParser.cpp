// Double quotes read as code, apostrophes inside them as symbols.
#include "model/NavigationParser.h"

namespace brenvik {

TNavigationParser::TNavigationParser(TPERLFountain* fountain)
    : TPERLFountainParser(fountain)
{
    ScanInsideDoubleQuotes = true;
}

int TNavigationParser::ReadToken()
{
    // Nothing read yet: a row has just begun, outside any quotes.
    if (TokenKind() == tkEnd && TokenOffset() == 0 && TokenSize() == 0)
        SetInsideQuotes(false);
    return TPERLFountainParser::ReadToken();
}

void TNavigationParser::ScanDoubleQuoted()
{
    // The rule of the string scan: a quote after a backslash neither opens nor closes.
    if (Position() == 0 || At(Position() - 1) != '\\')
        SetInsideQuotes(!FInsideQuotes);
    ScanSymbol();
}

void TNavigationParser::SetInsideQuotes(bool inside)
{
    FInsideQuotes = inside;
    FApostropheInNames = !inside;
}

void TNavigationParser::ScanApostrophe()
{
    if (FInsideQuotes)
        ScanSymbol();
    else
        TPERLFountainParser::ScanApostrophe();
}

} // namespace brenvik
