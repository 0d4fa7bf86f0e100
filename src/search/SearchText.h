// The searched text: a byte view that reads as zero beyond its end.
#pragma once

#include <algorithm>
#include <cstdint>
#include <limits>
#include <string_view>

namespace brenvik {

// Zero bytes inside the view are ordinary bytes here; the rule that the first zero ends the text is kept by
// the scan (see ScanPattern), so that no pass over the whole text is needed to find its end.
class TSearchText {
public:
    explicit TSearchText(std::string_view text)
        : data_(reinterpret_cast<const std::uint8_t*>(text.data()))
        // Offsets travel as 32-bit values in TSearchRange.
        , length_(std::min<std::size_t>(text.size(), std::numeric_limits<std::int32_t>::max()))
    {
    }

    std::int64_t Length() const { return static_cast<std::int64_t>(length_); }
    const std::uint8_t* Data() const { return data_; }

    std::uint8_t At(std::int64_t pos) const
    {
        return pos >= 0 && static_cast<std::size_t>(pos) < length_ ? data_[pos] : std::uint8_t {0};
    }

private:
    const std::uint8_t* data_;
    std::size_t length_;
};

} // namespace brenvik
