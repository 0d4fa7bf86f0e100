// The searched text: a byte view that ends at its first zero byte and reads as zero beyond that end.
#pragma once

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <limits>
#include <string_view>

namespace brenvik {

class TSearchText {
public:
    explicit TSearchText(std::string_view text)
        : data_(reinterpret_cast<const std::uint8_t*>(text.data()))
    {
        const void* zero = text.empty() ? nullptr : std::memchr(text.data(), 0, text.size());
        const std::size_t length = zero ? static_cast<const char*>(zero) - text.data() : text.size();
        // Offsets travel as 32-bit values in TSearchRange.
        length_ = std::min<std::size_t>(length, std::numeric_limits<std::int32_t>::max());
    }

    std::int64_t Length() const { return static_cast<std::int64_t>(length_); }
    const std::uint8_t* Data() const { return data_; }

    // The terminating zero stands at Length() and at every position past it.
    std::uint8_t At(std::int64_t pos) const
    {
        return pos >= 0 && static_cast<std::size_t>(pos) < length_ ? data_[pos] : std::uint8_t {0};
    }

private:
    const std::uint8_t* data_;
    std::size_t length_;
};

} // namespace brenvik
