// How often each byte value, and each pair of adjacent byte values, occurs in a text, estimated from evenly
// spread samples of it.
#pragma once

#include "search/SearchText.h"

#include <array>
#include <cstdint>
#include <vector>

namespace brenvik {

class TByteFrequency {
public:
    explicit TByteFrequency(const TSearchText& text);

    // Estimated share of the text's positions holding this byte; never zero, so an unseen byte is merely
    // rare.
    double Share(std::uint8_t byte) const;
    // Estimated share of the positions holding first with second right after it; never zero.
    double PairShare(std::uint8_t first, std::uint8_t second) const;

private:
    std::array<std::uint32_t, 256> counts_ {};
    // Indexed by first * 256 + second; a sample holds fewer than 65536 pairs.
    std::vector<std::uint16_t> pairCounts_;
    double total_ = 0;
    double pairTotal_ = 0;
};

} // namespace brenvik
