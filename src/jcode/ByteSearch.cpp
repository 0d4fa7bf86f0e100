// Byte searches sixteen bytes at a time with SSE2 (part of every x86-64 processor), one byte at a time
// elsewhere and for the tail.
#include "jcode/ByteSearch.h"

#include <algorithm>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace brenvik::jcode_detail {

namespace {

constexpr std::uint8_t kEscByte = 27;
constexpr std::uint8_t kShiftOutByte = 0x0E;
constexpr std::uint8_t kShiftInByte = 0x0F;

bool IsBinary(std::uint8_t b)
{
    return b < 8 || b == 0xFF;
}

bool IsHigh(std::uint8_t b)
{
    return b >= 0x80;
}

bool IsLineBreak(std::uint8_t b)
{
    return b == '\r' || b == '\n';
}

bool IsCr(std::uint8_t b)
{
    return b == '\r';
}

bool IsLf(std::uint8_t b)
{
    return b == '\n';
}

// Whether bytes[i] is a break that does not belong to one of the kind kept.
bool IsOtherBreak(const std::uint8_t* bytes, std::size_t i, std::size_t end, TKeptBreak kept)
{
    const std::uint8_t b = bytes[i];
    switch (kept) {
    case TKeptBreak::kbLf:
        return b == '\r';
    case TKeptBreak::kbCr:
        return b == '\n';
    default:
        return (b == '\r' && (i + 1 == end || bytes[i + 1] != '\n'))
            || (b == '\n' && (i == 0 || bytes[i - 1] != '\r'));
    }
}

#if defined(__SSE2__)
int EqualMask(__m128i v, std::uint8_t c)
{
    return _mm_movemask_epi8(_mm_cmpeq_epi8(v, _mm_set1_epi8(static_cast<char>(c))));
}

int AtMostMask(__m128i v, std::uint8_t limit)
{
    return _mm_movemask_epi8(_mm_cmpeq_epi8(_mm_min_epu8(v, _mm_set1_epi8(static_cast<char>(limit))), v));
}

int BinaryMask(__m128i v)
{
    return AtMostMask(v, 7) | EqualMask(v, 0xFF);
}

int HighMask(__m128i v)
{
    return _mm_movemask_epi8(v);
}

int RuleStartMask(__m128i v)
{
    return HighMask(v) | AtMostMask(v, 7) | EqualMask(v, kEscByte) | EqualMask(v, kShiftOutByte)
        | EqualMask(v, kShiftInByte);
}

int LineBreakMask(__m128i v)
{
    return EqualMask(v, '\r') | EqualMask(v, '\n');
}

int CrMask(__m128i v)
{
    return EqualMask(v, '\r');
}

int LfMask(__m128i v)
{
    return EqualMask(v, '\n');
}

// The breaks other than the one kept among the sixteen bytes at p, which has a byte before and after it.
int OtherBreakMask(const std::uint8_t* p, __m128i v, TKeptBreak kept)
{
    switch (kept) {
    case TKeptBreak::kbLf:
        return EqualMask(v, '\r');
    case TKeptBreak::kbCr:
        return EqualMask(v, '\n');
    default: {
        const int lfAfter = EqualMask(_mm_loadu_si128(reinterpret_cast<const __m128i*>(p + 1)), '\n');
        const int crBefore = EqualMask(_mm_loadu_si128(reinterpret_cast<const __m128i*>(p - 1)), '\r');
        return (EqualMask(v, '\r') & ~lfAfter) | (EqualMask(v, '\n') & ~crBefore);
    }
    }
}
#endif

// Searches from `from` for a byte where stops(i) holds; masks(p) gives the same as bits for the sixteen bytes
// at p, which reads the byte before and after them. stops(0) reads no byte before the first.
template <class Stops, class Masks>
[[gnu::always_inline]] inline std::size_t FindAroundBreaks(
    std::size_t from, std::size_t end, const std::uint8_t* bytes, Stops stops, [[maybe_unused]] Masks masks)
{
    if (from == 0 && end > 0 && stops(0)) {
        return 0;
    }
    std::size_t i = from == 0 ? std::min<std::size_t>(1, end) : from;
#if defined(__SSE2__)
    while (i + 17 <= end) {
        const auto bits = static_cast<unsigned>(masks(bytes + i));
        if (bits != 0) {
            return i + static_cast<std::size_t>(__builtin_ctz(bits));
        }
        i += 16;
    }
#endif
    while (i < end && !stops(i)) {
        ++i;
    }
    return i;
}

// mask and hit must agree: mask gives the hits of a 16-byte block as bits, hit tests one byte.
// Always inlined, so that mask and hit, passed as function pointers, are inlined in turn.
template <class Mask, class Hit>
[[gnu::always_inline]] inline std::size_t FindFirst(
    const std::uint8_t* bytes, std::size_t from, std::size_t end, [[maybe_unused]] Mask mask, Hit hit)
{
#if defined(__SSE2__)
    while (from + 16 <= end) {
        const auto bits
            = static_cast<unsigned>(mask(_mm_loadu_si128(reinterpret_cast<const __m128i*>(bytes + from))));
        if (bits != 0) {
            return from + static_cast<std::size_t>(__builtin_ctz(bits));
        }
        from += 16;
    }
    // The tail is searched as the sixteen bytes that end at end, which lie within bytes[0, end) and overlap
    // bytes already searched or lying before from: short searches inside lines cost one block too.
    if (from < end && end >= 16) {
        const std::size_t last = end - 16;
        const auto bits
            = static_cast<unsigned>(mask(_mm_loadu_si128(reinterpret_cast<const __m128i*>(bytes + last))))
            >> (from - last);
        return bits != 0 ? from + static_cast<std::size_t>(__builtin_ctz(bits)) : end;
    }
#endif
    while (from < end && !hit(bytes[from])) {
        ++from;
    }
    return from;
}

} // namespace

