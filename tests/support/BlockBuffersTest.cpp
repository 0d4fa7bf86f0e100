// Block buffers taken from slabs made ready beforehand on another thread: every buffer is memory
// of its own, whatever mix of sizes is taken, before and after the ready slabs run out.
#include "support/BlockBuffers.h"

#include <gtest/gtest.h>

#include <cstring>
#include <random>
#include <thread>
#include <utility>
#include <vector>

namespace brenvik {
namespace {

TEST(BlockBuffers, BuffersFromPreparedSlabsNeverOverlap)
{
    std::thread([] { PrepareBlockBuffers(6u << 20); }).join();
    std::mt19937 random(34);
    const std::size_t sizes[] = {10000, 16384, 30000, 65536, 100000, 131072};
    std::vector<std::pair<unsigned char*, std::size_t>> taken;
    std::size_t total = 0;
    // Past the prepared slabs, into new ones.
    while (total < (12u << 20)) {
        const std::size_t size = sizes[random() % std::size(sizes)];
        auto* buffer = static_cast<unsigned char*>(AllocateBlockBuffer(size));
        std::memset(buffer, static_cast<int>(taken.size() % 251), size);
        taken.emplace_back(buffer, size);
        total += size;
    }
    for (std::size_t i = 0; i < taken.size(); ++i) {
        const auto [buffer, size] = taken[i];
        const auto mark = static_cast<unsigned char>(i % 251);
        ASSERT_EQ(buffer[0], mark) << i;
        ASSERT_EQ(buffer[size / 2], mark) << i;
        ASSERT_EQ(buffer[size - 1], mark) << i;
    }
    for (const auto& [buffer, size] : taken)
        FreeBlockBuffer(buffer, size);
}

} // namespace
} // namespace brenvik
