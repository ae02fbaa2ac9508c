// What the benchmarks built on Google Benchmark print: the library's table without the
// description of the machine above it (nor the packaged library's warning that it was built for
// debugging), so that the goal lines after it are the only other output.
#pragma once

#include "goals.h"

#include <benchmark/benchmark.h>

#include <unistd.h>

#include <map>
#include <string>
#include <string_view>
#include <vector>

class GoalReporter : public benchmark::ConsoleReporter {
public:
    // Counters in columns; colours only on a terminal, never in a saved report.
    GoalReporter() : ConsoleReporter(isatty(STDOUT_FILENO) != 0 ? OO_ColorTabular : OO_Tabular) {}
    bool ReportContext(const Context& context) override {
        name_field_width_ = context.name_field_width;
        return true;
    }
    void ReportRuns(const std::vector<Run>& runs) override {
        ConsoleReporter::ReportRuns(runs);
        for (const Run& r : runs) {
            results_[r.benchmark_name()] = r;
        }
    }
    // The run whose name starts with `prefix`, or nullptr.
    [[nodiscard]] const Run* find(std::string_view prefix) const {
        for (const auto& [name, run] : results_) {
            if (std::string_view(name).substr(0, prefix.size()) == prefix) {
                return &run;
            }
        }
        return nullptr;
    }

private:
    std::map<std::string, Run> results_;
};

// Whether the caller asked for another output format (JSON, CSV): then the library's own
// reporter prints, unchanged.
inline bool consoleFormat(int argc, char** argv) {
    for (int i = 1; i < argc; ++i) {
        const std::string_view arg(argv[i]);
        if (arg.substr(0, 19) == "--benchmark_format=" && arg != "--benchmark_format=console") {
            return false;
        }
    }
    return true;
}
