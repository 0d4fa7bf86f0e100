// How a display row ends: the per-row attribute of the row list.
#pragma once

#include <cstdint>

namespace brenvik {

enum TRowAttribute : std::uint8_t {
    raBreak = 0,     // the row ends its logical line and CR LF follows it
    raWrapped = 1,   // the logical line goes on in the next row
    raEndOfText = 2, // the row ends its line and the text; no break follows
    raNone = 3,      // no text: used in undo records and RowsText, never stored in a row
};

} // namespace brenvik
