// Bracket matching over logical lines, read by the row tokenizer.
#include "model/BracketMatch.h"

#include "highlight/CharClass.h"
#include "highlight/Fountain.h"
#include "highlight/HTMLFountainParser.h"
#include "highlight/PERLFountainParser.h"
#include "highlight/RowTokenizer.h"
#include "highlight/TokenKind.h"
#include "text/EditorScreenStrings.h"

#include <algorithm>

namespace brenvik {

namespace {

constexpr int kCodeClass = -1;

bool IsBracket(char c, bool angles)
{
    return c == '(' || c == ')' || c == '[' || c == ']' || c == '{' || c == '}' || (angles && (c == '<' || c == '>'));
}

bool IsOpening(char c)
{
    return c == '(' || c == '[' || c == '{' || c == '<';
}

char PartnerOf(char c)
{
    switch (c) {
    case '(': return ')';
    case ')': return '(';
    case '[': return ']';
    case ']': return '[';
    case '{': return '}';
    case '}': return '{';
    case '<': return '>';
    default: return '<';
    }
}

} // namespace

TBracketMatch::TBracketMatch(TEditorModel& model, TFountain& fountain)
    : FModel(model)
    , FParser(fountain.CreateParser())
{
    FParser->UseContexts(model.Rows().Contexts());
    FPerl = dynamic_cast<TPERLFountainParser*>(FParser.get()) != nullptr;
    FAngles = dynamic_cast<THTMLFountainParser*>(FParser.get()) != nullptr;
}

TBracketMatch::~TBracketMatch() = default;

// Text tokens keep their own kind; every kind of code is one class.
int TBracketMatch::ClassOf(int kind) const
{
    switch (kind) {
    case tkBracket:
    case tkComment:
    case tkSingleQuoted:
    case tkDoubleQuoted:
        return kind;
    default:
        break;
    }
    if (FPerl && kind >= tkHereDocOperator && kind <= tkDataSection)
        return kind;
    if (FAngles && kind == tkAttributeValue)
        return kind;
    return kCodeClass;
}

void TBracketMatch::ReadLine(int first, const RowTokenState& state)
{
    FBrackets.clear();
    // Built in a kept buffer: a caret move may read hundreds of lines.
    FLine.clear();
    for (int row = first; row < FModel.RowCount(); ++row) {
        FLine += FModel.RowText(row);
        if (FModel.RowAttribute(row) != raWrapped)
            break;
    }
    const std::string& line = FLine;
    // Most lines of a block hold no bracket: they are not tokenized (the next line's state is
    // stored, or carried over by the row-state scanner).
    if (line.find_first_of(FAngles ? "()[]{}<>" : "()[]{}") == std::string::npos)
        return;
    TRowTokenizer tokens(*FParser, FJoined);
    tokens.Begin(line, {}, state);
    for (TRowToken token; tokens.Next(token);) {
        const int end = std::min(token.End(), int(line.size()));
        // Whole characters: a trail byte may look like [ ] { }.
        for (int i = token.Offset; i < end; ++i) {
            const char c = line[size_t(i)];
            if (IsBracket(c, FAngles))
                FBrackets.push_back({i, c, ClassOf(token.Kind)});
            else if (charclass::Is(static_cast<unsigned char>(c), charclass::ccLead))
                ++i;
        }
    }
}

RowTokenState TBracketMatch::StoredState(int first)
{
    TEditorScreenStrings& rows = FModel.Rows();
    // An edited row is rescanned before painting; the caret's line may come first.
    if (!rows.RowStateComputed(first))
        rows.Rescan(first, false);
    return RowStartState(rows.RowState(first));
}

RowTokenState TBracketMatch::LineState(int first, int previousFirst, const RowTokenState& previous)
{
    const TEditorScreenStrings& rows = FModel.Rows();
    if (rows.RowStateComputed(first))
        return rows.RowState(first);
    // Past the rows scanned so far: carry the state over the line before.
    if (!FScanner)
        FScanner = FModel.CreateRowStateScanner();
    RowTokenState state = previous;
    for (int row = previousFirst; row < first && FScanner; ++row)
        FScanner->AdvanceRowState(rows.ScanRowAt(row), state);
    return state;
}

TEditorPos TBracketMatch::PositionOf(int first, int offset) const
{
    int row = first;
    while (offset >= int(FModel.RowText(row).size()) && FModel.RowAttribute(row) == raWrapped) {
        offset -= int(FModel.RowText(row).size());
        ++row;
    }
    return {row, FModel.TextWidth(FModel.RowText(row).substr(0, size_t(offset)))};
}

std::optional<TBracketPair> TBracketMatch::At(TEditorPos caret)
{
    if (caret.Row < 0 || caret.Row >= FModel.RowCount())
        return std::nullopt;
    // The common case first: no bracket by the caret, no tokenizing.
    const std::string_view text = FModel.RowText(caret.Row);
    const int byte = FModel.CharIndexAt(caret.Row, caret.Col);
    const bool after = byte < int(text.size()) && IsBracket(text[size_t(byte)], FAngles);
    const bool before = byte > 0 && IsBracket(text[size_t(byte - 1)], FAngles);
    if (!after && !before)
        return std::nullopt;

    const int first = FModel.LineStart(caret.Row);
    const int offset = int(FModel.BytesBetween(first, caret.Row)) + byte;
    RowTokenState state = StoredState(first);
    ReadLine(first, state);
    auto at = std::find_if(FBrackets.begin(), FBrackets.end(), [offset](const TBracket& b) { return b.Offset == offset; });
    if (at == FBrackets.end())
        at = std::find_if(FBrackets.begin(), FBrackets.end(), [offset](const TBracket& b) { return b.Offset == offset - 1; });
    if (at == FBrackets.end())
        return std::nullopt;
    const TBracket start = *at;
    const bool forward = IsOpening(start.Byte);
    const char partner = PartnerOf(start.Byte);
    int index = int(at - FBrackets.begin());
    int line = first;
    int depth = 0;
    for (int scanned = 0; scanned <= ScanLines; ++scanned) {
        for (index += forward ? 1 : -1; index >= 0 && index < int(FBrackets.size()); index += forward ? 1 : -1) {
            const TBracket& b = FBrackets[size_t(index)];
            if (b.Class != start.Class)
                continue;
            if (b.Byte == start.Byte) {
                ++depth;
            } else if (b.Byte == partner && depth-- == 0) {
                const TEditorPos mine = PositionOf(first, start.Offset);
                const TEditorPos other = PositionOf(line, b.Offset);
                return forward ? TBracketPair {mine, other, true} : TBracketPair {other, mine, false};
            }
        }
        // On to the next logical line either way.
        if (forward) {
            const int next = FModel.LineEnd(line) + 1;
            if (next >= FModel.RowCount())
                break;
            state = LineState(next, line, state);
            line = next;
            ReadLine(line, state);
            index = -1;
        } else {
            if (line == 0)
                break;
            line = FModel.LineStart(line - 1);
            state = StoredState(line);
            ReadLine(line, state);
            index = int(FBrackets.size());
        }
    }
    return std::nullopt;
}

} // namespace brenvik
