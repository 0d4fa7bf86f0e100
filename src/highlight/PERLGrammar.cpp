// The fuller Perl grammar of the tokenizer: strings, here-documents, quote-like operators, matches,
// POD and the data section. Used while the fountain's PerlGrammar is on; what is open at a row boundary
// travels in the row state's Context.
#include "highlight/PERLFountainParser.h"

#include "highlight/CharClass.h"

#include <algorithm>
#include <array>
#include <cstring>

namespace brenvik {

using namespace charclass;

namespace {

bool IsBlankByte(unsigned char c)
{
    return c == ' ' || c == '\t';
}

bool IsNameStart(unsigned char c)
{
    return Is(c, ccWord) && !Is(c, ccDigit);
}

unsigned char ClosingOf(unsigned char open)
{
    switch (open) {
    case '(':
        return ')';
    case '[':
        return ']';
    case '{':
        return '}';
    case '<':
        return '>';
    default:
        return open;
    }
}

// Words after which an operand follows, so that a slash starts a match.
bool IsOperandWord(std::string_view word)
{
    static constexpr std::array<std::string_view, 25> kWords = {"and", "cmp", "eq", "ge", "grep", "gt", "if",
        "join", "le", "lt", "map", "ne", "not", "or", "print", "push", "return", "split", "unless", "unshift",
        "until", "when", "while", "x", "xor"};
    return std::binary_search(kWords.begin(), kWords.end(), word);
}

// The operator letter of a quote-like word, 0 for any other word. Every short word of the script
// comes here, so the letters are compared, not strings.
char QuoteOperator(std::string_view word)
{
    if (word.size() == 1) {
        switch (word[0]) {
        case 'm':
        case 'q':
        case 's':
            return word[0];
        case 'y':
            return 't';
        default:
            return 0;
        }
    }
    if (word.size() != 2)
        return 0;
    if (word[0] == 'q') {
        switch (word[1]) {
        case 'q':
            return 'Q';
        case 'r':
        case 'w':
        case 'x':
            return word[1];
        default:
            return 0;
        }
    }
    return word == "tr" ? 't' : 0;
}

int QuoteKind(char op)
{
    switch (op) {
    case '\'':
        return tkSingleQuoted;
    case '"':
        return tkDoubleQuoted;
    case '`':
    case 'q':
    case 'Q':
    case 'w':
    case 'x':
        return tkQuoteLike;
    default:
        return tkPattern;
    }
}

// Matches, substitutions and transliterations take modifier letters after their last delimiter.
bool TakesModifiers(char op)
{
    return op == 'm' || op == 's' || op == 't' || op == 'r' || op == '/';
}

} // namespace

int TPERLFountainParser::ReadContextToken()
{
    if (!FGrammar)
        return ReadPlainToken();
    const int start = Position();
    if (start == ContextTokenAt()) {
        SetContextTokenAt(-1);
        return ScanQuoteText(start, start, FSuspended);
    }
    const int stop = StopOfRow();
    if (Context() == 0) {
        if (StartsPod()) {
            TPerlOpenConstructs open;
            open.Pod = true;
            SetOpen(open);
            return ReadPodLine();
        }
        return ReadPlainToken();
    }
    const TPerlOpenConstructs& open = Open();
    if (open.InBody && !open.HereDocuments.empty() && AtLineStart())
        return ReadHereDocLine();
    if (start >= stop)
        return SetToken(start, start, tkEnd);
    if (open.Pod)
        return ReadPodLine();
    if (open.DataSection) {
        if (open.AfterEnd && StartsPod()) {
            TPerlOpenConstructs pod = open;
            pod.Pod = true;
            SetOpen(pod);
            return ReadPodLine();
        }
        return SetToken(start, stop, tkDataSection);
    }
    if (open.InBody && !open.HereDocuments.empty())
        return ReadInterpolated(start, stop, tkHereDocBody, open.HereDocuments.front().Interpolating);
    if (open.QuoteOpen)
        return ResumeQuote();
    // Only here-documents wait, for the end of this line: code goes on.
    return ReadPlainToken();
}

void TPERLFountainParser::DecodeOpen()
{
    const TRowContexts& table = Contexts();
    FOpen = TPerlOpenConstructs::Decode(table.At(Context()));
    FOpenIndex = Context();
    FOpenTable = &table;
    FOpenGeneration = table.Generation();
}

void TPERLFountainParser::SetOpen(const TPerlOpenConstructs& open)
{
    int index = Contexts().Intern(open.Encode());
    // A full table (tens of thousands of distinct open states): nothing is open from here.
    SetContext(std::max(index, 0));
    // Assigned, not chosen by ?: (which would copy open into a temporary first): the cache keeps its
    // buffers.
    if (index > 0)
        FOpen = open;
    else
        FOpen = {};
    FOpenIndex = Context();
    FOpenTable = &Contexts();
    FOpenGeneration = Contexts().Generation();
}

void TPERLFountainParser::FinishRowState(RowTokenState& state, bool lineEnds)
{
    if (!FGrammar)
        return;
    // Only rows inside an open construct tell whether they continue a line, so that plain code
    // keeps the states it always had (a wrap just before =word in code is then taken for a line start).
    state.Element = (state.Element & ~kMidLine) | (lineEnds || state.Context == 0 ? 0 : kMidLine);
    if (!lineEnds || state.Context == 0)
        return;
    // At a line end the bodies of waiting here-documents begin, and a POD block left by =cut ends.
    SetContext(state.Context);
    const TPerlOpenConstructs& current = Open();
    const bool bodyBegins = !current.HereDocuments.empty() && !current.InBody;
    // A backslash at the line end escapes the line break, not the next line's first byte.
    const bool escapedBreak = current.QuoteOpen && current.Quote.Escaped;
    if (!bodyBegins && !current.PodEndsWithLine && !escapedBreak)
        return;
    TPerlOpenConstructs open = current;
    open.InBody = open.InBody || bodyBegins;
    if (open.PodEndsWithLine)
        open.Pod = open.PodEndsWithLine = false;
    open.Quote.Escaped = false;
    SetOpen(open);
    state.Context = Context();
}

int TPERLFountainParser::ReadHereDocLine()
{
    const TPerlHereDocument& document = Open().HereDocuments.front();
    const int stop = StopOfRow();
    int from = 0;
    if (document.Indented) {
        while (from < stop && IsBlankByte(At(from)))
            ++from;
    }
    // The terminator is the whole line: a blank or anything else after it makes a body line.
    if (stop == Length() && static_cast<size_t>(stop - from) == document.Terminator.size()
        && TextAt(from, document.Terminator)) {
        TPerlOpenConstructs open = Open();
        open.HereDocuments.erase(open.HereDocuments.begin());
        open.InBody = !open.HereDocuments.empty();
        SetOpen(open);
        return SetToken(0, stop, tkHereDocEnd);
    }
    if (stop == 0)
        return SetToken(0, 0, tkEnd);
    return ReadInterpolated(0, stop, tkHereDocBody, document.Interpolating);
}

int TPERLFountainParser::ReadPodLine()
{
    const int start = Position();
    if (AtLineStart() && TextAt(0, "=cut") && !Is(At(4), ccWord)) {
        TPerlOpenConstructs open = Open();
        open.PodEndsWithLine = true;
        SetOpen(open);
    }
    return SetToken(start, std::max(start, StopOfRow()), tkPod);
}

bool TPERLFountainParser::StartsVariable(int position) const
{
    const unsigned char c = At(position);
    return (c == '$' || c == '@') && Is(At(position + 1), ccWord);
}

int TPERLFountainParser::VariableEnd(int position) const
{
    ++position; // the sigil
    for (;;) {
        if (Is(At(position), ccWord))
            ++position;
        else if (At(position) == ':' && At(position + 1) == ':' && Is(At(position + 2), ccWord))
            position += 2;
        else
            return position;
    }
}

bool TPERLFountainParser::TrailBackslashAt(int position) const
{
    return FTrailEscapes && Is(At(position), ccLead) && At(position + 1) == '\\' && CharEnd(position) == position + 2;
}

int TPERLFountainParser::ReadInterpolated(int start, int stop, int kind, bool interpolating)
{
    if (interpolating && StartsVariable(start))
        return SetToken(start, VariableEnd(start), At(start) == '$' ? tkScalar : tkArray);
    if (interpolating && TrailBackslashAt(start)) {
        // The trail escapes the next byte; when that begins a character whose trail is a
        // backslash too, that one escapes the byte after it.
        int end = start + 2;
        while (end < stop) {
            const bool chained = TrailBackslashAt(end);
            end = CharEnd(end);
            if (!chained)
                break;
        }
        return SetToken(start, std::min(end, stop), tkTrailBackslash);
    }
    // Bodies are mostly text: a byte that is neither a lead byte nor, when interpolating, a
    // backslash or a sigil is passed at once.
    int position = start;
    while (position < stop) {
        const unsigned char c = At(position);
        if (Is(c, ccLead)) {
            if (interpolating && TrailBackslashAt(position))
                break;
            position = CharEnd(position);
        } else if (!interpolating || (c != '\\' && c != '$' && c != '@')) {
            ++position;
        } else if (c == '\\') {
            position = position + 1 < stop ? CharEnd(position + 1) : position + 1;
        } else if (Is(At(position + 1), ccWord)) {
            break;
        } else {
            ++position;
        }
    }
    return SetToken(start, position, kind);
}

void TPERLFountainParser::ScanLess()
{
    if (At(Position() + 1) != '<' || !ReadHereDocOperator())
        ScanSymbol();
}

bool TPERLFountainParser::ReadHereDocOperator()
{
    TPerlHereDocument document;
    int position = Position() + 2;
    if (At(position) == '~') {
        document.Indented = true;
        ++position;
    }
    int quote = position;
    while (IsBlankByte(At(quote)))
        ++quote;
    const unsigned char c = At(quote);
    int end;
    if (c == '"' || c == '\'') {
        end = quote + 1;
        while (end < Length() && At(end) != c)
            end = CharEnd(end);
        if (end >= Length())
            return false;
        document.Interpolating = c == '"';
        document.Terminator.assign(TextBetween(quote + 1, end));
        ++end;
    } else if (quote == position && IsNameStart(c)) {
        end = position;
        while (Is(At(end), ccWord))
            ++end;
        document.Terminator.assign(TextBetween(position, end));
    } else {
        return false; // a shift, as in 1 << 2
    }
    if (document.Terminator.size() > 0xFFFF)
        return false;
    TPerlOpenConstructs open = Open();
    open.HereDocuments.push_back(std::move(document));
    SetOpen(open);
    SetKind(tkHereDocOperator);
    SetPosition(end);
    return true;
}

bool TPERLFountainParser::OperandExpectedBefore(int position) const
{
    int last = position - 1;
    while (last >= 0 && IsBlankByte(At(last)))
        --last;
    if (last < 0)
        return true; // the row start: a statement or an argument list begins
    const unsigned char c = At(last);
    if (Is(c, ccWord)) {
        int first = last;
        while (first > 0 && Is(At(first - 1), ccWord))
            --first;
        if (first > 0 && std::strchr("$@%&#", At(first - 1)) != nullptr && At(first - 1) != 0)
            return false; // after a variable
        if (Is(At(first), ccDigit))
            return false; // after a number
        return IsOperandWord(TextBetween(first, last + 1));
    }
    // After a closing bracket or a string an operator follows; after any other symbol an operand.
    return std::strchr(")]}\"'`", c) == nullptr;
}

void TPERLFountainParser::ScanSlash()
{
    const int start = Position();
    if (!OperandExpectedBefore(start)) {
        SetKind(tkSymbol);
        SetPosition(start + (At(start + 1) == '/' ? 2 : 1)); // / or //
        return;
    }
    TPerlQuote quote;
    quote.Operator = '/';
    quote.Open = quote.Close = '/';
    ScanQuoteText(start, start + 1, quote);
}

bool TPERLFountainParser::ScanQuoteLikeOperator(int wordStart)
{
    const int wordEnd = Position();
    if (wordEnd - wordStart > 2)
        return false;
    const char letter = QuoteOperator(TextBetween(wordStart, wordEnd));
    if (letter == 0)
        return false;
    if (wordStart > 0) {
        const unsigned char before = At(wordStart - 1);
        // -s $file is a file test, ->s( a method call.
        if (before == '-' || (before == '>' && wordStart > 1 && At(wordStart - 2) == '-'))
            return false;
    }
    int position = wordEnd;
    while (IsBlankByte(At(position)))
        ++position;
    const bool blanks = position > wordEnd;
    const unsigned char d = At(position);
    if (position >= Length() || Is(d, ccWord | ccLead | ccRowEnd | ccBlank) || std::strchr(",;)}]>", d) != nullptr)
        return false;
    // s => 1 and $y == 2 are no operators, nor is a comment after blanks.
    if (d == '=' && (blanks || At(position + 1) == '>' || At(position + 1) == '=' || At(position + 1) == '~'))
        return false;
    if (d == '#' && blanks)
        return false;
    TPerlQuote quote;
    quote.Operator = letter;
    quote.Open = d;
    quote.Close = ClosingOf(d);
    ScanQuoteText(wordStart, position + 1, quote);
    return true;
}

void TPERLFountainParser::ScanQuote()
{
    TPerlQuote quote;
    quote.Operator = static_cast<char>(Current());
    quote.Open = quote.Close = Current();
    ScanQuoteText(Position(), Position() + 1, quote);
}

bool TPERLFountainParser::ScanDataWord(int wordStart)
{
    const std::string_view word = TextBetween(wordStart, Position());
    if (word != "__END__" && word != "__DATA__")
        return false;
    // A name, not the end of the script: $__END__, ->__END__, Foo::__END__, {__END__}, __END__ => 1.
    const unsigned char before = wordStart > 0 ? At(wordStart - 1) : ' ';
    if (std::strchr("$@%&*:>'", before) != nullptr && before != 0)
        return false;
    int after = Position();
    while (IsBlankByte(At(after)))
        ++after;
    if ((At(after) == '=' && At(after + 1) == '>') || (At(after) == '}' && before == '{'))
        return false;
    TPerlOpenConstructs open;
    open.DataSection = true;
    open.AfterEnd = word == "__END__";
    SetOpen(open);
    SetToken(wordStart, std::max(wordStart, StopOfRow()), tkDataSection);
    return true;
}

int TPERLFountainParser::ResumeQuote()
{
    const int start = Position();
    return ScanQuoteText(start, start, Open().Quote);
}

void TPERLFountainParser::KeepQuoteOpen(const TPerlQuote& quote)
{
    const TPerlOpenConstructs& current = Open();
    if (current.QuoteOpen && current.Quote == quote)
        return; // every row of a long string comes here: the constructs are copied only when they change
    TPerlOpenConstructs open = current;
    open.QuoteOpen = true;
    open.Quote = quote;
    SetOpen(open);
}

int TPERLFountainParser::SuspendQuote(int start, int end, int kind, const TPerlQuote& quote)
{
    if (end >= StopOfRow()) {
        KeepQuoteOpen(quote);
    } else {
        FSuspended = quote;
        SetContextTokenAt(end);
    }
    return SetToken(start, end, kind);
}

int TPERLFountainParser::ScanQuoteText(int start, int position, TPerlQuote quote)
{
    const int stop = StopOfRow();
    const int kind = QuoteKind(quote.Operator);
    // Reading tokens cuts the text at variables and at characters whose trail byte is a backslash;
    // the row-state scan needs only where the quote ends.
    const bool cuts = !ScanningRowStates();
    const bool interpolating
        = quote.Interpolating() && quote.Open != '\'' && (VariablesInDoubleQuotes || quote.Operator != '"');
    // Perl reads the quote byte by byte: a backslash, a two-byte character's trail 0x5C included,
    // escapes the next byte, whatever it is.
    bool escaped = quote.Escaped;
    quote.Escaped = false;
    int charEnd = position; // the end of the character (as the editor pairs bytes) position is in
    int tokenKind = kind;   // tkTrailBackslash while the token is such a character
    const auto closed = [this, start](int end, int closedKind) {
        if (Open().QuoteOpen) {
            TPerlOpenConstructs open = Open();
            open.QuoteOpen = false;
            open.Quote = {};
            SetOpen(open);
        }
        return SetToken(start, end, closedKind);
    };
    for (;;) {
        if (quote.AwaitingSecond) {
            while (position < stop && Is(At(position), ccBlank))
                ++position;
            if (position >= stop)
                break;
            const unsigned char d = At(position);
            if (Is(d, ccWord | ccLead | ccRowEnd))
                return closed(position, kind); // no second part follows: the operator ends here
            quote.AwaitingSecond = false;
            quote.SecondPart = true;
            quote.Open = d;
            quote.Close = ClosingOf(d);
            quote.Depth = 0;
            charEnd = ++position;
            continue;
        }
        if (position >= stop)
            break;
        const unsigned char c = At(position);
        if (cuts && position >= charEnd) {
            // A character starts here: the token may end before it.
            charEnd = CharEnd(position);
            if (!escaped) {
                if (tokenKind == tkTrailBackslash)
                    return SuspendQuote(start, position, tokenKind, quote);
                if (interpolating && StartsVariable(position)) {
                    if (position > start)
                        return SuspendQuote(start, position, kind, quote);
                    return SuspendQuote(start, VariableEnd(position), c == '$' ? tkScalar : tkArray, quote);
                }
                if (TrailBackslashAt(position)) {
                    const unsigned char next = At(position + 2);
                    if (!quote.KeepsBackslashes() || next == quote.Close || next == quote.Open || next == '\\') {
                        if (position > start)
                            return SuspendQuote(start, position, kind, quote);
                        tokenKind = tkTrailBackslash;
                    }
                } else if (charEnd == position + 2) {
                    // A two-byte character whose trail neither escapes, closes nor nests: passed whole.
                    const unsigned char trail = At(position + 1);
                    if (!FTrailEscapes || (trail != quote.Close && trail != quote.Open)) {
                        position = charEnd;
                        continue;
                    }
                }
            }
        }
        if (escaped) {
            escaped = false;
            // In a script of another code the escaped byte is a whole character here.
            position = FTrailEscapes ? position + 1 : CharEnd(position);
            continue;
        }
        if (!FTrailEscapes && Is(c, ccLead)) {
            position = CharEnd(position);
            continue;
        }
        if (c == '\\' && quote.Close != '\\') {
            escaped = true;
            ++position;
            continue;
        }
        if (c == quote.Close && quote.Depth == 0) {
            ++position;
            if (quote.HasTwoParts() && !quote.SecondPart) {
                // s/a/b/ goes on with the same delimiter; s{a}{b} waits for the second opening.
                if (quote.Open == quote.Close)
                    quote.SecondPart = true;
                else
                    quote.AwaitingSecond = true;
                continue;
            }
            if (TakesModifiers(quote.Operator)) {
                while (At(position) >= 'a' && At(position) <= 'z')
                    ++position;
            }
            return closed(position, tokenKind);
        }
        if (quote.Open != quote.Close && (c == quote.Open || c == quote.Close)) {
            if (c == quote.Close)
                --quote.Depth;
            else if (quote.Depth < 0xFFFF)
                ++quote.Depth;
            ++position;
            continue;
        }
        ++position;
        // Most of a string is bytes that neither escape, close nor nest (nor, when the tokens are
        // read, start a variable or a character): passed at once.
        unsigned char b;
        if (!cuts && FTrailEscapes) {
            while (position < stop && (b = At(position)) != '\\' && b != quote.Close && b != quote.Open)
                ++position;
        } else if (!cuts) {
            // No byte of a character is a backslash, a quote or a bracket here.
            while (position < stop && (b = At(position)) != '\\' && b != quote.Close && b != quote.Open)
                position = Is(b, ccLead) ? CharEnd(position) : position + 1;
        } else {
            while (position < stop && (b = At(position)) < 0x80 && b != '\\' && b != quote.Close && b != quote.Open
                && b != '$' && b != '@')
                ++position;
        }
    }
    // The row ends inside the quote: the next row resumes it.
    quote.Escaped = escaped;
    KeepQuoteOpen(quote);
    return SetToken(start, position, tokenKind);
}

} // namespace brenvik
