// The threads that work on the later parts of a text side by side (ForEachTextPart), kept from one pass to
// the next. A thread that goes on waiting for work for a moment after a pass keeps its processor awake:
// on a virtual machine a processor that has gone idle can take milliseconds to start a new thread's work,
// and the next pass (the conversion after the vote) follows at once.
#pragma once

#include <atomic>
#include <condition_variable>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <mutex>
#include <thread>
#include <vector>

namespace brenvik {

class TPartThreads {
public:
    // The threads of the process, made as passes need them.
    static TPartThreads& Shared();
    ~TPartThreads();

    // Makes the threads a pass of count parts needs, ahead of it: they are awake when it comes.
    void Prepare(std::size_t count);
    // Runs work(index) for every index in [1, count) on a thread of its own while the calling thread runs
    // work(0), and returns when all have returned. work must not throw, nor run another pass.
    void Run(std::size_t count, const std::function<void(std::size_t index)>& work);

private:
    void MakeThreads(std::size_t count);
    void Serve(std::size_t index, std::uint64_t seen);
    bool WaitForPass(std::uint64_t seen);

    std::mutex passLock_; // one pass at a time
    std::mutex mutex_;
    std::condition_variable started_;
    std::condition_variable finished_;
    std::atomic<std::uint64_t> pass_ {0};
    std::atomic<bool> stopping_ {false};
    const std::function<void(std::size_t)>* work_ = nullptr;
    std::size_t count_ = 0;
    std::size_t running_ = 0;
    std::vector<std::thread> threads_; // thread i serves index i + 1
};

} // namespace brenvik
