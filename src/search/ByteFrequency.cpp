// Byte statistics of the searched text, from which the search picks its rarest anchor. Pairs matter because
// text is far from random: "pr" is common in Perl wherever 'p' and 'r' are.
#include "search/ByteFrequency.h"

#include <algorithm>

namespace brenvik {

namespace {

// 16 slices of 4 KiB cost some tens of microseconds and tell Japanese comments from Perl code well enough.
constexpr std::int64_t SliceCount = 16;
constexpr std::int64_t SliceBytes = 4096;
constexpr std::int64_t SmallSliceBytes = 256;

} // namespace

TByteFrequency::TByteFrequency(const TSearchText& text)
    : pairCounts_(256 * 256)
{
    const std::uint8_t* bytes = text.Data();
    const std::int64_t length = text.Length();
    const auto countSlice = [&](std::int64_t from, std::int64_t to) {
        for (std::int64_t i = from; i < to; ++i)
            ++counts_[bytes[i]];
        for (std::int64_t i = from; i + 1 < to; ++i)
            ++pairCounts_[bytes[i] << 8 | bytes[i + 1]];
        total_ += static_cast<double>(to - from);
        pairTotal_ += static_cast<double>(to - from - 1);
    };
    // A small text is sampled in proportion (a sixteenth of a 64 KiB script still tells its code from its
    // comments): grep prepares a search for every file of a folder, where counting all of each costs more
    // than the search.
    const std::int64_t sliceBytes = std::clamp(length / (SliceCount * 4), SmallSliceBytes, SliceBytes);
    if (length <= SliceCount * sliceBytes) {
        if (length > 0)
            countSlice(0, length);
    } else {
        const std::int64_t stride = (length - sliceBytes) / (SliceCount - 1);
        for (std::int64_t slice = 0; slice < SliceCount; ++slice)
            countSlice(slice * stride, slice * stride + sliceBytes);
    }
}

double TByteFrequency::Share(std::uint8_t byte) const
{
    return (counts_[byte] + 0.5) / (total_ + 128.0);
}

double TByteFrequency::PairShare(std::uint8_t first, std::uint8_t second) const
{
    return (pairCounts_[first << 8 | second] + 0.1) / (pairTotal_ + 6554.0);
}

} // namespace brenvik
