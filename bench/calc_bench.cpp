// How long the calculation core takes: run by hand, build/dev/bench/velmora_calc_bench.
#include <benchmark/benchmark.h>

#include <string>

#include "calc/reactance.h"

namespace {

void BM_ReadLeadingNumber(benchmark::State& state) {
    const std::string text = "2.5E-3 henries";
    for (auto _ : state) benchmark::DoNotOptimize(velmora::ReadLeadingNumber(text));
}
BENCHMARK(BM_ReadLeadingNumber);

// What one press of Calculate costs, the read of the user's settings included.
void BM_CalculateReactance(benchmark::State& state) {
    const velmora::ReactanceInputs inputs{"60", velmora::FrequencyUnit::Hz, "100",
                                          velmora::InductanceUnit::mH};
    for (auto _ : state) benchmark::DoNotOptimize(velmora::CalculateReactance(inputs));
}
BENCHMARK(BM_CalculateReactance);

// A mebibyte pasted into a text box: digits with blanks between them.
void BM_ReadPastedMebibyte(benchmark::State& state) {
    std::string text = "0.";
    while (text.size() < (1 << 20)) text += "1 2\t3\n";
    for (auto _ : state) benchmark::DoNotOptimize(velmora::ReadLeadingNumber(text));
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) *
                            static_cast<std::int64_t>(text.size()));
}
BENCHMARK(BM_ReadPastedMebibyte);

} // namespace
