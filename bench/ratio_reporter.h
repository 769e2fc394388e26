// A benchmark reporter that shows the results as usual and keeps each
// benchmark's mean time per iteration, so that a program can print the
// ratio of two of them measured in the same run.
#pragma once

#include <benchmark/benchmark.h>

#include <map>
#include <memory>
#include <string>
#include <vector>

namespace quorbex::bench {

// Shows the results through the reporter that the command line chose, and
// keeps each benchmark's mean wall-clock time per iteration for the ratio.
class RatioReporter : public benchmark::BenchmarkReporter {
public:
    RatioReporter() : m_display(benchmark::CreateDefaultDisplayReporter()) {}

    bool ReportContext(const Context& context) override {
        return m_display->ReportContext(context);
    }

    void ReportRuns(const std::vector<Run>& runs) override {
        m_display->ReportRuns(runs);
        for (const Run& run : runs) {
            if (run.run_type == Run::RT_Iteration && !run.error_occurred && run.iterations > 0) {
                Totals& totals = m_totals[run.run_name.function_name];
                totals.seconds += run.real_accumulated_time;
                totals.iterations += static_cast<double>(run.iterations);
            }
        }
    }

    void Finalize() override { m_display->Finalize(); }

    // Seconds per iteration, or a negative value when the benchmark did not run.
    double SecondsPerIteration(const std::string& name) const {
        const auto found = m_totals.find(name);
        return found == m_totals.end() ? -1.0 : found->second.seconds / found->second.iterations;
    }

private:
    struct Totals {
        double seconds = 0;
        double iterations = 0;
    };

    std::unique_ptr<benchmark::BenchmarkReporter> m_display;
    std::map<std::string, Totals> m_totals;
};

}  // namespace quorbex::bench
