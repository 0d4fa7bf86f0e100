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
            SlabNext = static_cast<char*>(std::aligned_alloc(kSlabSize, kSlabSize));
            if (!SlabNext)
                throw std::bad_alloc();
            madvise(SlabNext, kSlabSize, MADV_HUGEPAGE);
            SlabEnd = SlabNext + kSlabSize;
        }
        void* buffer = SlabNext;
        SlabNext += size;
        return buffer;
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

void FreeBlockBuffer(void* buffer, std::size_t size)
{
    int sizeClass = SizeClass(size);
    if (sizeClass < 0)
        ::operator delete(buffer);
    else
        ThePool().Give(buffer, sizeClass);
}

} // namespace brenvik