#if defined(__SSE2__)
#define BRENVIK_MASK(name) name
#else
#define BRENVIK_MASK(name) nullptr
#endif

std::size_t FindBinaryByte(const std::uint8_t* bytes, std::size_t from, std::size_t end)
{
    return FindFirst(bytes, from, end, BRENVIK_MASK(BinaryMask), IsBinary);
}

std::size_t FindHighByte(const std::uint8_t* bytes, std::size_t from, std::size_t end)
{
    return FindFirst(bytes, from, end, BRENVIK_MASK(HighMask), IsHigh);
}

std::size_t CopySevenBitRun(const std::uint8_t* bytes, std::size_t from, std::size_t end, char* out)
{
    const std::size_t begin = from;
#if defined(__SSE2__)
    // Sixteen bytes are copied before they are tested: the room for the run holds them.
    while (from + 16 <= end) {
        const __m128i v = _mm_loadu_si128(reinterpret_cast<const __m128i*>(bytes + from));
        _mm_storeu_si128(reinterpret_cast<__m128i*>(out + (from - begin)), v);
        const auto bits = static_cast<unsigned>(HighMask(v));
        if (bits != 0) {
            return from + static_cast<std::size_t>(__builtin_ctz(bits));
        }
        from += 16;
    }
#endif
    while (from < end && !IsHigh(bytes[from])) {
        out[from - begin] = static_cast<char>(bytes[from]);
        ++from;
    }
    return from;
}

std::size_t FindRuleStartByte(const std::uint8_t* bytes, std::size_t from, std::size_t end)
{
    return FindFirst(bytes, from, end, BRENVIK_MASK(RuleStartMask), IsRuleStartByte);
}

std::size_t FindLineBreakByte(const std::uint8_t* bytes, std::size_t from, std::size_t end)
{
    return FindFirst(bytes, from, end, BRENVIK_MASK(LineBreakMask), IsLineBreak);
}

std::size_t FindLineStart(const std::uint8_t* bytes, std::size_t from, std::size_t end)
{
#if defined(__SSE2__)
    while (end >= from + 16) {
        const auto bits = static_cast<unsigned>(
            LineBreakMask(_mm_loadu_si128(reinterpret_cast<const __m128i*>(bytes + end - 16))));
        if (bits != 0) {
            return end - 16 + static_cast<std::size_t>(32 - __builtin_clz(bits));
        }
        end -= 16;
    }
#endif
    while (end > from && !IsLineBreak(bytes[end - 1])) {
        --end;
    }
    return end;
}

std::size_t FindRuleStartOrOtherBreak(
    const std::uint8_t* bytes, std::size_t from, std::size_t end, TKeptBreak kept)
{
    return FindAroundBreaks(
        from, end, bytes,
        [&](std::size_t i) { return IsRuleStartByte(bytes[i]) || IsOtherBreak(bytes, i, end, kept); },
        [&]([[maybe_unused]] const std::uint8_t* p) {
#if defined(__SSE2__)
            const __m128i v = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p));
            return RuleStartMask(v) | OtherBreakMask(p, v, kept);
#else
            return 0;
#endif
        });
}

bool AllBreaksKept(const std::uint8_t* bytes, std::size_t end, TKeptBreak kept)
{
    switch (kept) {
    case TKeptBreak::kbLf:
        return FindFirst(bytes, 0, end, BRENVIK_MASK(CrMask), IsCr) == end;
    case TKeptBreak::kbCr:
        return FindFirst(bytes, 0, end, BRENVIK_MASK(LfMask), IsLf) == end;
    default:
        break;
    }
    // Every LF must follow a CR and every CR come before an LF: the LF bits are the CR bits moved on by one.
    std::size_t i = 0;
    bool crBefore = false;
#if defined(__SSE2__)
    for (; i + 16 <= end; i += 16) {
        const __m128i v = _mm_loadu_si128(reinterpret_cast<const __m128i*>(bytes + i));
        const auto crs = static_cast<unsigned>(CrMask(v));
        const auto lfs = static_cast<unsigned>(LfMask(v));
        if (lfs != (((crs << 1) | static_cast<unsigned>(crBefore)) & 0xFFFFu)) {
            return false;
        }
        crBefore = (crs >> 15) != 0;
    }
#endif
    for (; i < end; ++i) {
        if (IsLf(bytes[i]) != crBefore) {
            return false;
        }
        crBefore = IsCr(bytes[i]);
    }
    return !crBefore;
}

} // namespace brenvik::jcode_detail
