// Anchor tests over 64 positions at once with SSE2 compares (every x86-64 has them); the end of the text,
// where a vector load would read past the buffer, is tested byte by byte.
#include "search/AnchorScan.h"

#include <algorithm>
#include <cstring>

#if defined(__SSE2__)
#include <emmintrin.h>
#include <immintrin.h>
#endif

namespace brenvik {

namespace {

constexpr std::int64_t BlockSize = 64;
// The byte-mask kernel takes tests at offsets below 16, and reads up to 32 bytes beyond its block for them.
constexpr std::int64_t ByteMaskOffsets = 16;
constexpr std::int64_t ByteMaskReach = 32;

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

__m128i Splat(const std::uint8_t (&bytes)[16])
{
    return _mm_load_si128(reinterpret_cast<const __m128i*>(bytes));
}

std::uint64_t MoveMask(__m128i hits)
{
    return static_cast<std::uint16_t>(_mm_movemask_epi8(hits));
}

#endif

} // namespace

#if defined(__SSE2__)

// One spelling of one or two tests of one or two bytes each (a test's first byte stands in for a missing
// second): the case-sensitive and case-blind searches, with the fewest instructions.
struct TPairKernel {
    __m128i First0, First1, Second0, Second1;
    std::int64_t FirstOffset, SecondOffset;

    std::uint64_t operator()(const std::uint8_t* at) const
    {
        std::uint64_t bits = 0;
        for (int lane = 0; lane < Lanes; ++lane) {
            const __m128i first = Load(at + FirstOffset + 16 * lane);
            const __m128i second = Load(at + SecondOffset + 16 * lane);
            const __m128i hits
                = _mm_and_si128(_mm_or_si128(_mm_cmpeq_epi8(first, First0), _mm_cmpeq_epi8(first, First1)),
                    _mm_or_si128(_mm_cmpeq_epi8(second, Second0), _mm_cmpeq_epi8(second, Second1)));
            bits |= MoveMask(hits) << (16 * lane);
        }
        return bits;
    }
};

// Any anchor whose tests lie within 16 bytes: each distinct byte is compared once over the block and the
// next 16 bytes, and the tests are put together from those masks with shifts.
struct TByteMaskKernel {
    const TSearchAnchor& Anchor;
    const std::uint8_t (&Wanted)[TAnchorScan::MaxDistinctBytes][16];
    int Distinct;
    const std::uint64_t (&Accepts)[4][3];

    std::uint64_t operator()(const std::uint8_t* at) const
    {
        __m128i bytes[Lanes + 1];
        for (int lane = 0; lane <= Lanes; ++lane)
            bytes[lane] = Load(at + 16 * lane);
        std::uint64_t low[TAnchorScan::MaxDistinctBytes];
        std::uint64_t high[TAnchorScan::MaxDistinctBytes];
        for (int d = 0; d < Distinct; ++d) {
            const __m128i wanted = Splat(Wanted[d]);
            std::uint64_t mask = 0;
            for (int lane = 0; lane < Lanes; ++lane)
                mask |= MoveMask(_mm_cmpeq_epi8(bytes[lane], wanted)) << (16 * lane);
            low[d] = mask;
            high[d] = MoveMask(_mm_cmpeq_epi8(bytes[Lanes], wanted));
        }
        return Combine(low, high);
    }

