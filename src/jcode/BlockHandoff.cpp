#include "jcode/BlockHandoff.h"

namespace brenvik {

void TBlockHandoff::Put(TBlock&& block)
{
    {
        const std::lock_guard lock(mutex_);
        blocks_.push_back(std::move(block));
    }
    given_.notify_one();
}

void TBlockHandoff::Give(std::string&& block)
{
    Put({std::move(block), {}});
}

void TBlockHandoff::Give(std::string_view run)
{
    Put({{}, run});
}

void TBlockHandoff::Close()
{
    {
        const std::lock_guard lock(mutex_);
        closed_ = true;
    }
    given_.notify_one();
}

std::string TBlockHandoff::Spare()
{
    const std::lock_guard lock(mutex_);
    if (spares_.empty()) {
        return {};
    }
    std::string spare = std::move(spares_.back());
    spares_.pop_back();
    return spare;
}

void TBlockHandoff::WriteAll(const std::function<void(std::string_view)>& write)
{
    std::unique_lock lock(mutex_);
    for (;;) {
        given_.wait(lock, [&] { return !blocks_.empty() || closed_; });
        if (blocks_.empty()) {
            return;
        }
        TBlock block = std::move(blocks_.front());
        blocks_.pop_front();
        lock.unlock();
        write(block.owned.empty() ? block.run : std::string_view(block.owned));
        lock.lock();
        if (!block.owned.empty()) {
            block.owned.clear();
            spares_.push_back(std::move(block.owned));
        }
    }
}

} // namespace brenvik
