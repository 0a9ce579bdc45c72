// Feeding the text model against a loop that only counts each byte's occurrences.
#include "PhonText.h"
#include "RussianText.h"

#include <benchmark/benchmark.h>

#include <array>
#include <cstdio>
#include <vector>

namespace {

const std::string& Text()
{
    static const std::string text = GenerateRussianText(10 << 20);
    return text;
}

void BM_ByteHistogramBaseline(benchmark::State& state)
{
    const std::string& text = Text();
    for (auto _ : state) {
        std::array<uint32_t, 256> hist {};
        for (unsigned char c : text)
            hist[c] += 1;
        benchmark::DoNotOptimize(hist);
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * static_cast<int64_t>(text.size()));
}

void BM_ProcessString(benchmark::State& state)
{
    const std::string& text = Text();
    TFileViewMem model;
    for (auto _ : state) {
        model.Reset();
        model.ProcessString(text, 0);
        benchmark::DoNotOptimize(model.SoundCount);
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * static_cast<int64_t>(text.size()));
}

BENCHMARK(BM_ByteHistogramBaseline)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ProcessString)->Unit(benchmark::kMillisecond);

// Prints both rates and their ratio after the table.
class RateReporter : public benchmark::ConsoleReporter {
public:
    void ReportRuns(const std::vector<Run>& runs) override
    {
        ConsoleReporter::ReportRuns(runs);
        for (const Run& r : runs) {
            const double seconds = r.GetAdjustedRealTime() / 1e3; // milliseconds per iteration
            const double rate = static_cast<double>(Text().size()) / seconds / 1e9;
            if (r.benchmark_name().find("Baseline") != std::string::npos)
                baseline_ = rate;
            else
                model_ = rate;
        }
    }
    void Finalize() override
    {
        ConsoleReporter::Finalize();
        std::printf("\nbaseline (byte histogram): %.2f GB/s\n", baseline_);
        std::printf("text model ProcessString:  %.2f GB/s (target >= 1 GB/s)\n", model_);
        if (baseline_ > 0)
            std::printf("ratio model/baseline:      %.2f (target >= 0.33)\n", model_ / baseline_);
    }

private:
    double baseline_ = 0, model_ = 0;
};

} // namespace

int main(int argc, char** argv)
{
    benchmark::Initialize(&argc, argv);
    RateReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    benchmark::Shutdown();
    return 0;
}
