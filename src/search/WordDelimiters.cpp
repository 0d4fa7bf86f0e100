// Whole-word delimiter set: controls, blank, ASCII punctuation (the underscore included) and a few high
// bytes.
#include "search/WordDelimiters.h"

namespace brenvik {

namespace {

struct TByteSpan {
    std::uint8_t First;
    std::uint8_t Last;
};

constexpr TByteSpan DelimiterSpans[] = {
    {0x00, 0x2F},
    {0x3A, 0x40},
    {0x5B, 0x60},
    {0x7B, 0x80},
    {0xA0, 0xA5},
    {0xFD, 0xFF},
};

constexpr std::array<bool, 256> BuildDelimiters()
{
    std::array<bool, 256> table {};
    for (const TByteSpan span : DelimiterSpans) {
        for (unsigned byte = span.First; byte <= span.Last; ++byte)
            table[byte] = true;
    }
    return table;
}

} // namespace

const std::array<bool, 256> WordDelimiters = BuildDelimiters();

} // namespace brenvik
