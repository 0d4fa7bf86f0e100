// What the Perl tokenizer has open at a row boundary beyond the packed row state: here-documents
// waiting for their bodies, POD, the data section and an unfinished string, quote-like operator or match.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace brenvik {

struct TPerlHereDocument {
    bool Interpolating = true; // "EOM" or bare EOM; false for 'EOM'
    bool Indented = false;     // <<~: the terminator may follow leading blanks
    std::string Terminator;
    friend bool operator==(const TPerlHereDocument&, const TPerlHereDocument&) = default;
};

// An unfinished '...', "...", `...`, q, qq, qw, qx, qr, m, s, tr, y or /.../.
struct TPerlQuote {
    // '\'', '"', '`', 'q', 'Q' (qq), 'w' (qw), 'x' (qx), 'r' (qr), 'm', 's', 't' (tr and y), '/'
    char Operator = 0;
    unsigned char Open = 0;   // the opening delimiter of the current part
    unsigned char Close = 0;  // its closing delimiter (the same byte unless a bracket pair)
    int Depth = 0;            // nested bracket pairs inside the part, 0..65535
    bool SecondPart = false;  // in the replacement of s, tr or y
    bool AwaitingSecond = false; // s{...} read: the second part's delimiter has not come yet
    bool Escaped = false;     // a wrapped row ended in a backslash: the next row's first byte is escaped

    bool Interpolating() const
    {
        return Operator != 'q' && Operator != 'w' && Operator != 't' && Operator != '\'';
    }
    // Single quotes, q and qw keep a backslash before any byte but the delimiters and a backslash.
    bool KeepsBackslashes() const { return Operator == 'q' || Operator == 'w' || Operator == '\''; }
    bool HasTwoParts() const { return Operator == 's' || Operator == 't'; }
    friend bool operator==(const TPerlQuote&, const TPerlQuote&) = default;
};

struct TPerlOpenConstructs {
    // Waiting in the order of their operators; the first is read while InBody.
    std::vector<TPerlHereDocument> HereDocuments;
    bool InBody = false;
    bool Pod = false;
    bool PodEndsWithLine = false; // =cut read: code goes on after this line
    bool DataSection = false;     // after __END__ or __DATA__: the rest of the text
    bool AfterEnd = false;        // the section began with __END__, after which POD is still read as POD
    bool QuoteOpen = false;
    TPerlQuote Quote;

    // The bytes a row-state table keeps; empty when nothing is open.
    std::string Encode() const;
    // The value Encode gave bytes; nothing open for bytes it cannot read.
    static TPerlOpenConstructs Decode(std::string_view bytes);
    friend bool operator==(const TPerlOpenConstructs&, const TPerlOpenConstructs&) = default;
};

} // namespace brenvik
