#include "platform/AllocatorPools.h"

#include <mutex>

// (after a C++ header, which says whether this is glibc)
#ifdef __GLIBC__
#include <malloc.h>
#endif

void AllocatorPools::keepSmall()
{
#ifdef __GLIBC__
    static std::once_flag once;
    std::call_once(once, [] {
        mallopt(M_MMAP_THRESHOLD, limit);
        mallopt(M_TRIM_THRESHOLD, limit);
    });
#endif
}

void AllocatorPools::trim()
{
#ifdef __GLIBC__
    malloc_trim(0);
#endif
}
