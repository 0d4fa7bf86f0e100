// The tokenizer state at the start of a display row, as the row list stores it
// in each row's packed scan-state fields and the highlighter computes it.
#pragma once

#include <cstdint>

namespace brenvik {

struct RowTokenState {
    int BracketIndex = -1; // -2: not computed; -1: outside any bracket region; else the open bracket item
    int Element = 0;       // tokenizer-specific sub-state, 0..15
    int Remain = 0;        // bytes of a token cut by a wrap still to be read, 0..255
    int WrappedKind = 0;   // kind of the token cut by a wrap, 0 when none
    int LastKind = 0;      // kind of the last token before the row start
    int Context = 0;       // what the tokenizer has open at the row start: an entry of the row
                           // list's TRowContexts, 0 when nothing; 0..65535

    static RowTokenState FirstRow() { return {}; }
    static RowTokenState NotComputed() { return {-2, 0, 0, 0, 0, 0}; }
    friend bool operator==(const RowTokenState&, const RowTokenState&) = default;
};

} // namespace brenvik
