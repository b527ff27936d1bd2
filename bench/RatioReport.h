#pragma once

#include <benchmark/benchmark.h>
#include <cstdio>
#include <map>
#include <string>
#include <utility>
#include <vector>

// Runs the registered benchmarks, then prints how named pairs compare, as ratios of their mean
// wall time per iteration measured in this one run.
class RatioReporter : public benchmark::ConsoleReporter {
public:
    RatioReporter() : ConsoleReporter(OO_None) {} // plain text: the output is read by scripts

    void ReportRuns(const std::vector<Run>& runs) override {
        for (const Run& run : runs) {
            if (run.iterations > 0) {
                m_secondsPerIteration[run.benchmark_name()] =
                    run.real_accumulated_time / static_cast<double>(run.iterations);
            }
        }
        ConsoleReporter::ReportRuns(runs);
    }

    void PrintRatios(const std::vector<std::pair<std::string, std::string>>& pairs) const {
        std::printf("\n%-44s %10s\n", "comparison (same run)", "ratio");
        for (const auto& [subject, baseline] : pairs) {
            const auto a = m_secondsPerIteration.find(subject);
            const auto b = m_secondsPerIteration.find(baseline);
            if (a != m_secondsPerIteration.end() && b != m_secondsPerIteration.end()) {
                std::printf("%-44s %10.2f\n", (subject + " / " + baseline).c_str(),
                            a->second / b->second);
            }
        }
    }

private:
    std::map<std::string, double> m_secondsPerIteration;
};

inline int RunAndCompare(int argc, char** argv,
                         const std::vector<std::pair<std::string, std::string>>& pairs) {
    benchmark::Initialize(&argc, argv);
    RatioReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    reporter.PrintRatios(pairs);
    benchmark::Shutdown();
    return 0;
}
