// TEditorModel's token queries: word motion and the token at a position, read through the
// one row tokenizer.
#include "model/EditorModel.h"

#include "highlight/Fountain.h"
#include "highlight/RowTokenizer.h"
#include "text/EditorScreenStrings.h"

#include <algorithm>

namespace brenvik {

// Columns where the active fountain's tokens start in a row; a token crossing into the next
// row of a wrapped line starts in this one.
std::vector<int> TEditorModel::TokenStarts(int row) const
{
    std::vector<int> starts;
    TFountain* fountain = FOwner->TokenFountain();
    if (fountain == nullptr || row >= RowCount())
        return starts;
    const std::string_view text = RowText(row);
    const std::string_view next = RowAttribute(row) == raWrapped ? RowText(row + 1) : std::string_view();
    const std::unique_ptr<TFountainParser> parser = fountain->CreateParser();
    parser->UseContexts(FRows->Contexts());
    std::string joined;
    TRowTokenizer tokens(*parser, joined);
    tokens.Begin(text, next, RowStartState(FRows->RowState(row)));
    const TColumnLayout layout = ColumnLayout();
    for (TRowToken token; tokens.Next(token);)
        starts.push_back(brenvik::TextWidth(text.substr(0, size_t(token.Offset)), layout));
    return starts;
}

void TEditorModel::WordMove(int row, int col, int direction)
{
    const int count = RowCount();
    if (row < 0 || row > LastCaretRow() || (row == count && count == 0))
        return;
    if (direction > 0) {
        if (col >= RowWidth(row) && row + 1 <= LastCaretRow()) {
            ++row;
            col = -1;
        }
        for (int start : TokenStarts(row))
            if (start > col) {
                SetRowCol(row, start);
                return;
            }
        if (RowAttribute(row) == raWrapped)
            SetRowCol(row + 1, 0);
        else
            SetRowCol(row, RowWidth(row));
        return;
    }
    if (col == 0 && row > 0) {
        --row;
        col = RowWidth(row);
        if (RowAttribute(row) == raBreak) {
            SetRowCol(row, col);
            return;
        }
    }
    const std::vector<int> starts = TokenStarts(row);
    const auto before
        = std::find_if(starts.rbegin(), starts.rend(), [col](int start) { return start < col; });
    if (before != starts.rend())
        SetRowCol(row, *before);
    else if (row > 0)
        SetRowCol(row - 1, RowWidth(row - 1));
    else
        SetRowCol(0, 0);
}

TEditorToken TEditorModel::TokenAt(TEditorPos position) const
{
    if (position.Row < 0 || position.Row >= RowCount())
        return {};
    const int first = LineStart(position.Row);
    const std::string line = LineText(first);
    const int offset = int(BytesBetween(first, position.Row)) + CharIndexAt(position.Row, position.Col);
    TFountain* fountain = FOwner->TokenFountain();
    if (fountain == nullptr)
        return {};
    // The whole logical line is read as one row, so a token cut by the wrap is found whole.
    const std::unique_ptr<TFountainParser> parser = fountain->CreateParser();
    parser->UseContexts(FRows->Contexts());
    std::string joined;
    TRowTokenizer tokens(*parser, joined);
    tokens.Begin(line, {}, RowStartState(FRows->RowState(first)));
    for (TRowToken token; tokens.Next(token);)
        if (offset >= token.Offset && offset < token.End())
            return {parser->TokenText(), token.Kind, RowOffset(first) + token.Offset};
    return {};
}

} // namespace brenvik
