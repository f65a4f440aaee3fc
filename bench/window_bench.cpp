// The window side: one input change through the whole recalculation (controls read,
// calculation, result fields, notes), and the construction and first activation of
// the main window. Runs on the offscreen platform.
#include "desktop/environment.h"
#include "app/mainwindow.h"
#include "plan/history.h"
#include "windows/historytab.h"
#include "windows/planmodel.h"
#include "windows/planwindow.h"
#include "desktop/messages.h"
#include "tabs/dialtab.h"
#include "widgets/spinedit.h"
#include "windows/stringwindow.h"

#include <QAction>
#include <QApplication>
#include <QFile>
#include <QTemporaryDir>
#include <algorithm>
#include <benchmark/benchmark.h>
#include <chrono>
#include <fstream>
#include <memory>
#include <string>

namespace {

class QuietMessages : public MessageSink {
public:
    void showError(const QString&) override {}
    void showMessage(const QString&) override {}
    bool choosePrinter(QPrinter&) override { return false; }
    QString chooseFile(FileMode, const QString&, const QString&, const QString&) override { return {}; }
    Answer askSaveChanges(const QString&) override { return Answer::Cancel; }
};

struct Fixture {
    QTemporaryDir programDir, dataDir;
    QuietMessages messages;
    AppEnvironment env;
    Fixture() {
        QFile::copy(UNCTORA_SOURCE_DIR "/resources/unctora.sil", programDir.filePath("unctora.sil"));
        env.programDir = programDir.path();
        env.dataDir = dataDir.path();
        env.messages = &messages;
    }
};

// The main window as the program shows it first.
struct RunningWindow {
    Fixture f;
    unctora::strings::StringTable texts; // the program's, outliving both windows
    TfrmMain window{f.env};
    TfrmStrings strings{f.env, texts};
    RunningWindow() {
        window.attachWindows(nullptr, nullptr, &strings);
        window.FirstActivation();
    }
};

long residentKiB() {
    std::ifstream status("/proc/self/status");
    std::string line;
    while (std::getline(status, line))
        if (line.rfind("VmRSS:", 0) == 0)
            return std::stol(line.substr(6));
    return 0;
}

void BM_InputChange(benchmark::State& state) {
    RunningWindow w;
    auto* speed = w.window.dialTab()->findChild<TSpinEdit*>("spedSpeed");
    for (int w = 0; w < 20; ++w) // fonts and layouts of the first changes are cached
        speed->setValue(2500 + w);
    double worst = 0;
    int i = 0;
    for (auto _ : state) {
        const auto t0 = std::chrono::steady_clock::now();
        speed->setValue(1500 + (i++ % 1000)); // suitability check and recalculation
        const auto t1 = std::chrono::steady_clock::now();
        worst = std::max(worst, std::chrono::duration<double, std::micro>(t1 - t0).count());
    }
    state.counters["worst_us"] = worst;
}
BENCHMARK(BM_InputChange)->Unit(benchmark::kMicrosecond)->Repetitions(5)->ReportAggregatesOnly(true);

// The same change in a window on the screen, until what it changed is laid out and
// drawn again.
void BM_InputChangeShown(benchmark::State& state) {
    RunningWindow w;
    w.window.show();
    QApplication::processEvents();
    auto* speed = w.window.dialTab()->findChild<TSpinEdit*>("spedSpeed");
    for (int w = 0; w < 20; ++w) {
        speed->setValue(2500 + w);
        QApplication::processEvents();
    }
    double worst = 0;
    int i = 0;
    for (auto _ : state) {
        const auto t0 = std::chrono::steady_clock::now();
        speed->setValue(1500 + (i++ % 1000));
        QApplication::processEvents();
        const auto t1 = std::chrono::steady_clock::now();
        worst = std::max(worst, std::chrono::duration<double, std::micro>(t1 - t0).count());
    }
    state.counters["worst_us"] = worst;
}
BENCHMARK(BM_InputChangeShown)->Unit(benchmark::kMicrosecond)->Repetitions(5)->ReportAggregatesOnly(true);

// A language switch from the menu: every caption, table and page of the window in the
// new language, and the choice saved to the settings file (with its flush to the disk).
// Cycles through a Latin, a CJK, a Thai and a Cyrillic language.
void BM_LanguageSwitch(benchmark::State& state) {
    RunningWindow w;
    TfrmMain& window = w.window;
    window.show();
    QApplication::processEvents();
    QList<QAction*> actions;
    for (const char* name : {"miGerman", "miChinese", "miThai", "miRussian", "miEnglish"})
        actions << window.findChild<QAction*>(name);
    for (QAction* a : actions) // the first use of each script loads its fonts
        a->trigger();
    double worst = 0;
    int i = 0;
    for (auto _ : state) {
        const auto t0 = std::chrono::steady_clock::now();
        actions[i++ % actions.size()]->trigger();
        window.repaint(); // what the user waits for: the window drawn in the new language
        const auto t1 = std::chrono::steady_clock::now();
        worst = std::max(worst, std::chrono::duration<double, std::milli>(t1 - t0).count());
    }
    state.counters["worst_ms"] = worst;
}
BENCHMARK(BM_LanguageSwitch)->Unit(benchmark::kMillisecond)->Iterations(50);

void BM_StartUp(benchmark::State& state) {
    Fixture f;
    long rss = 0;
    for (auto _ : state) {
        unctora::strings::StringTable texts;
        auto window = std::make_unique<TfrmMain>(f.env);
        auto strings = std::make_unique<TfrmStrings>(f.env, texts);
        window->attachWindows(nullptr, nullptr, strings.get());
        window->FirstActivation();
        rss = residentKiB();
        state.PauseTiming();
        window.reset(); // writing the settings at shutdown is not part of the start
        strings.reset();
        state.ResumeTiming();
    }
    state.counters["rss_MiB_after_start"] = rss / 1024.0;
}
BENCHMARK(BM_StartUp)->Unit(benchmark::kMillisecond)->Iterations(20);

// The plant plan of a plant of 10,000 points planned again, as a change of the units
// does it: every point computed, the table told, the change dates and purchases of the
// year listed anew.
void BM_PlanWindowReplan(benchmark::State& state) {
    RunningWindow w;
    QTemporaryDir dir;
    const QString path = dir.filePath("plant.csv");
    {
        QFile example(UNCTORA_SOURCE_DIR "/examples/plant.csv");
        example.open(QIODevice::ReadOnly);
        const QList<QByteArray> lines = example.readAll().split('\n');
        QFile out(path);
        out.open(QIODevice::WriteOnly);
        out.write(lines[0] + "\n");
        for (int i = 0; i < state.range(0); ++i)
            out.write(lines[1 + i % (lines.size() - 2)] + "\n");
    }
    TfrmPlan* plan = w.window.ShowPlanWindow();
    plan->openFile(path);
    QApplication::processEvents();
    for (auto _ : state) {
        plan->model()->recalculate();
        QApplication::processEvents();
    }
    state.counters["points"] = plan->model()->rowCount();
}
BENCHMARK(BM_PlanWindowReplan)->Arg(10000)->Unit(benchmark::kMillisecond)->Iterations(10);

// A plant of 10,000 points with 100,000 changes recorded beside it opened in the plan
// window: the plant file and the history read, every point planned from its last
// change, the Points, changes, purchases and History tabs filled.
void BM_PlanWindowOpenWithHistory(benchmark::State& state) {
    RunningWindow w;
    QTemporaryDir dir;
    const QString path = dir.filePath("plant.csv");
    const int points = static_cast<int>(state.range(0));
    {
        QFile example(UNCTORA_SOURCE_DIR "/examples/plant.csv");
        example.open(QIODevice::ReadOnly);
        const QList<QByteArray> lines = example.readAll().split('\n');
        QFile out(path);
        out.open(QIODevice::WriteOnly);
        out.write(lines[0] + "\n");
        // Each point an Id of its own, so that the history finds it.
        for (int i = 0; i < points; ++i) {
            const QByteArray& line = lines[1 + i % (lines.size() - 2)];
            out.write("P-" + QByteArray::number(i) + line.mid(line.indexOf(',')) + "\n");
        }
    }
    {
        std::vector<unctora::plan::ChangeRecord> records;
        const unctora::plan::Date first = *unctora::plan::parseIsoDate("2016-01-01");
        for (int i = 0; i < 10 * points; ++i) {
            unctora::plan::ChangeRecord r;
            r.pointId = "P-" + std::to_string(i % points);
            r.date = first + std::chrono::days(i / points * 120 + i % 97);
            r.doneBy = "J. Okafor";
            r.batch = "L-" + std::to_string(2000 + i % 300);
            r.location = "Hall " + std::to_string(i % 12);
            r.machine = "Machine " + std::to_string(i % 400);
            r.lubricator = "VOXA 125";
            r.grease = "NVLO2";
            r.setting = std::to_string(1 + i % 12);
            r.settingValue = double(1 + i % 12);
            r.recordedAt = "2026-12-10T08:15:00Z";
            records.push_back(std::move(r));
        }
        std::string error;
        unctora::plan::appendHistory(unctora::plan::historyPathFor(path.toStdString()), records, error);
    }
    TfrmPlan* plan = w.window.ShowPlanWindow();
    for (auto _ : state) {
        plan->openFile(path);
        QApplication::processEvents();
    }
    state.counters["points"] = plan->model()->rowCount();
    state.counters["records"] = plan->historyTab()->model()->rowCount();
}
BENCHMARK(BM_PlanWindowOpenWithHistory)->Arg(10000)->Unit(benchmark::kMillisecond)->Iterations(5);

} // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QApplication::setStyle("Fusion");
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
