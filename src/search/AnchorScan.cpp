// Anchor tests over 64 positions at once with SSE2 compares (every x86-64 has them); the end of the text,
// where a vector load would read past the buffer, is tested byte by byte.
#include "search/AnchorScan.h"

#include <algorithm>
#include <cstring>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace brenvik {

namespace {

constexpr std::int64_t BlockSize = 64;

std::uint64_t BitsUpTo(std::int64_t count)
{
    return count >= BlockSize ? ~std::uint64_t {0} : (std::uint64_t {1} << count) - 1;
}

#if defined(__SSE2__)

constexpr int Lanes = BlockSize / 16;

__m128i Load(const std::uint8_t* at)
{
    return _mm_loadu_si128(reinterpret_cast<const __m128i*>(at));
}

__m128i Wanted(const std::uint8_t (&bytes)[16])
{
    return _mm_load_si128(reinterpret_cast<const __m128i*>(bytes));
}

std::uint64_t LaneBits(__m128i hits, int lane)
{
    return static_cast<std::uint64_t>(static_cast<std::uint16_t>(_mm_movemask_epi8(hits))) << (16 * lane);
}

struct TGenericKernel {
    const TSearchAnchor& Anchor;
    const std::uint8_t (&Wanted)[4][3][8][16];

    std::uint64_t operator()(const std::uint8_t* at) const
    {
        std::uint64_t bits = 0;
        for (int lane = 0; lane < Lanes; ++lane) {
            __m128i any = _mm_setzero_si128();
            for (int s = 0; s < Anchor.Count; ++s) {
                const TAnchorSpelling& spelling = Anchor.Spellings[s];
                __m128i all = _mm_set1_epi8(-1);
                for (int t = 0; t < spelling.Count; ++t) {
                    const TByteTest& test = spelling.Tests[t];
                    const __m128i bytes = Load(at + test.Offset + 16 * lane);
                    __m128i hit = _mm_setzero_si128();
                    for (int b = 0; b < test.Count; ++b)
                        hit = _mm_or_si128(hit, _mm_cmpeq_epi8(bytes, brenvik::Wanted(Wanted[s][t][b])));
                    all = _mm_and_si128(all, hit);
                }
                any = _mm_or_si128(any, all);
            }
            bits |= LaneBits(any, lane);
        }
        return bits;
    }
};

// Blocks from base upward, all of whose loads stay inside the text, until one holds an anchor.
template <class TKernel>
std::int64_t NextVectorBlock(
    const TKernel& kernel, const std::uint8_t* data, std::int64_t base, std::int64_t end, std::uint64_t& bits)
{
    for (; base < end; base += BlockSize) {
        bits = kernel(data + base);
        if (bits != 0)
            return base;
    }
    return base;
}

#endif

} // namespace

#if defined(__SSE2__)

// A test of at most two bytes: its first byte stands in for a missing second.
struct TPairKernel {
    __m128i First0, First1, Second0, Second1;
    std::int64_t Distance;

    std::uint64_t operator()(const std::uint8_t* at) const
    {
        std::uint64_t bits = 0;
        for (int lane = 0; lane < Lanes; ++lane) {
            const __m128i first = Load(at + 16 * lane);
            const __m128i second = Load(at + Distance + 16 * lane);
            const __m128i hits = _mm_and_si128(
                _mm_or_si128(_mm_cmpeq_epi8(first, First0), _mm_cmpeq_epi8(first, First1)),
                _mm_or_si128(_mm_cmpeq_epi8(second, Second0), _mm_cmpeq_epi8(second, Second1)));
            bits |= LaneBits(hits, lane);
        }
        return bits;
    }
};

#endif

TAnchorScan::TAnchorScan(const TSearchText& text, const TSearchAnchor& anchor)
    : text_(text)
    , anchor_(anchor)
{
    for (int s = 0; s < anchor.Count; ++s) {
        const TAnchorSpelling& spelling = anchor.Spellings[s];
        for (int t = 0; t < spelling.Count; ++t) {
            for (int b = 0; b < spelling.Tests[t].Count; ++b)
                std::memset(wanted_[s][t][b], spelling.Tests[t].Bytes[b], sizeof wanted_[s][t][b]);
        }
    }
    const TAnchorSpelling& first = anchor.Spellings[0];
    pair_ = anchor.Count == 1 && first.Count >= 1 && first.Count <= 2
        && std::all_of(first.Tests.begin(), first.Tests.begin() + first.Count,
            [](const TByteTest& test) { return test.Count >= 1 && test.Count <= 2; });
}

bool TAnchorScan::HoldsAt(std::int64_t pos) const
{
    for (int s = 0; s < anchor_.Count; ++s) {
        const TAnchorSpelling& spelling = anchor_.Spellings[s];
        bool holds = true;
        for (int t = 0; t < spelling.Count && holds; ++t)
            holds = spelling.Tests[t].Holds(text_.At(pos + spelling.Tests[t].Offset));
        if (holds)
            return true;
    }
    return false;
}

std::uint64_t TAnchorScan::ScalarBlock(std::int64_t base) const
{
    std::uint64_t bits = 0;
    for (int i = 0; i < BlockSize; ++i)
        bits |= static_cast<std::uint64_t>(HoldsAt(base + i)) << i;
    return bits;
}

#if defined(__SSE2__)

TPairKernel TAnchorScan::PairKernel() const
{
    const TAnchorSpelling& spelling = anchor_.Spellings[0];
    const int second = spelling.Count - 1;
    return {Wanted(wanted_[0][0][0]), Wanted(wanted_[0][0][spelling.Tests[0].Count - 1]),
        Wanted(wanted_[0][second][0]), Wanted(wanted_[0][second][spelling.Tests[second].Count - 1]),
        spelling.Tests[second].Offset};
}

#endif

std::uint64_t TAnchorScan::BlockAt(std::int64_t base) const
{
#if defined(__SSE2__)
    if (base + BlockSize + anchor_.Reach <= text_.Length()) {
        const std::uint8_t* at = text_.Data() + base;
        return pair_ ? PairKernel()(at) : TGenericKernel {anchor_, wanted_}(at);
    }
#endif
    return ScalarBlock(base);
}

std::int64_t TAnchorScan::NextBlock(std::int64_t base, std::int64_t last, std::uint64_t& bits) const
{
#if defined(__SSE2__)
    // Whole blocks that end by last and whose loads stay inside the text run in a tight loop.
    const std::int64_t vectorEnd = std::min(text_.Length() - anchor_.Reach - BlockSize + 1, last - BlockSize + 2);
    if (base < vectorEnd) {
        const std::uint8_t* data = text_.Data();
        base = pair_ ? NextVectorBlock(PairKernel(), data, base, vectorEnd, bits)
                     : NextVectorBlock(TGenericKernel {anchor_, wanted_}, data, base, vectorEnd, bits);
        if (base < vectorEnd)
            return base;
    }
#endif
    for (; base <= last; base += BlockSize) {
        bits = BlockAt(base) & BitsUpTo(last - base + 1);
        if (bits != 0)
            return base;
    }
    return base;
}

std::int64_t TAnchorScan::PreviousBlock(std::int64_t top, std::int64_t first, std::uint64_t& bits) const
{
    for (; top >= first; top -= BlockSize) {
        std::int64_t base = top - BlockSize + 1;
        if (base >= first) {
            bits = BlockAt(base);
        } else {
            // The lowest block is cut at first.
            base = first;
            bits = BlockAt(base) & BitsUpTo(top - base + 1);
        }
        if (bits != 0)
            return base;
    }
    return first - 1;
}

} // namespace brenvik
