// Memory for the byte buffers of row blocks, taken from huge-page slabs.
#pragma once

#include <cstddef>
#include <string>

namespace brenvik {

// Buffers of 16 to 128 KB come from 2 MB slabs that the kernel may back with huge pages, and
// freed ones are kept for reuse: filling a million rows then costs a few page faults instead
// of one per 4 KB (about 3 us each on a virtual machine, more than the load itself). Other
// sizes go to the ordinary heap.
void* AllocateBlockBuffer(std::size_t size);
void FreeBlockBuffer(void* buffer, std::size_t size);
// Makes slabs for about bytes of buffers ready, faulted in on the calling thread, so that a thread
// that must not wait (the window's, copying a large text) finds the memory there: a fault in a
// huge page may wait for the kernel to compact memory (measured: up to 70 ms for 30 MB).
void PrepareBlockBuffers(std::size_t bytes);

template <typename T> struct TBlockAllocator {
    using value_type = T;
    TBlockAllocator() = default;
    template <typename U> TBlockAllocator(const TBlockAllocator<U>&) { }
    T* allocate(std::size_t count) { return static_cast<T*>(AllocateBlockBuffer(count * sizeof(T))); }
    void deallocate(T* buffer, std::size_t count) { FreeBlockBuffer(buffer, count * sizeof(T)); }
    template <typename U> bool operator==(const TBlockAllocator<U>&) const { return true; }
};

using TBlockBytes = std::basic_string<char, std::char_traits<char>, TBlockAllocator<char>>;

} // namespace brenvik
