// The Perl tokenizer as go-to-use reads a line: double-quoted strings are read as code so
// that the variables interpolated into them are found, and an apostrophe inside such a
// string (print "<input value='$id'>") is a one-byte symbol, not the start of a single-quoted
// string that would hide them, nor part of a name before it. Highlighting and the rebuild read strings as
// strings.
#pragma once

#include "highlight/PERLFountainParser.h"

namespace brenvik {

class TNavigationParser : public TPERLFountainParser {
public:
    explicit TNavigationParser(TPERLFountain* fountain);

    int ReadToken() override;

protected:
    void ScanDoubleQuoted() override;
    void ScanApostrophe() override;

private:
    void SetInsideQuotes(bool inside);

    bool FInsideQuotes = false; // an opening double quote of this row is not closed yet
};

} // namespace brenvik
