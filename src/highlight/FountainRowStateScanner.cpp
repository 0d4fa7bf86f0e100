// Rescans of the row list through a fountain's parser.
#include "highlight/FountainRowStateScanner.h"

#include "highlight/Fountain.h"

namespace brenvik {

TFountainRowStateScanner::TFountainRowStateScanner(TFountain& fountain)
    : FParser(fountain.CreateParser())
{
}

void TFountainRowStateScanner::AdvanceRowState(const TScanRow& row, RowTokenState& state)
{
    FParser->AdvanceRowState(row, state);
}

} // namespace brenvik
