#pragma once

// The C library allocator's pools, tuned for jobs that draw on many threads.
// glibc raises its thresholds each time it frees a large mapped buffer, up to
// 32 MiB for mapping a buffer from the system and 64 MiB of free memory kept
// at a pool's end. After a few pages, the PDF writer's 4 MiB chunks, card
// pieces and photos all come from the per-thread pools, and every worker's
// pool keeps its own copies: 10,000 cards on 8 writers held 250 MiB more.
class AllocatorPools
{
public:
    AllocatorPools() = delete;

    // From now on, buffers of `limit` and more are mapped for their use and
    // given back when freed, and a pool gives back what it has free beyond
    // `limit` at its end. Process-wide and lasting; once is enough.
    static void keepSmall();

    // Hands what the pools hold free back to the system.
    static void trim();

    static constexpr int limit = 4 << 20;
};