    // Bit i of low[d] tells whether distinct byte d stands at i; bit i of high[d] whether it stands at 64 +
    // i.
    std::uint64_t Combine(const std::uint64_t* low, const std::uint64_t* high) const
    {
        std::uint64_t bits = 0;
        for (int s = 0; s < Anchor.Count; ++s) {
            const TAnchorSpelling& spelling = Anchor.Spellings[s];
            std::uint64_t all = ~std::uint64_t {0};
            for (int t = 0; t < spelling.Count; ++t) {
                std::uint64_t lowHits = 0;
                std::uint64_t highHits = 0;
                for (std::uint64_t accepts = Accepts[s][t]; accepts != 0; accepts &= accepts - 1) {
                    const int d = std::countr_zero(accepts);
                    lowHits |= low[d];
                    highHits |= high[d];
                }
                const auto offset = static_cast<int>(spelling.Tests[t].Offset);
                all &= offset == 0 ? lowHits : lowHits >> offset | highHits << (64 - offset);
            }
            bits |= all;
        }
        return bits;
    }
};

#if defined(__x86_64__) && defined(__GNUC__)

__attribute__((target("avx2"))) __m256i LoadWide(const std::uint8_t* at)
{
    return _mm256_loadu_si256(reinterpret_cast<const __m256i*>(at));
}

__attribute__((target("avx2"))) std::uint64_t WideMask(__m256i bytes, __m256i wanted)
{
    return static_cast<std::uint32_t>(_mm256_movemask_epi8(_mm256_cmpeq_epi8(bytes, wanted)));
}

// The byte-mask kernel with 32-byte compares, where the processor has them: two thirds of the compares.
__attribute__((target("avx2"))) std::int64_t NextByteMaskBlockWide(const TByteMaskKernel& kernel,
    const std::uint8_t* data, std::int64_t base, std::int64_t end, std::uint64_t& bits)
{
    for (; base < end; base += BlockSize) {
        const std::uint8_t* at = data + base;
        const __m256i first = LoadWide(at);
        const __m256i second = LoadWide(at + 32);
        const __m256i after = LoadWide(at + 64);
        std::uint64_t low[TAnchorScan::MaxDistinctBytes];
        std::uint64_t high[TAnchorScan::MaxDistinctBytes];
        for (int d = 0; d < kernel.Distinct; ++d) {
            const __m256i wanted = _mm256_set1_epi8(static_cast<char>(kernel.Wanted[d][0]));
            low[d] = WideMask(first, wanted) | WideMask(second, wanted) << 32;
            high[d] = WideMask(after, wanted);
        }
        bits = kernel.Combine(low, high);
        if (bits != 0)
            return base;
    }
    return base;
}

// The pair kernel with 32-byte compares.
__attribute__((target("avx2"))) std::int64_t NextPairBlockWide(const TPairKernel& kernel,
    const std::uint8_t* data, std::int64_t base, std::int64_t end, std::uint64_t& bits)
{
    const auto splat = [](__m128i bytes) { return static_cast<char>(_mm_cvtsi128_si32(bytes)); };
    const __m256i first0 = _mm256_set1_epi8(splat(kernel.First0));
    const __m256i first1 = _mm256_set1_epi8(splat(kernel.First1));
    const __m256i second0 = _mm256_set1_epi8(splat(kernel.Second0));
    const __m256i second1 = _mm256_set1_epi8(splat(kernel.Second1));
    for (; base < end; base += BlockSize) {
        const std::uint8_t* at = data + base;
        bits = 0;
        for (int half = 0; half < 2; ++half) {
            const __m256i first = LoadWide(at + kernel.FirstOffset + 32 * half);
            const __m256i second = LoadWide(at + kernel.SecondOffset + 32 * half);
            const __m256i hits = _mm256_and_si256(
                _mm256_or_si256(_mm256_cmpeq_epi8(first, first0), _mm256_cmpeq_epi8(first, first1)),
                _mm256_or_si256(_mm256_cmpeq_epi8(second, second0), _mm256_cmpeq_epi8(second, second1)));
            bits |= static_cast<std::uint64_t>(static_cast<std::uint32_t>(_mm256_movemask_epi8(hits)))
                << (32 * half);
        }
        if (bits != 0)
            return base;
    }
    return base;
}

bool HasWideCompares()
{
    static const bool has = __builtin_cpu_supports("avx2");
    return has;
}

#endif

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

#else

struct TPairKernel { };
struct TByteMaskKernel { };

#endif

TAnchorScan::TAnchorScan(const TSearchText& text, const TSearchAnchor& anchor)
    : text_(text)
    , anchor_(anchor)
{
    std::uint8_t distinct[MaxDistinctBytes];
    bool named = true;
    for (int s = 0; s < anchor.Count; ++s) {
        const TAnchorSpelling& spelling = anchor.Spellings[s];
        for (int t = 0; t < spelling.Count; ++t) {
            const TByteTest& test = spelling.Tests[t];
            for (int b = 0; b < test.Count; ++b) {
                const auto found = std::find(distinct, distinct + distinct_, test.Bytes[b]) - distinct;
                if (found == MaxDistinctBytes) {
                    named = false;
                    continue;
                }
                if (found == distinct_) {
                    distinct[distinct_] = test.Bytes[b];
                    std::memset(wanted_[distinct_++], test.Bytes[b], sizeof wanted_[0]);
                }
                accepts_[s][t] |= std::uint64_t {1} << found;
            }
        }
    }
#if defined(__SSE2__)
    const TAnchorSpelling& first = anchor.Spellings[0];
    const bool pair = anchor.Count == 1 && first.Count <= 2
        && std::all_of(first.Tests.begin(), first.Tests.begin() + first.Count,
            [](const TByteTest& test) { return test.Count >= 1 && test.Count <= 2; });
    if (pair)
        kernel_ = TKernel::Pair;
    else if (anchor.Count > 0 && named && anchor.Reach < ByteMaskOffsets)
        kernel_ = TKernel::ByteMask;
#endif
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
    const TByteTest& first = spelling.Tests[0];
    const TByteTest& second = spelling.Tests[spelling.Count - 1];
    const auto splat = [](std::uint8_t byte) { return _mm_set1_epi8(static_cast<char>(byte)); };
    return {splat(first.Bytes[0]), splat(first.Bytes[first.Count - 1]), splat(second.Bytes[0]),
        splat(second.Bytes[second.Count - 1]), first.Offset, second.Offset};
}

TByteMaskKernel TAnchorScan::ByteMaskKernel() const
{
    return {anchor_, wanted_, distinct_, accepts_};
}

#endif

std::int64_t TAnchorScan::VectorEnd() const
{
    if (kernel_ == TKernel::Scalar)
        return 0;
    const std::int64_t reach = kernel_ == TKernel::ByteMask ? ByteMaskReach : anchor_.Reach;
    return text_.Length() - BlockSize - reach + 1;
}

std::uint64_t TAnchorScan::BlockAt(std::int64_t base) const
{
#if defined(__SSE2__)
    if (base < VectorEnd()) {
        const std::uint8_t* at = text_.Data() + base;
        return kernel_ == TKernel::Pair ? PairKernel()(at) : ByteMaskKernel()(at);
    }
#endif
    return ScalarBlock(base);
}

std::int64_t TAnchorScan::NextBlock(std::int64_t base, std::int64_t last, std::uint64_t& bits) const
{
#if defined(__SSE2__)
    // Whole blocks that end by last and whose loads stay inside the text run in a tight loop.
    const std::int64_t end = std::min(last - BlockSize + 2, VectorEnd());
    if (base < end) {
        const std::uint8_t* data = text_.Data();
#if defined(__x86_64__) && defined(__GNUC__)
        if (HasWideCompares()) {
            base = kernel_ == TKernel::Pair ? NextPairBlockWide(PairKernel(), data, base, end, bits)
                                            : NextByteMaskBlockWide(ByteMaskKernel(), data, base, end, bits);
        } else
#endif
            base = kernel_ == TKernel::Pair ? NextVectorBlock(PairKernel(), data, base, end, bits)
                                            : NextVectorBlock(ByteMaskKernel(), data, base, end, bits);
        if (base < end)
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
