// A row-state scanner for tests: the state after a row follows the quotes and letters a in it.
#pragma once

#include "text/EditorScreenStrings.h"

#include <algorithm>

namespace brenvik::test {

class QuoteScanner : public TRowStateScanner {
public:
    explicit QuoteScanner(int* calls = nullptr)
        : FCalls(calls)
    {
    }
    void AdvanceRowState(const TScanRow& row, RowTokenState& state) override
    {
        if (FCalls)
            ++*FCalls;
        std::string_view text = row.Text;
        state.Element = (state.Element + static_cast<int>(std::count(text.begin(), text.end(), '"'))) % 2;
        state.LastKind = (state.LastKind + static_cast<int>(std::count(text.begin(), text.end(), 'a'))) % 3;
    }

private:
    int* FCalls;
};

// The start state of every row, scanning all rows in order from the first.
inline std::vector<RowTokenState> ScanFromTop(const TEditorScreenStrings& rows, TRowStateScanner& scanner)
{
    std::vector<RowTokenState> states;
    RowTokenState state = RowTokenState::FirstRow();
    for (int row = 0; row < rows.Count(); ++row) {
        states.push_back(state);
        scanner.AdvanceRowState(rows.ScanRowAt(row), state);
    }
    return states;
}

inline std::vector<RowTokenState> ScanFromTop(const TEditorScreenStrings& rows)
{
    QuoteScanner scanner;
    return ScanFromTop(rows, scanner);
}

} // namespace brenvik::test
