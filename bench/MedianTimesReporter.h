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

// Runs the registered benchmarks nine times each, summarised by their
// median, unless the command line says otherwise (later flags win); the
// reporter keeps the times for the program's own comparison.
inline void runWithMedians(int argc, char** argv, MedianTimesReporter& reporter)
{
    std::vector<char*> args {argv[0]};
    char repetitions[] = "--benchmark_repetitions=9";
    char aggregatesOnly[] = "--benchmark_report_aggregates_only=true";
    args.push_back(repetitions);
    args.push_back(aggregatesOnly);
    args.insert(args.end(), argv + 1, argv + argc);
    int count = int(args.size());
    benchmark::Initialize(&count, args.data());
    benchmark::RunSpecifiedBenchmarks(&reporter);
}
