// Opening a large plant with its history, as the plan window and `unctora-calc plan`
// do: the plant file of 10,000 points and 100,000 change records read from the disk,
// the last change of each point found and every point planned from it.
#include "plan/history.h"
#include "plan/plan.h"
#include "plan/plantfile.h"

#include <benchmark/benchmark.h>

#include <cstdio>
#include <filesystem>
#include <string>
#include <unistd.h>

using namespace unctora;

namespace {

struct Plant {
    std::string plantPath;
    std::string historyPath;
};

// The example plant's rows again and again under the Ids P-0 .. P-(points - 1), and
// `records` changes spread over them and ten years.
Plant writePlant(std::size_t points, std::size_t records) {
    const std::filesystem::path dir = std::filesystem::temp_directory_path();
    const std::string stem = "unctora-bench-round-" + std::to_string(getpid());
    Plant out{(dir / (stem + ".csv")).string(), (dir / (stem + ".history.csv")).string()};
    std::filesystem::remove(out.historyPath);

    plan::PlantFile example, file;
    std::string error;
    if (!plan::readPlantFile(UNCTORA_SOURCE_DIR "/examples/plant.csv", example, error) ||
        example.points.empty()) {
        std::fprintf(stderr, "example plant: %s\n", error.c_str());
        return out;
    }
    file = example;
    file.points.clear();
    for (std::size_t i = 0; i < points; ++i) {
        plan::PlantPoint p = example.points[i % example.points.size()];
        p.cell(plan::OwnColumn::Id) = "P-" + std::to_string(i);
        p.cell(plan::OwnColumn::Unit).clear();
        file.points.push_back(std::move(p));
    }
    plan::writePlantFile(out.plantPath, file);

    std::vector<plan::ChangeRecord> batch;
    const plan::Date first = *plan::parseIsoDate("2016-01-01");
    for (std::size_t i = 0; i < records; ++i) {
        const plan::PlantPoint& p = file.points[i % points];
        plan::ChangeRecord r;
        r.pointId = p.cell(plan::OwnColumn::Id);
        r.date = first + std::chrono::days(static_cast<int>(i / points * 120 + i % 97));
        r.doneBy = "J. Okafor";
        r.batch = "L-" + std::to_string(2000 + i % 300);
        r.location = p.cell(plan::OwnColumn::Location);
        r.machine = p.cell(plan::OwnColumn::Machine);
        r.lubricator = "VOXA 125";
        r.grease = "NVLO2";
        r.setting = std::to_string(1 + i % 12);
        r.settingValue = double(1 + i % 12);
        r.remarks = i % 5 ? "" : "level fine, no leak";
        r.recordedAt = "2026-12-10T08:15:00Z";
        batch.push_back(std::move(r));
    }
    if (!plan::appendHistory(out.historyPath, batch, error))
        std::fprintf(stderr, "history: %s\n", error.c_str());
    return out;
}

void BM_OpenAndPlanWithHistory(benchmark::State& state) {
    const Plant plant = writePlant(10000, static_cast<std::size_t>(state.range(0)));
    const plan::Date day = *plan::parseIsoDate("2026-12-10");
    for (auto _ : state) {
        plan::PlantFile file;
        plan::HistoryFile history;
        std::string error;
        if (!plan::readPlantFile(plant.plantPath, file, error) ||
            !plan::readHistory(plant.historyPath, history, error)) {
            state.SkipWithError(error.c_str());
            break;
        }
        const plan::LastChangeById last = plan::lastChangeById(history.records);
        std::vector<plan::PointPlan> p = plan::evaluatePlan(file, core::Units::SI, day, &last);
        benchmark::DoNotOptimize(p);
    }
    std::filesystem::remove(plant.plantPath);
    std::filesystem::remove(plant.historyPath);
}
BENCHMARK(BM_OpenAndPlanWithHistory)->Arg(100000)->Unit(benchmark::kMillisecond)->Repetitions(5)->ReportAggregatesOnly(true);

} // namespace
