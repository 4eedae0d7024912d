#pragma once
// What the benchmark programs share: each result printed beside its "_Baseline" partner
// measured in the same run, and the start of main().

#include <QByteArray>
#include <QtGlobal>
#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstdio>
#if defined(__GLIBC__)
#include <malloc.h>
#endif
#include <cstring>
#include <map>
#include <string>
#include <vector>

namespace vornbench {

// The console report, then a table of every benchmark with the ratio to its baseline (a dash
// where it has none). No table when nothing has a baseline.
//
// Each time is the median of the repetitions (RunWithRatios asks for several, interleaved at
// random with those of the other benchmarks), so that a moment of load on a shared machine
// weighs on one repetition of one side, not on a whole ratio. Times are processor times of
// the benchmark's own thread, which other work on the machine does not lengthen; benchmarks
// that time other processes say UseRealTime() and are measured by the clock.
class RatioReporter : public benchmark::ConsoleReporter {
public:
    explicit RatioReporter(OutputOptions options = OO_Defaults) : ConsoleReporter(options) {}

    void ReportRuns(const std::vector<Run>& runs) override {
        ConsoleReporter::ReportRuns(runs);
        for (const Run& run : runs) {
            if (run.error_occurred) continue;
            const std::string name = run.run_name.str();
            const double t = UsesRealTime(name) ? run.GetAdjustedRealTime() : run.GetAdjustedCPUTime();
            if (run.run_type == Run::RT_Aggregate) {
                if (run.aggregate_name == "median") fMedians[name] = t;
            } else {
                fTimes[name].push_back(t);
            }
        }
    }
    void Finalize() override {
        ConsoleReporter::Finalize();
        std::map<std::string, double> times = fMedians;
        for (auto& [name, ts] : fTimes)
            if (!times.count(name)) times[name] = Median(ts);
        bool anyBaseline = false;
        for (const auto& entry : times)
            anyBaseline = anyBaseline || IsBaseline(entry.first);
        if (!anyBaseline) return;
        std::printf("\n%-30s %14s %14s %8s\n", "operation (median)", "measured", "baseline", "ratio");
        for (const auto& [name, t] : times) {
            if (IsBaseline(name)) continue;
            const auto base = times.find(BaselineOf(name));
            if (base == times.end() || base->second <= 0)
                std::printf("%-30s %14.3f %14s %8s\n", name.c_str(), t, "-", "-");
            else
                std::printf("%-30s %14.3f %14.3f %8.2f\n", name.c_str(), t, base->second, t / base->second);
        }
        std::fflush(stdout);
    }

private:
    static bool IsBaseline(const std::string& name) { return name.find("_Baseline") != std::string::npos; }
    static bool UsesRealTime(const std::string& name) { return name.find("/real_time") != std::string::npos; }
    // "BM_X/arg" is measured against "BM_X_Baseline/arg".
    static std::string BaselineOf(const std::string& name) {
        const size_t slash = name.find('/');
        if (slash == std::string::npos) return name + "_Baseline";
        return name.substr(0, slash) + "_Baseline" + name.substr(slash);
    }
    static double Median(std::vector<double> ts) {
        if (ts.empty()) return 0;
        std::sort(ts.begin(), ts.end());
        const size_t mid = ts.size() / 2;
        return ts.size() % 2 ? ts[mid] : (ts[mid - 1] + ts[mid]) / 2;
    }
    std::map<std::string, double> fMedians;
    std::map<std::string, std::vector<double>> fTimes;
};

// The benchmarks draw into pictures, not onto a screen: offscreen unless the environment names
// a platform. Call before making the application.
inline void UseOffscreenPlatform() {
    if (qgetenv("QT_QPA_PLATFORM").isEmpty()) qputenv("QT_QPA_PLATFORM", "offscreen");
}

// Runs the benchmarks the command line selects with the ratio report: by default each one
// five times, interleaved at random with the others, showing the mean, median and spread of
// each (the command line's own --benchmark_repetitions and the like take precedence).
inline int RunWithRatios(int* argc, char** argv) {
#if defined(__GLIBC__)
    // The C library maps large blocks afresh each time (and gives the top of its heap back)
    // until a large block has been freed, after which it keeps them: whether a benchmark paid
    // for that depended on which ones had run before it. Fixed here to what a program that
    // has been running for a while sees.
    mallopt(M_MMAP_THRESHOLD, 32 << 20);
    mallopt(M_TRIM_THRESHOLD, 64 << 20);
#endif
    std::vector<char*> args(argv, argv + *argc);
    auto given = [&](const char* flag) {
        for (int i = 1; i < *argc; ++i)
            if (std::strncmp(argv[i], flag, std::strlen(flag)) == 0) return true;
        return false;
    };
    static char repetitions[] = "--benchmark_repetitions=5";
    static char interleave[] = "--benchmark_enable_random_interleaving=true";
    static char aggregates[] = "--benchmark_display_aggregates_only=true";
    if (!given("--benchmark_repetitions")) args.insert(args.begin() + 1, repetitions);
    if (!given("--benchmark_enable_random_interleaving")) args.insert(args.begin() + 1, interleave);
    if (!given("--benchmark_display_aggregates_only") && !given("--benchmark_report_aggregates_only"))
        args.insert(args.begin() + 1, aggregates);
    int count = int(args.size());
    args.push_back(nullptr);
    benchmark::Initialize(&count, args.data());
    RatioReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    benchmark::Shutdown();
    return 0;
}

} // namespace vornbench
