// Look-up speed of the string table. Every text is found by a linear search of
// the key list, so the cost that matters is a key near the end of the file and
// the few hundred look-ups of applying one language to the window.
//
// Reads resources/unctora.sil from the source tree; without it, a generated
// stand-in of about 400 lines with eleven texts each is used and the output says so.

#include "text/keys.h"
#include "strings/stringtable.h"

#include <benchmark/benchmark.h>

#include <filesystem>
#include <string>
#include <vector>

using namespace unctora::strings;

namespace {

#ifndef UNCTORA_SOURCE_DIR
#define UNCTORA_SOURCE_DIR "."
#endif

struct Fixture {
    StringTable table;
    bool standIn = false;
    std::vector<std::pair<std::string, int>> applyLookUps; // key and number
    std::string lastKey;
};

std::string standInFile() {
    std::string file = "\xEF\xBB\xBF[Strings]\r\n";
    for (int i = 0; i < 300; ++i) {
        file += "strStandIn" + std::to_string(i) + "=";
        for (int lang = 1; lang <= kLanguageCount; ++lang)
            file += "Text " + std::to_string(i) + " in language " + std::to_string(lang) + "~";
        file += "\r\n";
    }
    for (int i = 0; i < 9; ++i)
        for (int lang = 1; lang <= kLanguageCount; ++lang)
            file += "strLongStandIn" + std::to_string(i) + (lang < 10 ? "_0" : "_") +
                    std::to_string(lang) +
                    "=A longer warning text of a few sentences, as warnings and condition "
                    "descriptions have them, in language " + std::to_string(lang) + ".\r\n";
    return file;
}

const Fixture& fixture() {
    static const Fixture f = [] {
        Fixture f;
        const std::string real = std::string(UNCTORA_SOURCE_DIR) + "/resources/unctora.sil";
        if (!f.table.LoadLanguageFile(real)) {
            f.standIn = true;
            f.table.loadFromBytes(standInFile());
        }
        f.table.SetLanguageByName("German"); // not English, so the fall-backs run too
        const int lang = f.table.CurrentLanguageNumber();

        if (!f.standIn) {
            for (const unctora::text::keys::KeyInfo& k : unctora::text::keys::allKeys())
                f.applyLookUps.emplace_back(std::string(k.key),
                                            k.kind == unctora::text::keys::Kind::Numbered ? lang : 0);
        } else {
            for (const std::string& key : f.table.keys())
                if (key.find("LONG") == std::string::npos)
                    f.applyLookUps.emplace_back(key, 0);
            for (int i = 0; i < 9; ++i)
                f.applyLookUps.emplace_back("strLongStandIn" + std::to_string(i), lang);
        }
        // About 400 look-ups: walk the list again when it is shorter.
        const std::size_t base = f.applyLookUps.size();
        for (std::size_t i = 0; base > 0 && f.applyLookUps.size() < 400; ++i)
            f.applyLookUps.push_back(f.applyLookUps[i % base]);

        // The last column entry of the file: the longest search a look-up makes.
        for (std::size_t i = f.table.lineCount(); i-- > 0;)
            if (!f.table.keys()[i].empty()) {
                f.lastKey = f.table.keys()[i];
                break;
            }
        return f;
    }();
    return f;
}

void setLabel(benchmark::State& state, const Fixture& f) {
    state.SetLabel((f.standIn ? "generated stand-in, " : "resources/unctora.sil, ") +
                   std::to_string(f.table.lineCount()) + " lines");
}

void BM_LangStrLastKey(benchmark::State& state) {
    const Fixture& f = fixture();
    for (auto _ : state)
        benchmark::DoNotOptimize(f.table.LangStr(f.lastKey));
    setLabel(state, f);
}
BENCHMARK(BM_LangStrLastKey)->Unit(benchmark::kMicrosecond);

void BM_LangStrMissingKey(benchmark::State& state) {
    // A missing key searches the whole list twice (the retry with _01).
    const Fixture& f = fixture();
    for (auto _ : state)
        benchmark::DoNotOptimize(f.table.LangStr("strNoSuchKey"));
    setLabel(state, f);
}
BENCHMARK(BM_LangStrMissingKey)->Unit(benchmark::kMicrosecond);

void BM_LangStrApplyLanguage(benchmark::State& state) {
    const Fixture& f = fixture();
    for (auto _ : state)
        for (const auto& [key, number] : f.applyLookUps)
            benchmark::DoNotOptimize(f.table.LangStr(key, number));
    state.counters["lookups"] = static_cast<double>(f.applyLookUps.size());
    setLabel(state, f);
}
BENCHMARK(BM_LangStrApplyLanguage)->Unit(benchmark::kMillisecond);

} // namespace
