// The row list's view of a highlighting definition: the row-state step of one of its parsers.
#pragma once

#include "highlight/FountainParser.h"
#include "text/AttachedEditor.h"

#include <memory>

namespace brenvik {

class TFountain;

// Owns a parser created from the fountain for one rescan pass.
class TFountainRowStateScanner : public TRowStateScanner {
public:
    explicit TFountainRowStateScanner(TFountain& fountain);

    void AdvanceRowState(const TScanRow& row, RowTokenState& state) override;

private:
    std::unique_ptr<TFountainParser> FParser;
};

} // namespace brenvik
