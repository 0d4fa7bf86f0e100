// Tells whether a byte of the text is the trail byte of a double-byte character, without a pass over the
// text.
#pragma once

#include "search/SearchText.h"

namespace brenvik {

// A byte that cannot lead ends a character, so a byte is a trail exactly when an odd number of lead-valued
// bytes stand between it and the last such byte (or the text start). The last run found is cached, which
// keeps a scan in either direction linear.
class TTrailProbe {
public:
    // Invariant: RunStart() is a character boundary and every byte in [RunStart(), RunEnd()) can lead.
    explicit TTrailProbe(const TSearchText& text)
        : text_(text)
    {
    }

    bool IsTrail(std::int64_t pos);

    std::int64_t RunStart() const { return runStart_; }
    std::int64_t RunEnd() const { return runEnd_; }

private:
    const TSearchText& text_;
    std::int64_t runStart_ = 0;
    std::int64_t runEnd_ = 0;
};

} // namespace brenvik
