#pragma once

#include <benchmark/benchmark.h>

#include <cstdio>
#include <initializer_list>
#include <map>
#include <string>
#include <utility>
#include <vector>

// Prints the usual table, then the real time of each benchmark named first in a pair
// against the one named second: how the program compares with a tool in the same run.
class RatioReporter : public benchmark::ConsoleReporter {
public:
    RatioReporter(std::initializer_list<std::pair<std::string, std::string>> pairs) : m_pairs(pairs) {}

    void ReportRuns(const std::vector<Run>& runs) override
    {
        ConsoleReporter::ReportRuns(runs);
        for (const Run& run : runs) {
            if (run.run_type == Run::RT_Iteration && !run.error_occurred)
                m_times[run.run_name.function_name] = run.GetAdjustedRealTime();
        }
    }
    void Finalize() override
    {
        ConsoleReporter::Finalize();
        for (const auto& [ours, theirs] : m_pairs) {
            const auto a = m_times.find(ours);
            const auto b = m_times.find(theirs);
            if (a != m_times.end() && b != m_times.end() && b->second > 0)
                std::printf("%-20s / %-20s = %.2f\n", ours.c_str(), theirs.c_str(), a->second / b->second);
        }
    }

private:
    std::vector<std::pair<std::string, std::string>> m_pairs;
    std::map<std::string, double> m_times;
};
