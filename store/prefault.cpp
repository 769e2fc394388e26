#include "store/prefault.h"

#include <cstdint>

#if defined(__linux__)
#include <sys/mman.h>
#include <unistd.h>
#endif

namespace quorbex {

void PrefaultForWriting(void* data, std::size_t bytes) {
#if defined(__linux__) && defined(MADV_POPULATE_WRITE)
    // Below this, faulting the pages in as they are touched costs no more.
    constexpr std::size_t SMALLEST = 64 * 1024;
    if (bytes < SMALLEST) {
        return;
    }
    static const auto pageSize = static_cast<std::uintptr_t>(::sysconf(_SC_PAGESIZE));
    // Only whole pages inside the block: the pages at its ends may hold other data.
    const auto start = reinterpret_cast<std::uintptr_t>(data);
    const std::uintptr_t first = (start + pageSize - 1) / pageSize * pageSize;
    const std::uintptr_t last = (start + bytes) / pageSize * pageSize;
    if (last > first) {
        ::madvise(reinterpret_cast<void*>(first), last - first, MADV_POPULATE_WRITE);
    }
#else
    (void)data;
    (void)bytes;
#endif
}

}  // namespace quorbex
