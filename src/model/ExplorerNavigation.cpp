// Go to use: the line order of both directions and the matching of tokens in one line.
#include "model/ExplorerNavigation.h"

#include "highlight/PERLFountain.h"
#include "highlight/PERLFountainParser.h"
#include "model/EditorModel.h"
#include "model/NavigationParser.h"
#include "text/EditorScreenStrings.h"

#include <algorithm>
#include <climits>

namespace brenvik {

std::string TUseQuery::First() const
{
    switch (List) {
    case elSubRoutine:
        return Name;
    case elArrangement:
        return "@" + Name;
    case elAssocArr:
        return "%" + Name;
    default:
        return "$" + Name;
    }
}

std::string TUseQuery::Second() const
{
    return List == elSubRoutine ? "&" + Name : "$" + Name;
}

bool TUseQuery::Matches(int kind, std::string_view text) const
{
    if (List == elSubRoutine) {
        if (kind == tkSubRoutine)
            return text == Name;
        return !DefinitionsOnly && kind == tkSubRoutineCall && text.size() == Name.size() + 1
            && text.substr(1) == Name;
    }
    if (text.size() != Name.size() + 1 || text.substr(1) != Name)
        return false;
    // "$" + name is a candidate of every list; "@" and "%" only of their own.
    return (kind == tkScalar && text[0] == '$') || (kind == tkArray && List == elArrangement)
        || (kind == tkHash && List == elAssocArr);
}

TUseFinder::TUseFinder(const TEditorScreenStrings& rows, TFountain* fountain, TExplorerStates& states)
    : FLines(rows)
    , FStates(states)
{
    if (!dynamic_cast<TPERLFountain*>(fountain))
        return;
    FParser = std::make_unique<TNavigationParser>(static_cast<TPERLFountain*>(fountain));
    FStateParser = fountain->CreateParser();
    FParser->UseContexts(rows.Contexts());
    FStateParser->UseContexts(rows.Contexts());
}

TUseFinder::~TUseFinder() = default;

TLinePos TUseFinder::CaretPos(const TEditorModel& model)
{
    const int row = model.Row();
    const TEditorScreenStrings& rows = model.Rows();
    // After the last line break: the end of the last line.
    if (row >= model.RowCount())
        return {rows.LineCount() - 1, INT_MAX / 2};
    TLinePos pos {rows.LineOfRow(row), model.CharIndexAt(row, model.Col())};
    for (int r = model.LineStart(row); r < row; ++r)
        pos.Byte += int(model.RowText(r).size());
    return pos;
}

template <class Visit> void TUseFinder::ForEachUse(int line, int row, const TUseQuery& query, Visit visit)
{
    int next = 0;
    // Most lines do not hold the name at all: only those that do are tokenized.
    if (query.Name.empty() || FLines.LineAt(row, next).find(query.Name) == std::string_view::npos)
        return;
    const RowTokenState state = FStates.StateOf(line, FLines, *FStateParser);
    // Carrying the state may have read other lines: read this one again.
    const std::string_view text = FLines.LineAt(row, next);
    FParser->BeginRow(text, state);
    // "${name}": the sigil, a brace, the name and a brace, in a row, are a use of "$name".
    struct TRecent {
        int Offset = -1;
        std::string_view Text;
    };
    TRecent recent[3];
    const bool braced = query.List != elSubRoutine;
    for (int kind; (kind = FParser->ReadToken()) != 0;) {
        const std::string_view token = FParser->TokenView();
        const int offset = FParser->TokenOffset();
        if (query.Matches(kind, token)) {
            if (!visit(offset, int(token.size())))
                return;
        } else if (braced && token == "}" && recent[0].Text == "$" && recent[1].Text == "{"
            && recent[2].Text == query.Name) {
            if (!visit(recent[0].Offset, offset + 1 - recent[0].Offset))
                return;
        }
        recent[0] = recent[1];
        recent[1] = recent[2];
        recent[2] = {offset, token};
    }
}

TUseFinder::TLineHit TUseFinder::FirstIn(int line, int row, const TUseQuery& query, int after)
{
    TLineHit hit;
    ForEachUse(line, row, query, [&](int offset, int length) {
        if (offset <= after)
            return true;
        hit = {offset, length};
        return false;
    });
    return hit;
}

TUseFinder::TLineHit TUseFinder::LastIn(int line, int row, const TUseQuery& query, int before)
{
    TLineHit hit;
    ForEachUse(line, row, query, [&](int offset, int length) {
        if (offset >= before)
            return false;
        hit = {offset, length};
        return true;
    });
    return hit;
}

std::optional<TUseHit> TUseFinder::Forward(const TUseQuery& query, TLinePos from)
{
    return Search(query, from, 1);
}

std::optional<TUseHit> TUseFinder::Upward(const TUseQuery& query, TLinePos from)
{
    return Search(query, from, -1);
}

std::optional<TUseHit> TUseFinder::Search(const TUseQuery& query, TLinePos from, int direction)
{
    const int count = FLines.LineCount();
    if (!FParser || count == 0)
        return std::nullopt;
    from.Line = std::clamp(from.Line, 0, count - 1);
    // The caret line beyond the caret, the other lines from the nearest on, round the end of
    // the text, and last the caret line whole (the wrap may end on the caret's other side).
    // Lines are walked by their first rows: the row list finds a line's row by counting.
    const TEditorScreenStrings& rows = FLines.Rows();
    int line = from.Line;
    int row = FLines.RowOfLine(line);
    for (int step = 0; step <= count; ++step) {
        const TLineHit hit = direction > 0 ? FirstIn(line, row, query, step == 0 ? from.Byte : -1)
                                           : LastIn(line, row, query, step == 0 ? from.Byte : INT_MAX);
        if (hit.Offset >= 0)
            return TUseHit {line, hit.Offset, hit.Length};
        if (direction > 0) {
            row = FLines.NextLineRow(row);
            if (++line == count)
                line = row = 0;
        } else if (--line < 0) {
            line = count - 1;
            row = FLines.RowOfLine(line);
        } else {
            row = rows.LineStartRow(row - 1);
        }
    }
    return std::nullopt;
}

void SelectUse(TEditorModel& model, const TUseHit& hit)
{
    const qint64 start = model.RowOffset(model.Rows().RowOfLine(hit.Line)) + hit.Offset;
    model.CancelSelection();
    model.SetBoxSelection(false);
    model.PlaceCaretAtOffset(start + hit.Length);
    model.StartSelection();
    model.PlaceCaretAtOffset(start);
    model.ExtendSelection();
}

} // namespace brenvik
