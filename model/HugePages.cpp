// Huge-page advice.
#include "model/HugePages.h"

#include <sys/mman.h>

#include <cstdint>

namespace model {

void adviseHugePages(void* p, std::size_t bytes)
{
#ifdef MADV_HUGEPAGE
    constexpr std::uintptr_t huge = std::uintptr_t(2) << 20;
    auto start = reinterpret_cast<std::uintptr_t>(p);
    std::uintptr_t first = (start + huge - 1) & ~(huge - 1);
    std::uintptr_t last = (start + bytes) & ~(huge - 1);
    if (p && last > first) {
        ::madvise(reinterpret_cast<void*>(first), last - first, MADV_HUGEPAGE);
    }
#else
    (void)p;
    (void)bytes;
#endif
}

}  // namespace model
