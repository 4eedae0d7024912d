#pragma once
// What the benchmark programs share: each result printed beside its "_Baseline" partner
// measured in the same run, and the start of main().

#include <QByteArray>
#include <QtGlobal>
#include <benchmark/benchmark.h>

#include <cstdio>
#include <map>
#include <string>
#include <vector>

namespace vornbench {

// The console report, then a table of every benchmark with the ratio to its baseline (a dash
// where it has none). No table when nothing has a baseline.
class RatioReporter : public benchmark::ConsoleReporter {
public:
    void ReportRuns(const std::vector<Run>& runs) override {
        ConsoleReporter::ReportRuns(runs);
        for (const Run& run : runs)
            fTimes[run.benchmark_name()] = run.GetAdjustedRealTime();
    }
    void Finalize() override {
        ConsoleReporter::Finalize();
        bool anyBaseline = false;
        for (const auto& entry : fTimes)
            anyBaseline = anyBaseline || IsBaseline(entry.first);
        if (!anyBaseline) return;
        std::printf("\n%-20s %14s %14s %8s\n", "operation", "measured", "baseline", "ratio");
        for (const auto& [name, t] : fTimes) {
            if (IsBaseline(name)) continue;
            const auto base = fTimes.find(BaselineOf(name));
            if (base == fTimes.end() || base->second <= 0)
                std::printf("%-20s %14.3f %14s %8s\n", name.c_str(), t, "-", "-");
            else
                std::printf("%-20s %14.3f %14.3f %8.2f\n", name.c_str(), t, base->second, t / base->second);
        }
    }

private:
    static bool IsBaseline(const std::string& name) { return name.find("_Baseline") != std::string::npos; }
    // "BM_X/arg" is measured against "BM_X_Baseline/arg".
    static std::string BaselineOf(const std::string& name) {
        const size_t slash = name.find('/');
        if (slash == std::string::npos) return name + "_Baseline";
        return name.substr(0, slash) + "_Baseline" + name.substr(slash);
    }
    std::map<std::string, double> fTimes;
};

// The benchmarks draw into pictures, not onto a screen: offscreen unless the environment names
// a platform. Call before making the application.
inline void UseOffscreenPlatform() {
    if (qgetenv("QT_QPA_PLATFORM").isEmpty()) qputenv("QT_QPA_PLATFORM", "offscreen");
}

// Runs the benchmarks the command line selects with the ratio report.
inline int RunWithRatios(int* argc, char** argv) {
    benchmark::Initialize(argc, argv);
    RatioReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    benchmark::Shutdown();
    return 0;
}

} // namespace vornbench
