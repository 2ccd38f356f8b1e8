#include "data/store/ByteBuffer.h"

#include <new>

#if defined(__linux__)
#include <sys/mman.h>
#endif

namespace vemo {

ByteBuffer::ByteBuffer(std::size_t capacity) {
    if (capacity == 0)
        return;
    // Refused before any sum is formed: the allocator would be asked for a wrapped size.
    if (capacity > kMaxCapacity)
        throw std::bad_alloc();
    void* bytes = nullptr;
#if defined(__linux__) && defined(MADV_HUGEPAGE)
    if (capacity >= 2 * kHugePage) {
        // Only whole huge pages are asked for: a huge page at the end would take 2 MB of memory
        // however little of it is used. kMaxCapacity is whole pages, so this cannot wrap.
        const std::size_t aligned = (capacity + kHugePage - 1) / kHugePage * kHugePage;
        bytes = std::aligned_alloc(kHugePage, aligned);
        // Only a hint: without huge pages the block works the same.
        if (bytes)
            madvise(bytes, capacity / kHugePage * kHugePage, MADV_HUGEPAGE);
    } else {
        bytes = std::malloc(capacity);
    }
#else
    bytes = std::malloc(capacity);
#endif
    if (!bytes)
        throw std::bad_alloc();
    bytes_.reset(static_cast<char*>(bytes));
    capacity_ = capacity;
}

} // namespace vemo
