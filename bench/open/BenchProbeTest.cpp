// The figures the benches read about their own process.
#include "BenchProbe.h"

#include <gtest/gtest.h>
#include <cstdlib>
#include <ctime>
#include <string>
#include <sys/mman.h>

using namespace brenvik::bench;

namespace {

constexpr std::int64_t kMiB = 1024 * 1024;

TEST(BenchProbe, StartTicksCountFieldsAfterTheCommandName)
{
    // Field 22 is the 20th after the name; names may hold spaces and ')'.
    const std::string tail = " S 1 2 3 4 5 6 7 8 9 10 11 12 13 14 15 16 17 18 987654 19 20";
    EXPECT_EQ(StartTicksOfStat("42 (bench_open)" + tail), 987654);
    EXPECT_EQ(StartTicksOfStat("42 (a b) c)" + tail), 987654);
    EXPECT_EQ(StartTicksOfStat("42 (bench_open) S 1 2 3"), -1);
    EXPECT_EQ(StartTicksOfStat("no name here"), -1);
}

TEST(BenchProbe, AgeOfTheProcessComesFromTheHandedTimeOrTheKernel)
{
    unsetenv("BENCH_START_NS");
    const double sinceStart = MillisecondsSinceProcessStart();
    EXPECT_GE(sinceStart, -10.0); // the kernel's start time has 10 ms steps
    EXPECT_LT(sinceStart, 600000.0);

    timespec now{};
    clock_gettime(CLOCK_REALTIME, &now);
    const long long twoSecondsAgo = (now.tv_sec - 2) * 1000000000LL + now.tv_nsec;
    setenv("BENCH_START_NS", std::to_string(twoSecondsAgo).c_str(), 1);
    const double handed = MillisecondsSinceProcessStart();
    unsetenv("BENCH_START_NS");
    EXPECT_GE(handed, 2000.0);
    EXPECT_LT(handed, 2500.0);
}

TEST(BenchProbe, PeakFallsBackToTheResidentSizeWhenReset)
{
    const std::size_t size = 64 * kMiB;
    void* block = mmap(nullptr, size, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
    ASSERT_NE(block, MAP_FAILED);
    for (std::size_t offset = 0; offset < size; offset += 4096)
        static_cast<char*>(block)[offset] = 1;
    const TMemory touched = ReadMemory();
    munmap(block, size);
    const TMemory released = ReadMemory();
    EXPECT_GE(touched.ResidentBytes, 64 * kMiB);
    // The kernel counts resident pages in per-thread batches: the peak may trail by a few of them.
    EXPECT_GE(released.PeakBytes, touched.ResidentBytes - kMiB);
    EXPECT_LT(released.ResidentBytes, touched.ResidentBytes - 48 * kMiB);

    ASSERT_TRUE(ResetPeakMemory());
    const TMemory reset = ReadMemory();
    EXPECT_LT(reset.PeakBytes, released.ResidentBytes + 8 * kMiB);
    EXPECT_GE(reset.PeakBytes, reset.ResidentBytes);
}

TEST(BenchProbe, MedianOfOddAndEvenCounts)
{
    EXPECT_DOUBLE_EQ(Median({5, 1, 3}), 3);
    EXPECT_DOUBLE_EQ(Median({4, 1, 3, 2}), 2.5);
    EXPECT_DOUBLE_EQ(Median({7}), 7);
    EXPECT_DOUBLE_EQ(Median({}), 0);
}

} // namespace
