// The threads that parts of a text are worked on by, kept from pass to pass.
#include "jcode/TextParts.h"

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <mutex>
#include <set>
#include <stdexcept>
#include <thread>

using namespace brenvik;

namespace {

std::vector<std::size_t> Bounds(std::size_t parts)
{
    std::vector<std::size_t> bounds;
    for (std::size_t i = 0; i <= parts; ++i) {
        bounds.push_back(i * 10);
    }
    return bounds;
}

} // namespace

// Passes of changing sizes, one after the other as a conversion follows a vote: every part runs once, all
// parts of a pass at the same time (each waits until all have begun, which threads taking parts in turn
// would never reach), part 0 on the calling thread and the others each on a thread of its own.
TEST(ForEachTextPart, RunsEveryPartOnceAndAllAtOnce)
{
    for (const std::size_t parts : {2, 5, 1, 3, 8, 2, 2, 6}) {
        std::atomic<std::size_t> begun {0};
        std::mutex mutex;
        std::multiset<std::size_t> indexes;
        std::set<std::thread::id> threads;
        std::thread::id partZeroThread;
        bool allAtOnce = true;
        ForEachTextPart(Bounds(parts), [&](std::size_t index, std::size_t from, std::size_t to) {
            EXPECT_EQ(from, index * 10);
            EXPECT_EQ(to, from + 10);
            ++begun;
            const auto until = std::chrono::steady_clock::now() + std::chrono::seconds(5);
            while (begun.load() < parts && std::chrono::steady_clock::now() < until) {
                std::this_thread::yield();
            }
            const std::lock_guard lock(mutex);
            allAtOnce = allAtOnce && begun.load() == parts;
            indexes.insert(index);
            threads.insert(std::this_thread::get_id());
            if (index == 0) {
                partZeroThread = std::this_thread::get_id();
            }
        });
        EXPECT_TRUE(allAtOnce) << parts << " parts";
        EXPECT_EQ(indexes.size(), parts);
        EXPECT_EQ(std::set<std::size_t>(indexes.begin(), indexes.end()).size(), parts);
        EXPECT_EQ(threads.size(), parts);
        EXPECT_EQ(partZeroThread, std::this_thread::get_id());
    }
}

// A part that fails does not stop the others; the first failure comes out once all are done, and the
// threads serve the next pass.
TEST(ForEachTextPart, ThrowsWhatAPartThrewAfterAllAreDone)
{
    std::atomic<int> finished {0};
    EXPECT_THROW(ForEachTextPart(Bounds(4),
                     [&](std::size_t index, std::size_t, std::size_t) {
                         if (index == 2) {
                             throw std::runtime_error("part 2");
                         }
                         std::this_thread::sleep_for(std::chrono::milliseconds(20));
                         ++finished;
                     }),
        std::runtime_error);
    EXPECT_EQ(finished.load(), 3);
    std::atomic<int> next {0};
    ForEachTextPart(Bounds(3), [&](std::size_t, std::size_t, std::size_t) { ++next; });
    EXPECT_EQ(next.load(), 3);
}
