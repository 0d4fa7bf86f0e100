// Rescans of the row list through a fountain's parser.
#include "highlight/FountainRowStateScanner.h"

#include "highlight/Fountain.h"

namespace brenvik {

TFountainRowStateScanner::TFountainRowStateScanner(TFountain& fountain)
    : FParser(fountain.CreateParser())
{
}

RowTokenState TFountainRowStateScanner::ScanRowState(
    int row, const TEditorScreenStrings& rows, RowTokenState state)
{
    return FParser->ScanRowState(row, rows, state);
}

} // namespace brenvik
