#pragma once

// Prints what the benchmarks print and keeps the CPU time per iteration of
// each (steadier than the wall clock on a busy machine), so that a benchmark
// program can compare them at the end: the median of its repetitions when it
// was repeated, else its only run.

#include <benchmark/benchmark.h>

#include <map>
#include <set>
#include <string>
#include <vector>

class MedianTimesReporter : public benchmark::ConsoleReporter
{
public:
    void ReportRuns(const std::vector<Run>& runs) override
    {
        for (const Run& run : runs) {
            if (run.error_occurred)
                continue;
            const std::string& name = run.run_name.function_name;
            if (run.run_type == Run::RT_Aggregate && run.aggregate_name == "median") {
                times[name] = run.GetAdjustedCPUTime();
                summarised.insert(name);
            } else if (run.run_type == Run::RT_Iteration && !summarised.count(name)) {
                times[name] = run.GetAdjustedCPUTime();
            }
        }
        ConsoleReporter::ReportRuns(runs);
    }

    // By the benchmark's function name.
    std::map<std::string, double> times;

private:
    std::set<std::string> summarised;
};
