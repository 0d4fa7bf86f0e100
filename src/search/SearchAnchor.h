// The part of a pattern that the scan looks for first: byte tests at fixed distances from an anchor position,
// chosen where the pattern's bytes are rarest in the text.
#pragma once

#include "search/ByteFrequency.h"
#include "search/PatternMatcher.h"

#include <array>
#include <cstdint>

namespace brenvik {

// A byte at Offset from the anchor must be one of Bytes.
struct TByteTest {
    std::int64_t Offset = 0;
    int Count = 0;
    std::array<std::uint8_t, 8> Bytes {};

    bool Holds(std::uint8_t byte) const;
};

// All of its tests must hold.
struct TAnchorSpelling {
    int Count = 0;
    std::array<TByteTest, 3> Tests {};
};

// Every match starting at s has, for some anchor position q in [s + NearMin, s + FarMax], one spelling whose
// tests all hold at q. An anchor without spellings filters nothing.
struct TSearchAnchor {
    int Count = 0;
    std::array<TAnchorSpelling, 4> Spellings {};
    std::int64_t NearMin = 0;
    std::int64_t FarMax = 0;
    // The largest test offset: a scan reads this many bytes past an anchor position.
    std::int64_t Reach = 0;

    bool Filters() const { return Count > 0; }
};

TSearchAnchor ChooseAnchor(const TPatternMatcher& matcher, const TByteFrequency& frequency);

} // namespace brenvik
