// The plant plan of a large plant: every point planned again, as an edit of the
// calculation or a change of units or day does, and the change dates of a year.
#include "plan/plan.h"
#include "plan/purchases.h"

#include <benchmark/benchmark.h>

#include <string>

using namespace unctora;

namespace {

// 10,000 points: the example plant's rows again and again, with their own dates.
plan::PlantFile largePlant(std::size_t count) {
    plan::PlantFile example, out;
    std::string error;
    if (!plan::readPlantFile(UNCTORA_SOURCE_DIR "/examples/plant.csv", example, error) || example.points.empty())
        return out;
    out.points.reserve(count);
    for (std::size_t i = 0; i < count; ++i) {
        plan::PlantPoint p = example.points[i % example.points.size()];
        p.cell(plan::OwnColumn::Id) += "-" + std::to_string(i);
        p.cell(plan::OwnColumn::InstalledOn) =
            plan::isoDate(*plan::parseIsoDate("2026-01-01") + std::chrono::days(static_cast<int>(i % 340)));
        out.points.push_back(std::move(p));
    }
    return out;
}

void BM_PlanAllPoints(benchmark::State& state) {
    const plan::PlantFile file = largePlant(static_cast<std::size_t>(state.range(0)));
    const plan::Date day = *plan::parseIsoDate("2026-12-10");
    for (auto _ : state) {
        std::vector<plan::PointPlan> p = plan::evaluatePlan(file, core::Units::SI, day);
        benchmark::DoNotOptimize(p);
    }
    state.SetItemsProcessed(state.iterations() * state.range(0));
}
BENCHMARK(BM_PlanAllPoints)->Arg(10000)->Unit(benchmark::kMillisecond);

void BM_ChangeDatesOfAYear(benchmark::State& state) {
    const plan::PlantFile file = largePlant(static_cast<std::size_t>(state.range(0)));
    const plan::Date day = *plan::parseIsoDate("2026-12-10");
    const std::vector<plan::PointPlan> points = plan::evaluatePlan(file, core::Units::SI, day);
    for (auto _ : state) {
        auto changes = plan::changeDates(points, day, 12);
        auto lines = plan::purchaseSummary(points, changes);
        benchmark::DoNotOptimize(lines);
    }
}
BENCHMARK(BM_ChangeDatesOfAYear)->Arg(10000)->Unit(benchmark::kMillisecond);

} // namespace
