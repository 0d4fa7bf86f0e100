// The editor's own bracket pairs, with operations that recolour every pair at once.
#pragma once

#include "highlight/FountainBracketCollection.h"

namespace brenvik {

class TEditorBracketCollection : public TFountainBracketCollection {
    Q_OBJECT
public:
    using TFountainBracketCollection::TFountainBracketCollection;

    // Each sets one value on every item's colour inside one update batch.
    void SetAllBkColors(TColor value);
    void SetAllColors(TColor value);
    void SetAllStyles(TFontStyles value);

private:
    template <typename Set> void ForEachColor(Set set);
};

} // namespace brenvik
