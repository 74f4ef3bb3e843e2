#pragma once
// The reporter of a program that measures one engine run against one plain baseline: it keeps
// the time of each, found by benchmark name, and leaves the printing of the comparison to the
// program.
#include "bench/RatioReporter.h"
#include <string>
#include <utility>

class PairRatioReporter : public RatioReporter
{
public:
    PairRatioReporter(std::string systemRun, std::string plainRun)
        : RatioReporter(ColoursOnlyOnTerminal()), m_systemRun(std::move(systemRun)),
          m_plainRun(std::move(plainRun))
    {
    }

protected:
    void Record(const Run& run) override
    {
        const std::string name = run.run_name.function_name;
        if (name == m_systemRun)
            m_system = run.GetAdjustedRealTime();
        else if (name == m_plainRun)
            m_plain = run.GetAdjustedRealTime();
    }

    // Adjusted real times; 0 until the run was measured.
    double m_system = 0.0;
    double m_plain = 0.0;

private:
    std::string m_systemRun;
    std::string m_plainRun;
};
