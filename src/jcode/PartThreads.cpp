#include "jcode/PartThreads.h"

#include <chrono>

namespace brenvik {

namespace {

// How long a thread goes on looking for the next pass before it sleeps.
constexpr auto kAwake = std::chrono::milliseconds(2);

} // namespace

TPartThreads& TPartThreads::Shared()
{
    static TPartThreads threads;
    return threads;
}

TPartThreads::~TPartThreads()
{
    {
        const std::lock_guard lock(mutex_);
        stopping_ = true;
    }
    started_.notify_all();
    for (std::thread& thread : threads_) {
        thread.join();
    }
}

void TPartThreads::MakeThreads(std::size_t count)
{
    while (threads_.size() + 1 < count) {
        threads_.emplace_back(&TPartThreads::Serve, this, threads_.size() + 1, pass_.load());
    }
}

void TPartThreads::Prepare(std::size_t count)
{
    const std::lock_guard pass(passLock_);
    const std::lock_guard lock(mutex_);
    MakeThreads(count);
}

void TPartThreads::Run(std::size_t count, const std::function<void(std::size_t)>& work)
{
    if (count <= 1) {
        work(0); // a small text: no thread is woken for nothing
        return;
    }
    const std::lock_guard pass(passLock_);
    {
        const std::lock_guard lock(mutex_);
        // Made before the pass is told, so that a thread that cannot be made leaves no pass behind.
        MakeThreads(count);
        work_ = &work;
        count_ = count;
        running_ = count - 1;
        ++pass_;
    }
    started_.notify_all();
    work(0);
    std::unique_lock lock(mutex_);
    finished_.wait(lock, [&] { return running_ == 0; });
    work_ = nullptr;
}

// Whether a pass after `seen` began (else the threads are stopping): looked for without a lock for a moment,
// then waited for.
bool TPartThreads::WaitForPass(std::uint64_t seen)
{
    const auto until = std::chrono::steady_clock::now() + kAwake;
    while (pass_.load() == seen && !stopping_.load() && std::chrono::steady_clock::now() < until) {
        std::this_thread::yield();
    }
    std::unique_lock lock(mutex_);
    started_.wait(lock, [&] { return pass_.load() != seen || stopping_.load(); });
    return !stopping_.load();
}

void TPartThreads::Serve(std::size_t index, std::uint64_t seen)
{
    while (WaitForPass(seen)) {
        std::size_t count = 0;
        const std::function<void(std::size_t)>* work = nullptr;
        {
            const std::lock_guard lock(mutex_);
            seen = pass_.load();
            count = count_;
            work = work_;
        }
        if (index >= count) {
            continue;
        }
        (*work)(index);
        {
            const std::lock_guard lock(mutex_);
            --running_;
        }
        finished_.notify_one();
    }
}

} // namespace brenvik
