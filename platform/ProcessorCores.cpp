#include "platform/ProcessorCores.h"

#include <algorithm>
#include <thread>

#include <sched.h>

int ProcessorCores::usable()
{
    cpu_set_t set;
    CPU_ZERO(&set);
    if (sched_getaffinity(0, sizeof(set), &set) == 0) {
        const int count = CPU_COUNT(&set);
        if (count > 0)
            return count;
    }
    return std::max(1, int(std::thread::hardware_concurrency()));
}
