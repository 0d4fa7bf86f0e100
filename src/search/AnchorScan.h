// Finds the positions of a text where a search anchor's byte tests hold, 64 positions at a time.
#pragma once

#include "search/SearchAnchor.h"
#include "search/SearchText.h"

#include <bit>
#include <cstdint>

namespace brenvik {

struct TPairKernel;
struct TByteMaskKernel;

class TAnchorScan {
public:
    TAnchorScan(const TSearchText& text, const TSearchAnchor& anchor);

    // Calls visit(q) for each anchor position q in [first, last], lowest first, until visit returns true;
    // returns whether it did. first must not be negative.
    template <class TVisit> bool Forward(std::int64_t first, std::int64_t last, TVisit visit) const
    {
        std::uint64_t bits = 0;
        for (std::int64_t base = NextBlock(first, last, bits); base <= last;
             base = NextBlock(base + 64, last, bits)) {
            for (; bits != 0; bits &= bits - 1) {
                if (visit(base + std::countr_zero(bits)))
                    return true;
            }
        }
        return false;
    }

    // The same, highest first.
    template <class TVisit> bool Backward(std::int64_t first, std::int64_t last, TVisit visit) const
    {
        std::uint64_t bits = 0;
        for (std::int64_t base = PreviousBlock(last, first, bits); base >= first;
             base = PreviousBlock(base - 1, first, bits)) {
            for (; bits != 0; bits &= ~(std::uint64_t {1} << (63 - std::countl_zero(bits)))) {
                if (visit(base + 63 - std::countl_zero(bits)))
                    return true;
            }
        }
        return false;
    }

    static constexpr int MaxDistinctBytes = 64;

private:
    // The first block of 64 positions from base on (bit i for base + i, positions past last cleared) that
    // holds an anchor; its base, or a value past last when none does.
    std::int64_t NextBlock(std::int64_t base, std::int64_t last, std::uint64_t& bits) const;
    // The nearest block ending at top or before it, not reaching below first; its base, or below first.
    std::int64_t PreviousBlock(std::int64_t top, std::int64_t first, std::uint64_t& bits) const;
    // Bit i set when the anchor holds at base + i.
    std::uint64_t BlockAt(std::int64_t base) const;
    std::uint64_t ScalarBlock(std::int64_t base) const;
    bool HoldsAt(std::int64_t pos) const;
    TPairKernel PairKernel() const;
    TByteMaskKernel ByteMaskKernel() const;
    // Blocks starting below this can be loaded as vectors.
    std::int64_t VectorEnd() const;

    enum class TKernel { Scalar, Pair, ByteMask };

    const TSearchText& text_;
    const TSearchAnchor& anchor_;
    TKernel kernel_ = TKernel::Scalar;
    // The distinct bytes of all tests, each repeated over a vector.
    alignas(16) std::uint8_t wanted_[MaxDistinctBytes][16] {};
    int distinct_ = 0;
    // Per spelling and test, bit i set when the test accepts distinct byte i.
    std::uint64_t accepts_[4][3] {};
};

} // namespace brenvik
