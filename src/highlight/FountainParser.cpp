// Generic scanning rules, token reading and the row-state step of the tokenizer framework.
#include "highlight/FountainParser.h"
#include "highlight/RowTokenizer.h"

#include "highlight/CharClass.h"
#include "highlight/Fountain.h"
#include "text/EditorScreenStrings.h"

#include <algorithm>
#include <cassert>
#include <cstring>
#include <stdexcept>

namespace brenvik {

using namespace charclass;

namespace {

bool InRange(unsigned char c, unsigned char first, unsigned char last)
{
    return c >= first && c <= last;
}

// Trails of 0x82 that are symbols rather than digits, letters or hiragana.
bool IsWideSymbolTrail82(unsigned char t)
{
    return InRange(t, 0x40, 0x4E) || InRange(t, 0x59, 0x5F) || InRange(t, 0x7A, 0x80)
        || InRange(t, 0x9B, 0x9E) || t >= 0xF2;
}

bool IsProlongedMark(unsigned char lead, unsigned char trail)
{
    return lead == 0x81 && (trail == 0x5B || trail == 0x7C);
}

// The kind of run that the pair starts: full-width digits, Latin letters, hiragana or katakana;
// 0 for any other pair.
int RunStartedBy(unsigned char lead, unsigned char trail)
{
    if (lead == 0x82) {
        if (InRange(trail, 0x4F, 0x58))
            return tkWideDigits;
        if (InRange(trail, 0x60, 0x79) || InRange(trail, 0x81, 0x9A))
            return tkWideLatin;
        if (InRange(trail, 0x9F, 0xF1))
            return tkHiragana;
    } else if (lead == 0x83 && InRange(trail, 0x40, 0x96)) {
        return tkKatakana;
    }
    return 0;
}

// True when the pair continues a run of kind: a pair of the kind itself, the full-width comma
// and period in digits, the prolonged-sound marks in hiragana and katakana.
bool ContinuesRun(int kind, unsigned char lead, unsigned char trail)
{
    switch (kind) {
    case tkWideDigits:
        return RunStartedBy(lead, trail) == kind || (lead == 0x81 && (trail == 0x43 || trail == 0x44));
    case tkHiragana:
    case tkKatakana:
        return RunStartedBy(lead, trail) == kind || IsProlongedMark(lead, trail);
    default:
        return RunStartedBy(lead, trail) == kind;
    }
}

} // namespace

TFountainParser::TFountainParser(TFountain* fountain)
    : FFountain(fountain)
{
    if (fountain == nullptr)
        throw std::invalid_argument("TFountainParser.Create need instance of TFountain");
    // The bracket pairs are read once per pass: the fountain does not change while it scans.
    const TFountainBracketCollection& brackets = *fountain->Brackets();
    for (int i = 0; i < brackets.Count(); ++i) {
        const TFountainBracketItem& item = brackets.Brackets(i);
        FBrackets.push_back({item.LeftBracket(), item.RightBracket(), item.ItemColor()});
        if (!item.LeftBracket().empty())
            FBracketStart[static_cast<unsigned char>(item.LeftBracket()[0])] = true;
    }
    // So are the reserved words, compared case-insensitively as the list compares them.
    for (const std::string& word : fountain->ReserveWordList()->Items()) {
        if (!word.empty()) {
            const auto first = static_cast<unsigned char>(word[0]);
            FReservedStart[first] = FReservedStart[UpCase(first)] = true;
            if (first >= 'A' && first <= 'Z')
                FReservedStart[first + ('a' - 'A')] = true;
        }
        FReservedWords.Insert(word);
    }
    FText.assign(Padding, '\0');
    BuildDispatchTables();
}

TFountainParser::~TFountainParser() = default;

void TFountainParser::BuildDispatchTables()
{
    FCharDispatch.fill(&TFountainParser::ScanSymbol);
    FCharDispatch[0x00] = &TFountainParser::ScanEnd;
    FCharDispatch[0x09] = &TFountainParser::ScanTab;
    FCharDispatch[0x0A] = &TFountainParser::ScanLineFeed;
    FCharDispatch[0x0D] = &TFountainParser::ScanCarriageReturn;
    for (int c = 0; c < 256; ++c) {
        const auto byte = static_cast<unsigned char>(c);
        if (Is(byte, ccDigit))
            FCharDispatch[c] = &TFountainParser::ScanNumber;
        else if (Is(byte, ccWord))
            FCharDispatch[c] = &TFountainParser::ScanWord;
        else if (byte == 0x81 || InRange(byte, 0x84, 0x87))
            FCharDispatch[c] = &TFountainParser::ScanWideSymbol;
        else if (byte == 0x82 || byte == 0x83)
            FCharDispatch[c] = &TFountainParser::ScanWideRun;
        else if (Is(byte, ccKanjiLead))
            FCharDispatch[c] = &TFountainParser::ScanKanji;
        else if (InRange(byte, 0xA1, 0xA5))
            FCharDispatch[c] = &TFountainParser::ScanNarrowKanaSymbol;
        else if (Is(byte, ccNarrowKana))
            FCharDispatch[c] = &TFountainParser::ScanNarrowKana;
        if (Is(byte, ccBlank))
            SetByteAction(byte, baBlank);
        else if (Is(byte, ccRowEnd))
            SetByteAction(byte, baRowEnd);
        else if (FBracketStart[c])
            SetByteAction(byte, baDispatch);
        else
            SetByteAction(byte, ByteActionOf(FCharDispatch[c]));
    }

    FResumeDispatch.fill(&TFountainParser::ScanSymbol);
    FResumeDispatch[tkInteger] = &TFountainParser::ScanNumber;
    FResumeDispatch[tkFloat] = &TFountainParser::ScanNumber;
    FResumeDispatch[tkBracket] = &TFountainParser::ScanBracket;
    FResumeDispatch[tkComment] = &TFountainParser::ScanRestOfLine;
    FResumeDispatch[tkReserved] = &TFountainParser::ResumeReserved;
    FResumeDispatch[tkWord] = &TFountainParser::ScanWord;
    FResumeDispatch[tkWideSymbol] = &TFountainParser::ScanWideSymbol;
    for (int kind : {tkWideDigits, tkWideLatin, tkHiragana, tkKatakana})
        FResumeDispatch[kind] = &TFountainParser::ScanWideRun;
    FResumeDispatch[tkKanji] = &TFountainParser::ScanKanji;
    FResumeDispatch[tkNarrowKanaSymbol] = &TFountainParser::ScanNarrowKanaSymbol;
    FResumeDispatch[tkNarrowKana] = &TFountainParser::ScanNarrowKana;
    FResumeDispatch[tkUrl] = &TFountainParser::ScanUrl;
    FResumeDispatch[tkMail] = &TFountainParser::ScanMail;
    FResumeDispatch[tkHexDigits] = &TFountainParser::ScanHexDigits;
    FResumeDispatch[tkSingleQuoted] = &TFountainParser::ScanSingleQuoted;
    FResumeDispatch[tkDoubleQuoted] = &TFountainParser::ScanDoubleQuoted;
}

// ---- rows and tokens ----

namespace {

// n bytes from from to to. Most rows are a few dozen bytes, for which a call of memcpy costs as
// much as the copy: two overlapping moves of a fixed size do it inline.
void CopyRowBytes(char* to, const char* from, std::size_t n)
{
    if (n >= 16 && n <= 32) {
        std::memcpy(to, from, 16);
        std::memcpy(to + n - 16, from + n - 16, 16);
    } else if (n >= 8 && n < 16) {
        std::memcpy(to, from, 8);
        std::memcpy(to + n - 8, from + n - 8, 8);
    } else if (n >= 33 && n <= 64) {
        std::memcpy(to, from, 32);
        std::memcpy(to + n - 32, from + n - 32, 32);
    } else {
        std::memcpy(to, from, n);
    }
}

} // namespace

void TFountainParser::BeginRow(std::string_view text, const RowTokenState& state)
{
    assert(state.BracketIndex >= -1);
    FLength = static_cast<int>(text.size());
    // The buffer only grows, so that rows of a pass are copied without allocating.
    if (FText.size() < text.size() + Padding)
        FText.resize(text.size() + Padding);
    CopyRowBytes(FText.data(), text.data(), text.size());
    std::memset(FText.data() + text.size(), 0, Padding);
    FPosition = 0;
    FTokenStart = 0;
    FTokenEnd = 0;
    FTokenKind = tkEnd;
    FBracketIndex = std::max(state.BracketIndex, -1);
    FBracketTokenIndex = -2;
    FElement = state.Element;
    FContext = state.Context;
    FOwnLength = FLength;
    FLastKind = state.LastKind;
    FWrappedKind = state.WrappedKind & 0xFF;
    FRemain = state.Remain;
    FContinuing = false;
    FMailFailsBefore = 0;
    FByteAction = FByteActions[0].data();
    FContextTokenAt = -1;
}

int TFountainParser::ReadToken()
{
    if (FWrappedKind != 0 || FBracketIndex >= 0)
        return ReadCarriedToken();
    if (FContext != 0 || FPosition == FContextTokenAt || (FPosition == 0 && FReadsRowStart))
        return ReadContextToken();
    return ReadPlainToken();
}

int TFountainParser::ReadPlainToken()
{
    int position = FPosition;
    TByteAction action;
    while ((action = FByteAction[At(position)]) == baBlank)
        ++position;
    FTokenStart = position;
    FContinuing = false;
    if (action >= baSymbol) {
        FTokenKind = action == baSymbol ? tkSymbol : tkTab;
        FPosition = FTokenEnd = position + 1;
        return FTokenKind;
    }
    FPosition = position;
    if (action == baTable)
        DispatchChar();
    else if (action == baRowEnd)
        FTokenKind = tkEnd;
    else
        DispatchByChar();
    FTokenEnd = FPosition;
    return FTokenKind;
}

int TFountainParser::ReadCarriedToken()
{
    // Carried bytes are counted from the row start, blanks included.
    if (FWrappedKind == 0 || FRemain == 0)
        SkipBlanks();
    FTokenStart = FPosition;
    FContinuing = FWrappedKind != 0;
    if (AtRowEnd())
        FTokenKind = tkEnd;
    else if (FWrappedKind != 0)
        ResumeWrappedToken();
    else
        ScanBracket();
    FTokenEnd = FPosition;
    return FTokenKind;
}

void TFountainParser::ExamineEveryByte()
{
    for (int c = 0; c < 256; ++c) {
        if (TakesCharTable(FByteActions[0][c]))
            SetByteAction(static_cast<unsigned char>(c), baDispatch);
    }
}

std::string_view TFountainParser::TokenView() const
{
    return std::string_view(FText.data() + FTokenStart, static_cast<size_t>(FTokenEnd - FTokenStart));
}

TFountainColor* TFountainParser::BracketColor(int index) const
{
    return index >= 0 && index < BracketCount() ? FBrackets[static_cast<size_t>(index)].Color : nullptr;
}

bool TFountainParser::TokenIsReserved()
{
    if (FContinuing || FTokenKind == tkEnd || FTokenKind == tkBracket || FTokenKind == tkComment)
        return false;
    const std::string_view token = TokenView();
    if (token.empty() || !FReservedStart[static_cast<unsigned char>(token[0])])
        return false;
    return FReservedWords.Contains(token);
}

void TFountainParser::PromoteReserved(int& kind)
{
    if (TokenIsReserved())
        kind = tkReserved;
}

void TFountainParser::ResumeWrappedToken()
{
    if (FRemain > 0) {
        SetPosition(FPosition + FRemain);
        FTokenKind = FWrappedKind;
        if (FTokenKind == tkBracket) {
            FBracketTokenIndex = FBracketIndex;
            FBracketIndex = -1;
        }
    } else {
        DispatchResume(FWrappedKind);
    }
    FWrappedKind = 0;
    FRemain = 0;
}

void TFountainParser::DispatchByChar()
{
    if (FBracketIndex == -1 && BracketMayStart() && MatchOpenBracket())
        ScanBracket();
    else
        DispatchChar();
}

RowTokenState TFountainParser::ScanRowState(int row, const TEditorScreenStrings& rows, RowTokenState state)
{
    AdvanceRowState(rows.ScanRowAt(row), state);
    return state;
}

void TFountainParser::FinishRowState(RowTokenState& state, bool lineEnds)
{
    (void)state;
    (void)lineEnds;
}

void TFountainParser::AdvanceRowState(const TScanRow& row, RowTokenState& state)
{
    if (row.Contexts != nullptr)
        FContexts = row.Contexts;
    const bool lineEnds = row.Attribute != raWrapped;
    if (state.WrappedKind == tkComment) {
        // The row is comment to its end; the comment ends with the logical line.
        if (lineEnds)
            state.WrappedKind = 0;
        state.Remain = 0;
        FinishRowState(state, lineEnds);
        return;
    }
    const int length = static_cast<int>(row.Text.size());
    TRowTokenizer tokens(*this, FJoined);
    tokens.Begin(row.Text, row.Attribute == raWrapped ? row.Next : std::string_view(), state);
    // Only the tokens that start in the row count: a joined row is read token by token, so
    // that nothing of the next row is scanned.
    if (row.Attribute != raWrapped)
        FByteAction = FByteActions[1].data();

    // Kept in locals while the tokens are read; a crossing token's element and context count
    // (what it opens or closes holds from the next row on), its last kind does not.
    int bracketIndex = state.BracketIndex;
    int bracket = state.BracketIndex;
    int element = state.Element;
    int context = state.Context;
    int lastKind = state.LastKind;
    int kind = tkEnd;
    bool crossing = false;
    for (TRowToken token; tokens.Next(token);) {
        kind = token.Kind;
        bracketIndex = FBracketIndex;
        if (token.Kind == tkBracket)
            bracket = FBracketTokenIndex;
        element = FElement;
        context = FContext;
        if (token.End() > length) {
            crossing = true;
            break;
        }
        lastKind = FLastKind;
    }
    state.BracketIndex = bracketIndex;
    state.Element = element;
    state.Context = context;
    state.LastKind = lastKind;
    state.Remain = 0;
    state.WrappedKind = 0;
    if (crossing)
        CarryCrossingToken(state, kind, bracket, length, row.NextAttribute);
    FinishRowState(state, lineEnds);
}

RowTokenState TFountainParser::LineEndState()
{
    RowTokenState state;
    state.BracketIndex = FBracketIndex;
    state.Element = FElement;
    state.LastKind = FLastKind;
    state.Context = FContext;
    FinishRowState(state, true);
    return state;
}

void TFountainParser::CarryCrossingToken(
    RowTokenState& state, int kind, int bracket, int length, TRowAttribute nextAttribute)
{
    const int carried = FTokenEnd - length;
    // The row list keeps Remain in 8 bits; wrapped rows are far shorter than that.
    const bool countable = carried <= MaxRemain;
    if (kind == tkBracket) {
        if (state.BracketIndex == -1 && bracket >= 0 && bracket < BracketCount()) {
            // The region closes in the next row, which starts inside it.
            state.BracketIndex = bracket;
            const int rightLength = static_cast<int>(FBrackets[static_cast<size_t>(bracket)].Right.size());
            if (carried < rightLength && countable) {
                state.WrappedKind = tkBracket;
                state.Remain = carried;
            }
        }
        return;
    }
    PromoteReserved(kind);
    state.WrappedKind = kind;
    // A token that ends in the next row is carried by its byte count, strings included: resumed
    // by kind, a string would take an escaped or doubled quote right at the row start for its end.
    // A comment runs to the end of the logical line whatever it holds.
    const bool endsInNextRow = FTokenEnd < FLength || nextAttribute != raWrapped;
    if (kind != tkComment && endsInNextRow && countable)
        state.Remain = carried;
}

bool TFountainParser::MatchWord(std::string_view word)
{
    const int size = static_cast<int>(word.size());
    if (size == 0 || !TextAtIgnoringCase(FPosition, word) || Is(At(FPosition + size), ccWord))
        return false;
    FPosition += size;
    return true;
}

std::string TFountainParser::CheckInvariant() const
{
    if (static_cast<int>(FText.size()) < FLength + Padding)
        return "row buffer is shorter than the row and its padding";
    for (int i = FLength; i < FLength + Padding; ++i) {
        if (FText[static_cast<size_t>(i)] != '\0')
            return "padding holds a byte that is not NUL";
    }
    if (FTokenStart < 0 || FTokenStart > FTokenEnd || FTokenEnd > FLength)
        return "token lies outside the row";
    if (FPosition < 0 || FPosition > FLength)
        return "scan position lies outside the row";
    return {};
}

// ---- position helpers ----

bool TFountainParser::TextAt(int position, std::string_view s) const
{
    return static_cast<size_t>(FLength - position) >= s.size()
        && std::memcmp(FText.data() + position, s.data(), s.size()) == 0;
}

bool TFountainParser::TextAtIgnoringCase(int position, std::string_view s) const
{
    if (static_cast<size_t>(FLength - position) < s.size())
        return false;
    for (size_t i = 0; i < s.size(); ++i) {
        if (UpCase(At(position + static_cast<int>(i))) != UpCase(static_cast<unsigned char>(s[i])))
            return false;
    }
    return true;
}

// ---- scanning rules ----

bool TFountainParser::MatchOpenBracket()
{
    for (int i = 0; i < BracketCount(); ++i) {
        const std::string& left = FBrackets[static_cast<size_t>(i)].Left;
        if (!left.empty() && TextAt(FPosition, left)) {
            FBracketIndex = i;
            FPosition += static_cast<int>(left.size());
            return true;
        }
    }
    return false;
}

void TFountainParser::ScanBracket()
{
    if (FBracketIndex < 0 || FBracketIndex >= BracketCount()
        || FBrackets[static_cast<size_t>(FBracketIndex)].Right.empty()) {
        FTokenKind = tkEnd;
        return;
    }
    FTokenKind = tkBracket;
    FBracketTokenIndex = FBracketIndex;
    const std::string& right = FBrackets[static_cast<size_t>(FBracketIndex)].Right;
    const char first = right[0];
    while (!AtRowEnd()) {
        if (FText[static_cast<size_t>(FPosition)] == first && TextAt(FPosition, right)) {
            FPosition += static_cast<int>(right.size());
            FBracketIndex = -1;
            return;
        }
        FPosition = CharEnd(FPosition);
    }
}

bool TFountainParser::LooksLikeMail()
{
    if (FPosition < FMailFailsBefore)
        return false;
    int position = FPosition;
    if (!Is(At(position), ccMail) || At(position) == '@')
        return false;
    bool passedAt = false;
    for (;; ++position) {
        const unsigned char c = At(position);
        if (!Is(c, ccMail)) {
            // Any later start inside this run meets the same byte with no more '@' before it.
            FMailFailsBefore = position;
            return false;
        }
        if (c == '@') {
            passedAt = true;
        } else if (c == '.' && passedAt) {
            FPosition = position + 1;
            return true;
        }
    }
}

void TFountainParser::ScanMail()
{
    FTokenKind = tkMail;
    SkipClass(ccMail);
}

bool TFountainParser::LooksLikeUrl()
{
    for (std::string_view prefix : {"http:", "https:", "ftp:", "www."}) {
        if (TextAt(FPosition, prefix)) {
            FPosition += static_cast<int>(prefix.size());
            return true;
        }
    }
    return false;
}

void TFountainParser::ScanUrl()
{
    FTokenKind = tkUrl;
    SkipClass(ccUrl);
}

void TFountainParser::ResumeReserved()
{
    DispatchChar();
    FTokenKind = tkReserved;
}

void TFountainParser::ScanEnd()
{
    FTokenKind = tkEnd;
}

void TFountainParser::ScanTab()
{
    FTokenKind = tkTab;
    ++FPosition;
}

void TFountainParser::ScanLineFeed()
{
    FTokenKind = tkEnd;
    ++FPosition;
}

void TFountainParser::ScanCarriageReturn()
{
    FTokenKind = tkEnd;
    ++FPosition;
    if (Current() == 0x0A)
        ++FPosition;
}

void TFountainParser::ScanRestOfLine()
{
    FTokenKind = tkComment;
    FPosition = NextStop(FPosition, '\0');
}

void TFountainParser::ScanHexDigits()
{
    FTokenKind = tkHexDigits;
    SkipClass(ccHex);
}

void TFountainParser::ScanExponent()
{
    ++FPosition; // E or e
    if (Current() == '+' || Current() == '-')
        ++FPosition;
    SkipClass(ccDigit);
}

void TFountainParser::ScanNumber()
{
    FTokenKind = tkInteger;
    SkipClass(ccDigit);
    const unsigned char c = Current();
    if (c == '.') {
        FTokenKind = tkFloat;
        const unsigned char next = At(FPosition + 1);
        if (Is(next, ccDigit)) {
            ++FPosition;
            SkipClass(ccDigit);
            if (Current() == 'E' || Current() == 'e')
                ScanExponent();
        } else if (next == 'E' || next == 'e') {
            ++FPosition;
            ScanExponent();
        }
    } else if (c == 'E' || c == 'e') {
        FTokenKind = tkFloat;
        ScanExponent();
    }
}

void TFountainParser::ScanWord()
{
    FTokenKind = tkWord;
    SkipClass(ccWord);
}

void TFountainParser::ScanWideSymbol()
{
    FTokenKind = tkWideSymbol;
    const unsigned char lead = Current();
    const unsigned char trail = At(FPosition + 1);
    if (lead == 0x81 || InRange(lead, 0x84, 0x87) || (lead == 0x83 && InRange(trail, 0x97, 0xF0))
        || (lead == 0x82 && IsWideSymbolTrail82(trail)))
        SkipPair();
}

void TFountainParser::ScanWideRun()
{
    const unsigned char lead = Current();
    const unsigned char trail = At(FPosition + 1);
    // A run cut by a wrap goes on at the row start over any pair of the run, a prolonged-sound
    // mark or a full-width comma included.
    const bool resumed = FContinuing && ContinuesRun(FWrappedKind, lead, trail);
    const int run = resumed ? FWrappedKind : RunStartedBy(lead, trail);
    if (run != 0) {
        FTokenKind = run;
        do
            FPosition += 2; // the trail is no NUL, so it lies inside the row
        while (ContinuesRun(run, Current(), At(FPosition + 1)));
    } else if ((lead == 0x82 && IsWideSymbolTrail82(trail)) || (lead == 0x83 && InRange(trail, 0x97, 0xF0))) {
        FTokenKind = tkWideSymbol;
        FPosition += 2;
    } else {
        // A malformed pair (or a lead byte at the row end): the lead byte alone, shown as a
        // two-byte symbol so that the damage stands out.
        FTokenKind = tkWideSymbol;
        ++FPosition;
    }
}

void TFountainParser::ScanKanji()
{
    FTokenKind = tkKanji;
    while (Is(Current(), ccKanjiLead))
        SkipPair();
}

void TFountainParser::ScanNarrowKanaSymbol()
{
    FTokenKind = tkNarrowKanaSymbol;
    if (InRange(Current(), 0xA1, 0xA5))
        ++FPosition;
}

void TFountainParser::ScanNarrowKana()
{
    FTokenKind = tkNarrowKana;
    SkipClass(ccNarrowKana);
}

void TFountainParser::ScanSymbol()
{
    FTokenKind = tkSymbol;
    if (!AtRowEnd())
        ++FPosition;
}

void TFountainParser::ScanQuoted(unsigned char quote, int kind)
{
    FTokenKind = kind;
    int position = Resuming(kind) ? FPosition : FPosition + 1;
    for (;;) {
        position = NextStop(position, quote);
        if (At(position) != quote || At(position + 1) != quote)
            break;
        position += 2; // a doubled quote stands for one and the string goes on
    }
    FPosition = At(position) == quote ? position + 1 : position;
}

void TFountainParser::ScanSingleQuoted()
{
    ScanQuoted('\'', tkSingleQuoted);
}

void TFountainParser::ScanDoubleQuoted()
{
    ScanQuoted('"', tkDoubleQuoted);
}

} // namespace brenvik
