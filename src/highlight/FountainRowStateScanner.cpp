// Rescans of the row list through a fountain's parser.
#include "highlight/FountainRowStateScanner.h"

#include "highlight/Fountain.h"

namespace brenvik {

TFountainRowStateScanner::TFountainRowStateScanner(TFountain& fountain)
    : FParser(fountain.CreateParser())
{
}

RowTokenState TFountainRowStateScanner::ScanRowState(const TScanRow& row, RowTokenState state)
{
    return FParser->ScanRowState(row, state);
}

} // namespace brenvik
