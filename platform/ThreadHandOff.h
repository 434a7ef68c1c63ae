#pragma once

// Marks a hand-off of data between threads that goes through Qt's own queues
// (its thread pool, queued and blocking calls). Qt's libraries are not built
// with ThreadSanitizer and their locks are futexes it cannot see, so without
// these marks everything handed over looks like a data race; with them the
// sanitizer knows what Qt guarantees: whatever one thread did before
// release(key) happens before whatever another thread does after a later
// acquire(key) with the same key. Outside a ThreadSanitizer build they are
// empty.

#if defined(__has_feature)
#if __has_feature(thread_sanitizer)
#define BRIGHTFOLD_TSAN 1
#endif
#endif
#if defined(__SANITIZE_THREAD__)
#define BRIGHTFOLD_TSAN 1
#endif

#ifdef BRIGHTFOLD_TSAN
#include <sanitizer/tsan_interface.h>
#endif

namespace ThreadHandOff {

inline void release([[maybe_unused]] const void* key)
{
#ifdef BRIGHTFOLD_TSAN
    __tsan_release(const_cast<void*>(key));
#endif
}

inline void acquire([[maybe_unused]] const void* key)
{
#ifdef BRIGHTFOLD_TSAN
    __tsan_acquire(const_cast<void*>(key));
#endif
}

} // namespace ThreadHandOff
