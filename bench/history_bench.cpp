// The history of a large plant: 100,000 change records of 10,000 points read from the
// disk, and the last change of each point found.
#include "plan/history.h"

#include <benchmark/benchmark.h>

#include <cstdio>
#include <filesystem>
#include <string>
#include <unistd.h>

using namespace unctora;

namespace {

std::string writeHistory(std::size_t records) {
    const std::string path = (std::filesystem::temp_directory_path() /
                              ("unctora-bench-" + std::to_string(getpid()) + ".history.csv"))
                                 .string();
    std::filesystem::remove(path);
    std::vector<plan::ChangeRecord> batch;
    const plan::Date first = *plan::parseIsoDate("2016-01-01");
    for (std::size_t i = 0; i < records; ++i) {
        plan::ChangeRecord r;
        r.pointId = "P-" + std::to_string(i % 10000);
        r.date = first + std::chrono::days(static_cast<int>(i / 10000 * 120 + i % 97));
        r.doneBy = "J. Okafor";
        r.batch = "L-" + std::to_string(2000 + i % 300);
        r.location = "Hall " + std::to_string(i % 12);
        r.machine = "Machine " + std::to_string(i % 400);
        r.lubricator = "VOXA 125";
        r.grease = "NVLO2";
        r.setting = std::to_string(1 + i % 12);
        r.settingValue = double(1 + i % 12);
        r.remarks = i % 5 ? "" : "level fine, no leak";
        r.recordedAt = "2026-12-10T08:15:00Z";
        batch.push_back(std::move(r));
    }
    std::string error;
    if (!plan::appendHistory(path, batch, error))
        std::fprintf(stderr, "%s\n", error.c_str());
    return path;
}

void BM_ReadHistory(benchmark::State& state) {
    const std::string path = writeHistory(static_cast<std::size_t>(state.range(0)));
    for (auto _ : state) {
        plan::HistoryFile h;
        std::string error;
        plan::readHistory(path, h, error);
        auto last = plan::lastChanges(h.records);
        benchmark::DoNotOptimize(last);
    }
    state.SetItemsProcessed(state.iterations() * state.range(0));
    std::filesystem::remove(path);
}
BENCHMARK(BM_ReadHistory)->Arg(100000)->Unit(benchmark::kMillisecond);

} // namespace
