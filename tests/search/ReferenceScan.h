// Reference model of the search scan: a plain transcription of the byte-by-byte candidate loop, with a full
// trail map and every candidate visited, against which the engine's faster scan is compared.
#pragma once

#include "search/SearchFlags.h"
#include "search/SearchRange.h"

#include <optional>
#include <string_view>

namespace brenvik::test {

std::optional<TSearchRange> ReferenceScan(
    std::string_view text, TSearchRange range, std::string_view pattern, TSearchFlags flags);

} // namespace brenvik::test
