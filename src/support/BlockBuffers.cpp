// Size-class pool over 2 MB slabs advised for huge pages.
#include "support/BlockBuffers.h"

#include <array>
#include <cstdlib>
#include <mutex>
#include <new>
#include <vector>

#include <sys/mman.h>

namespace brenvik {

namespace {
constexpr std::size_t kSlabSize = 2 * 1024 * 1024;
constexpr std::size_t kSmallestClass = 16 * 1024;
constexpr int kClassCount = 4; // 16, 32, 64 and 128 KB

int SizeClass(std::size_t size)
{
    std::size_t classSize = kSmallestClass;
    for (int index = 0; index < kClassCount; ++index, classSize *= 2)
        if (size <= classSize)
            return index == 0 && size <= kSmallestClass / 2 ? -1 : index;
    return -1;
}

struct Pool {
    std::mutex Lock;
    std::array<std::vector<void*>, kClassCount> Free;
    std::vector<char*> Ready; // whole slabs faulted in beforehand
    char* SlabNext = nullptr;
    char* SlabEnd = nullptr;

    void* Take(int sizeClass)
    {
        std::lock_guard guard(Lock);
        std::vector<void*>& free = Free[sizeClass];
        if (!free.empty()) {
            void* buffer = free.back();
            free.pop_back();
            return buffer;
        }
        std::size_t size = kSmallestClass << sizeClass;
        if (SlabNext == nullptr || static_cast<std::size_t>(SlabEnd - SlabNext) < size) {
            // The slab's unused tail is given to the smaller classes rather than lost.
            for (int smaller = sizeClass - 1; smaller >= 0 && SlabNext; --smaller)
                while (static_cast<std::size_t>(SlabEnd - SlabNext) >= (kSmallestClass << smaller)) {
                    Free[smaller].push_back(SlabNext);
                    SlabNext += kSmallestClass << smaller;
                }
            if (!Ready.empty()) {
                SlabNext = Ready.back();
                Ready.pop_back();
            } else {
                SlabNext = NewSlab();
            }
            SlabEnd = SlabNext + kSlabSize;
        }
        void* buffer = SlabNext;
        SlabNext += size;
        return buffer;
    }

    static char* NewSlab()
    {
        auto* slab = static_cast<char*>(std::aligned_alloc(kSlabSize, kSlabSize));
        if (!slab)
            throw std::bad_alloc();
        madvise(slab, kSlabSize, MADV_HUGEPAGE);
        return slab;
    }

    void Prepare(std::size_t bytes)
    {
        const std::size_t wanted = bytes / kSlabSize + 1;
        std::size_t ready = 0;
        {
            std::lock_guard guard(Lock);
            ready = Ready.size();
        }
        for (; ready < wanted; ++ready) {
            char* slab = NewSlab();
            for (std::size_t page = 0; page < kSlabSize; page += 4096)
                slab[page] = 0;
            std::lock_guard guard(Lock);
            Ready.push_back(slab);
        }
    }

    void Give(void* buffer, int sizeClass)
    {
        std::lock_guard guard(Lock);
        Free[sizeClass].push_back(buffer);
    }
};

Pool& ThePool()
{
    static Pool* pool = new Pool; // never destroyed: buffers may be freed during static destruction
    return *pool;
}
} // namespace

void* AllocateBlockBuffer(std::size_t size)
{
    int sizeClass = SizeClass(size);
    return sizeClass < 0 ? ::operator new(size) : ThePool().Take(sizeClass);
}

void PrepareBlockBuffers(std::size_t bytes)
{
    ThePool().Prepare(bytes);
}

void FreeBlockBuffer(void* buffer, std::size_t size)
{
    int sizeClass = SizeClass(size);
    if (sizeClass < 0)
        ::operator delete(buffer);
    else
        ThePool().Give(buffer, sizeClass);
}

} // namespace brenvik
