// The option word handed from the find dialogs to the search engine; bit values are stored and passed as
// numbers.
#pragma once

#include <cstdint>

namespace brenvik {

class TSearchFlags {
public:
    enum Flag : std::uint16_t {
        Down = 0x001,
        MatchCase = 0x002,
        WholeWord = 0x004,
        NoMatchZenkaku = 0x008,
        Replace = 0x010,
        ReplaceAll = 0x020,
        ReplaceConfirm = 0x040,
        IncludeCRLF = 0x080,
        IncludeSpace = 0x100,
        // The pattern is a regular expression (the skips of IncludeCRLF and IncludeSpace do not apply).
        RegExp = 0x200,
    };

    constexpr TSearchFlags() = default;
    constexpr TSearchFlags(std::uint16_t bits)
        : bits_(bits)
    {
    }

    constexpr bool Has(Flag flag) const { return (bits_ & flag) != 0; }
    constexpr std::uint16_t Bits() const { return bits_; }

    friend constexpr bool operator==(TSearchFlags, TSearchFlags) = default;

private:
    std::uint16_t bits_ = 0;
};

} // namespace brenvik
