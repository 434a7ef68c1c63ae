// The cores a process may use come from its affinity mask, not from the
// machine: a worker pool sized by them never outnumbers what it may run on.

#include "platform/ProcessorCores.h"

#include <gtest/gtest.h>

#include <sched.h>
#include <thread>
#include <vector>

TEST(ProcessorCores, FollowTheAffinityMask)
{
    cpu_set_t allowed;
    CPU_ZERO(&allowed);
    ASSERT_EQ(sched_getaffinity(0, sizeof(allowed), &allowed), 0);
    std::vector<int> cpus;
    for (int cpu = 0; cpu < CPU_SETSIZE; ++cpu)
        if (CPU_ISSET(cpu, &allowed))
            cpus.push_back(cpu);
    ASSERT_FALSE(cpus.empty());
    EXPECT_EQ(ProcessorCores::usable(), int(cpus.size()));

    // A thread's own mask, narrowed: what it may use, however many the
    // machine has.
    for (const size_t count : {size_t(1), size_t(2), cpus.size()}) {
        if (count > cpus.size())
            continue;
        int seen = 0;
        std::thread worker([&] {
            cpu_set_t narrow;
            CPU_ZERO(&narrow);
            for (size_t i = 0; i < count; ++i)
                CPU_SET(cpus[i], &narrow);
            if (sched_setaffinity(0, sizeof(narrow), &narrow) == 0)
                seen = ProcessorCores::usable();
        });
        worker.join();
        EXPECT_EQ(seen, int(count)) << count << " cores allowed";
    }
}
