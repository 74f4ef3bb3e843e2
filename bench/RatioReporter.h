#pragma once
// What the benchmark programs share: each measures engine code against a plain baseline in the
// same run and, after Google Benchmark's table, prints how the two compare with its targets. A
// program derives its reporter from RatioReporter, keeps what it needs of each run in Record,
// prints the comparison in PrintRatios, and ends main with RunAndPrintRatios.
#include <benchmark/benchmark.h>
#include <cstdio>
#include <unistd.h>
#include <vector>

class RatioReporter : public benchmark::ConsoleReporter
{
public:
    explicit RatioReporter(OutputOptions options = OO_Defaults) : ConsoleReporter(options) {}

    // Colours only on a terminal, so that saved output stays plain text.
    static OutputOptions ColoursOnlyOnTerminal()
    {
        return isatty(fileno(stdout)) ? OO_Defaults : OO_Tabular;
    }

    void ReportRuns(const std::vector<Run>& runs) override
    {
        ConsoleReporter::ReportRuns(runs);
        for (const Run& run : runs)
        {
            if (run.iterations == 0)
                continue;
            // With --benchmark_repetitions the median stands for the run (it is reported after
            // the repetitions, so it replaces them); the other aggregates are no times.
            if (run.run_type == Run::RT_Aggregate && run.aggregate_name != "median")
                continue;
            Record(run);
        }
    }

    // Prints the comparison after the table.
    virtual void PrintRatios() const = 0;

protected:
    // Keeps what the comparison needs of a run that measured something.
    virtual void Record(const Run& run) = 0;

    // The word printed after a target.
    static const char* Verdict(bool met) { return met ? "met" : "MISSED"; }
};

// Runs the benchmarks chosen on the command line through the reporter, prints its comparison
// and shuts the library down; what main returns.
inline int RunAndPrintRatios(RatioReporter& reporter)
{
    benchmark::RunSpecifiedBenchmarks(&reporter);
    reporter.PrintRatios();
    benchmark::Shutdown();
    return 0;
}
