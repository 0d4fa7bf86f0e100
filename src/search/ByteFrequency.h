// How often each byte value occurs in a text, estimated from evenly spread samples of it.
#pragma once

#include "search/SearchText.h"

#include <array>
#include <cstdint>

namespace brenvik {

class TByteFrequency {
public:
    explicit TByteFrequency(const TSearchText& text);

    // Estimated share of the text's bytes that have this value; never zero, so an unseen byte is merely rare.
    double Share(std::uint8_t byte) const { return share_[byte]; }

private:
    std::array<double, 256> share_ {};
};

} // namespace brenvik
