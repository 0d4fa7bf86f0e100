// Lazy trail-byte detection for the search scan.
#include "search/TrailProbe.h"

#include "search/ShiftJis.h"

#include <cassert>

namespace brenvik {

bool TTrailProbe::IsTrail(std::int64_t pos)
{
    assert(pos >= 0 && pos <= text_.Length());
    if (pos < runStart_ || pos > runEnd_) {
        const bool extends = pos > runEnd_;
        const std::int64_t stop = extends ? runEnd_ : 0;
        const std::uint8_t* bytes = text_.Data();
        std::int64_t first = pos;
        while (first > stop && IsLeadByte(bytes[first - 1]))
            --first;
        if (!(extends && first == stop))
            runStart_ = first;
        runEnd_ = pos;
    }
    return ((pos - runStart_) & 1) != 0;
}

} // namespace brenvik
