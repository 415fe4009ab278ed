#include <stdlib.h>

#include <filesystem>
#include <string>
#include <vector>

#include <benchmark/benchmark.h>

#include "platform/Environment.h"
#include "platform/Folders.h"
#include "store/ConfigStore.h"

namespace corvatt {
namespace {

// A store with four profiles on a fresh file in a temporary folder beside the program's
// data folder, so the file sits on the disk the user's settings live on.
class BenchStore {
public:
    BenchStore() {
        const std::string data_home = XdgDataHome(Environment::FromProcess());
        CreateFolderTree(data_home);
        std::string pattern = data_home + "/corvatt-bench-XXXXXX";
        if (mkdtemp(pattern.data()) == nullptr) return;
        m_root = pattern;
        std::filesystem::create_directories(m_root / "db");
        m_ok = m_store.OpenDatabase(m_root.string() + "/", "corvatt_v1");
        for (int i = 1; i <= 4; ++i) m_store.AddProfile(ProfileRecord{0, "Profile " + std::to_string(i), "", 0, 0});
    }
    ~BenchStore() {
        m_store.CloseDatabase();
        std::error_code ignored;
        if (!m_root.empty()) std::filesystem::remove_all(m_root, ignored);
    }
    bool Ok() const { return m_ok; }
    ConfigStore& Store() { return m_store; }

private:
    std::filesystem::path m_root;
    ConfigStore m_store;
    bool m_ok = false;
};

void BM_SetConfigValue(benchmark::State& state) {
    BenchStore bench;
    if (!bench.Ok()) state.SkipWithError("no database");
    const std::string values[2] = {"1600", "3200"};
    int i = 0;
    for (auto _ : state) {
        if (!bench.Store().SetConfigValue(2, "dpi_group1_value", values[i++ & 1])) state.SkipWithError("write failed");
    }
}

void BM_GetConfigValue(benchmark::State& state) {
    BenchStore bench;
    if (!bench.Ok()) state.SkipWithError("no database");
    std::string value;
    for (auto _ : state) {
        if (!bench.Store().GetConfigValue(2, "dpi_group1_value", value)) state.SkipWithError("read failed");
        benchmark::DoNotOptimize(value);
    }
}

void BM_SaveKeyAssignment(benchmark::State& state) {
    BenchStore bench;
    if (!bench.Ok()) state.SkipWithError("no database");
    KeyAssignment key;
    key.profile = 1;
    key.key_code = 4;
    key.layout_value = 4;
    key.layout_desc = "Forward";
    key.macro_type = 1;
    key.macro_desc = "Back";
    int i = 0;
    for (auto _ : state) {
        key.macro_value = 1 + (i++ & 7);
        if (bench.Store().SaveKeyAssignment(key) == 0) state.SkipWithError("save failed");
    }
}

void BM_AddMacroRecords200(benchmark::State& state) {
    BenchStore bench;
    if (!bench.Ok()) state.SkipWithError("no database");
    const int macro = bench.Store().CreateMacro("bench");
    std::vector<MacroRecord> events;
    for (int i = 0; i < 200; ++i) {
        events.push_back(MacroRecord{0, macro, i % 2 == 0 ? 1 : 2, i, 4 + i % 26, i * 15, "Key A"});
    }
    for (auto _ : state) {
        bench.Store().AddMacroRecords(events);
        state.PauseTiming();
        bench.Store().DeleteMacroRecords(macro);
        state.ResumeTiming();
    }
}

BENCHMARK(BM_SetConfigValue)->Repetitions(5)->ReportAggregatesOnly(true)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_GetConfigValue)->Repetitions(5)->ReportAggregatesOnly(true)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_SaveKeyAssignment)->Repetitions(5)->ReportAggregatesOnly(true)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_AddMacroRecords200)->Repetitions(5)->ReportAggregatesOnly(true)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace corvatt

BENCHMARK_MAIN();
