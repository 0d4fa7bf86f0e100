// The reference walk of Shift_JIS characters the fuzz targets check matches against, written out apart
// from the walks of the code under test.
#pragma once

#include "support/LeadByte.h"

#include <cstdint>
#include <string_view>
#include <vector>

namespace brenvik::fuzz {

// Whether each position of text starts a character (the end included), walking from its first byte.
inline std::vector<bool> CharacterStarts(std::string_view text)
{
    std::vector<bool> starts(text.size() + 1, false);
    for (std::size_t i = 0; i < text.size();) {
        starts[i] = true;
        i += IsLeadByte(static_cast<std::uint8_t>(text[i])) && i + 1 < text.size() ? 2 : 1;
    }
    starts[text.size()] = true;
    return starts;
}

} // namespace brenvik::fuzz
