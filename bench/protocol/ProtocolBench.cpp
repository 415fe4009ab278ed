#include <benchmark/benchmark.h>
#include <stdlib.h>

#include <filesystem>
#include <memory>
#include <string>

#include "NullUi.h"
#include "common/text/Text.h"
#include "device/DeviceManager.h"
#include "profile/ProfileSetup.h"
#include "protocol/DeviceState.h"
#include "protocol/ProtocolTasks.h"
#include "protocol/ProtocolUi.h"
#include "sim/VirtualHidBackend.h"
#include "sim/VirtualModel.h"
#include "store/ConfigStore.h"

namespace corvatt {
namespace {

using QuietUi = testing::NullUi;

// A v1 mouse by cable that replies at once (real time), and a fresh settings database.
struct Rig {
    Rig() {
        std::string pattern = (std::filesystem::temp_directory_path() / "corvatt-bench-XXXXXX").string();
        if (mkdtemp(pattern.data()) != nullptr) root = pattern;
        std::filesystem::create_directories(root / "db");
        store.OpenDatabase(root.string() + "/", "corvatt_v1");
        model.install_folder = std::string(CORVATT_TEST_DATA) + "/";
        model.model_key = "corvatt_v1";
        ProfileSetup setup(store, [](int id) { return text::Format("T%d", id); });
        setup.Run(model);
        store.EnsureDefaultLights(1, {true, true, true, true, true, true});
        state.model_has_lighting = true;
        state.light_mode = 2;

        devices.AddBackend(sim);
        for (const VirtualModel& m : VirtualModels()) {
            devices.AddSupportedId(m.vendor_id, m.product_id, m.device_type, m.mode, m.identity);
        }
        mouse_id = sim->Plug("v1-wired");
        devices.EnumerateDevice();
        devices.SetOpen(true);
        devices.SetCurrentType(102);
        tasks.ReadDeviceInfo();
    }
    ~Rig() {
        store.CloseDatabase();
        std::error_code ignored;
        std::filesystem::remove_all(root, ignored);
    }

    std::filesystem::path root;
    ConfigStore store;
    ModelContext model;
    DeviceState state;
    std::shared_ptr<VirtualHidBackend> sim = std::make_shared<VirtualHidBackend>();
    DeviceManager devices;
    QuietUi ui;
    ProtocolTasks tasks{devices, store, state, model, ui};
    int mouse_id = 0;
};

void BM_SendAllSettings(benchmark::State& st) {
    Rig rig;
    for (auto _ : st) rig.tasks.SendAllSettings();
    st.counters["requests"] = static_cast<double>(rig.sim->State(rig.mouse_id)->requests.size());
}
BENCHMARK(BM_SendAllSettings)->Unit(benchmark::kMillisecond);

void BM_SendButtonsWith101EventMacro(benchmark::State& st) {
    Rig rig;
    const int macro = rig.store.CreateMacro("long");
    std::vector<MacroRecord> records;
    for (int i = 0; i < 101; ++i) {
        MacroRecord r;
        r.macro_id = macro;
        r.type = i % 2 == 0 ? 2 : 3;
        r.value = 0x41;
        r.record_index = i;
        records.push_back(r);
    }
    rig.store.AddMacroRecords(records);
    KeyAssignment a;
    a.profile = 1;
    a.key_code = 3;
    a.macro_type = 4;
    a.macro_value = macro;
    rig.store.SaveKeyAssignment(a);
    for (auto _ : st) {
        rig.state.pending_button = 3;
        rig.state.pending_macro = true;
        rig.tasks.SendButtons();
    }
    const auto mouse = rig.sim->State(rig.mouse_id);
    if (mouse->macros.count(3) == 0 || mouse->macros.at(3).size() != 404 || mouse->macro_errors != 0) {
        st.SkipWithError("the macro did not arrive whole");
    }
}
BENCHMARK(BM_SendButtonsWith101EventMacro)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace corvatt

BENCHMARK_MAIN();
