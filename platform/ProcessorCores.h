#pragma once

// How many processor cores this process may run on: the cores of its
// affinity mask (a container, `taskset` or a batch scheduler may allow fewer
// than the machine has), at least one. Worker pools size themselves by it.
class ProcessorCores
{
public:
    ProcessorCores() = delete;
    static int usable();
};
