// Cost of one calculation as the window and the batch calculator run it.
#include "core/log.h"
#include "core/pipeline.h"
#include "core/suitability.h"

#include <benchmark/benchmark.h>

using namespace unctora::core;

namespace {

CalcInputs sample(int i) {
    CalcInputs in;
    in.Type = i % 10;
    in.Lubricator = i % 8;
    in.Speed = 100 + (i * 37) % 3000;
    in.D_mm = 80 + (i * 13) % 300;
    in.Bore_mm = in.D_mm / 2;
    in.B_mm = 20 + i % 60;
    in.Load = i % 4;
    applyReplenishmentRule(in);
    return in;
}

void BM_RunCalculation(benchmark::State& state) {
    const bool withLog = state.range(0) != 0;
    LineLog log;
    CalcContext ctx{withLog ? &log : nullptr, "."};
    int i = 0;
    for (auto _ : state) {
        CalcOutcome out = calculate(sample(i++), Units::SI, ctx);
        benchmark::DoNotOptimize(out);
        log.clear();
    }
}
BENCHMARK(BM_RunCalculation)->Arg(0)->Arg(1)->ArgName("log");

void BM_SuitabilityCheck(benchmark::State& state) {
    const bool withLog = state.range(0) != 0;
    LineLog log;
    CalcContext ctx{withLog ? &log : nullptr, "."};
    int i = 0;
    for (auto _ : state) {
        Suitability s = checkApplicationSuitability(sample(i++), ctx);
        benchmark::DoNotOptimize(s);
        log.clear();
    }
}
BENCHMARK(BM_SuitabilityCheck)->Arg(0)->Arg(1)->ArgName("log");

} // namespace
