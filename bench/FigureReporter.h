#pragma once
// The benchmarks' report: the console's, then the program's own figures
// (targets, ratios to a baseline of the same run), computed from the real
// time of each run by name, in the unit the benchmark chose.
#include <benchmark/benchmark.h>

#include <QByteArray>

#include <functional>
#include <map>
#include <string>
#include <utility>
#include <vector>

class TFigureReporter : public benchmark::ConsoleReporter {
public:
    explicit TFigureReporter(std::function<void(const TFigureReporter&)> Figures) : figures_(std::move(Figures)) {}

    // The real time of the named run; -1 when it did not run.
    double Time(const std::string& Name) const
    {
        const auto it = times_.find(Name);
        return it == times_.end() ? -1.0 : it->second;
    }

    void ReportRuns(const std::vector<Run>& Runs) override
    {
        ConsoleReporter::ReportRuns(Runs);
        for (const Run& r : Runs)
            if (!r.error_occurred)
                times_[r.benchmark_name()] = r.GetAdjustedRealTime();
    }
    void Finalize() override
    {
        ConsoleReporter::Finalize();
        figures_(*this);
    }

private:
    std::function<void(const TFigureReporter&)> figures_;
    std::map<std::string, double> times_;
};

// Runs the benchmarks the command line selects, the figures printed after
// the console's report.
inline void RunBenchmarksWithFigures(int& argc, char** argv, std::function<void(const TFigureReporter&)> Figures)
{
    benchmark::Initialize(&argc, argv);
    TFigureReporter reporter(std::move(Figures));
    benchmark::RunSpecifiedBenchmarks(&reporter);
    benchmark::Shutdown();
}

// Benchmarks run headless unless the caller chose a platform.
inline void UseOffscreenUnlessChosen()
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
}
