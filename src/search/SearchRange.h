// A byte range of the searched text: the selection on entry to a search, the match on success.
#pragma once

#include <cstdint>

namespace brenvik {

struct TSearchRange {
    std::int32_t Start = 0;
    std::int32_t Length = 0;

    friend constexpr bool operator==(const TSearchRange&, const TSearchRange&) = default;
};

} // namespace brenvik
