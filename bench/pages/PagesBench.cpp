#include <benchmark/benchmark.h>
#include <stdlib.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <filesystem>
#include <memory>
#include <string>
#include <thread>
#include <vector>

#include "NullUi.h"
#include "common/text/Text.h"
#include "common/ui/DPIControl.h"
#include "common/ui/HeadlessHost.h"
#include "common/ui/MDialog.h"
#include "device/DeviceManager.h"
#include "device/TaskQueue.h"
#include "pages/PageHost.h"
#include "pages/PerformancePage.h"
#include "profile/ProfileSetup.h"
#include "protocol/DeviceNotifications.h"
#include "protocol/ProtocolTasks.h"
#include "protocol/SensorTable.h"
#include "sim/VirtualHidBackend.h"
#include "sim/VirtualModel.h"
#include "store/ConfigStore.h"

namespace corvatt {
namespace {

using QuietUi = testing::NullUi;

class PageWindow : public dui::MDialog {
public:
    int OnMessage(int id, int event, intptr_t param) override {
        return page != nullptr ? page->OnPageMessage(id, event, param) : 0;
    }
    PageHandler* page = nullptr;
};

// A v1 mouse by cable in real time, a settings database, the DPI page on a window, and a worker
// like the main window's: tasks from the queue, else the idle poll of the device's reports.
struct Rig : PageHost {
    Rig() {
        std::string pattern = (std::filesystem::temp_directory_path() / "corvatt-bench-pages-XXXXXX").string();
        if (mkdtemp(pattern.data()) != nullptr) root = pattern;
        std::filesystem::create_directories(root / "db");
        store.OpenDatabase(root.string() + "/", "corvatt_v1");
        model.install_folder = std::string(CORVATT_TEST_DATA) + "/";
        model.model_key = "corvatt_v1";
        ProfileSetup setup(store, [](int id) { return text::Format("T%d", id); });
        setup.Run(model);
        description.Read(model.DescriptionPath());

        devices.AddBackend(sim);
        for (const VirtualModel& m : VirtualModels()) {
            devices.AddSupportedId(m.vendor_id, m.product_id, m.device_type, m.mode, m.identity);
        }
        mouse_id = sim->Plug("v1-wired");
        devices.EnumerateDevice();
        devices.SetOpen(true);
        devices.SetCurrentType(FindVirtualModel("v1-wired")->device_type);
        tasks.ReadDeviceInfo();

        window.Create(nullptr, "MWindow", dui::WS_POPUP, {0, 0, 1300, 788}, "Corvatt");
        window.page = &page;
        page.CreateControls(nullptr);
        page.Load();
        notifications.SetDpiView(&page);

        queue.SetPushHook([this] { devices.WakeIdleRead(); });
        devices.SetReadInterrupt([this] { return !queue.Empty() || stop.load(); });
        worker = std::thread([this] {
            while (!stop.load()) {
                {
                    auto step = devices.LockStep();
                    if (auto code = queue.TryPop()) {
                        tasks.RunTask(*code);
                        done.fetch_add(1);
                    } else {
                        notifications.PollNotifications();
                    }
                }
                queue.WaitFor(std::chrono::milliseconds(2), [this] { return stop.load(); });
            }
        });
    }
    ~Rig() override {
        stop = true;
        queue.Wake();
        devices.WakeIdleRead();
        worker.join();
        devices.SetReadInterrupt(nullptr);
        window.DestroyWindow();
        devices.CloseAll();
        store.CloseDatabase();
        std::error_code ignored;
        std::filesystem::remove_all(root, ignored);
    }

    dui::MDialog& Window() override { return window; }
    ConfigStore& Store() override { return store; }
    int CurrentProfile() const override { return model.current_profile; }
    DeviceDescription Description() const override { return description; }
    DeviceInfoValues DeviceInfo() const override { return state.Info(); }
    void QueueTask(int code) override { queue.Push(code); }
    void ShowSaveWait() override {}
    void ShowDpiNotice(int) override {}
    double LayoutScale() const override { return 1.0; }

    dui::HeadlessHost host;
    std::filesystem::path root;
    ConfigStore store;
    ModelContext model;
    DeviceDescription description;
    DeviceState state;
    std::shared_ptr<VirtualHidBackend> sim = std::make_shared<VirtualHidBackend>();
    DeviceManager devices;
    QuietUi ui;
    ProtocolTasks tasks{devices, store, state, model, ui};
    DeviceNotifications notifications{devices, store, state, model, tasks, ui};
    PageWindow window;
    PerformancePage page{*this};
    TaskQueue queue;
    std::atomic<bool> stop{false};
    std::atomic<int> done{0};
    std::thread worker;
    int mouse_id = 0;
};

// A typed DPI value for stage 2, from the page's handler to the mouse holding its code.
void BM_TypedDpiToMouse(benchmark::State& state) {
    Rig rig;
    auto* stages = rig.window.GetControl<dui::DPIControl>(PerformancePage::kDpiStages);
    std::vector<double> samples;
    int mismatches = 0;
    int n = 0;
    for (auto _ : state) {
        const int dpi = 1000 + (n++ % 200) * 100;  // 1000 .. 20900, each one a change
        const int before = rig.done.load();
        const auto start = std::chrono::steady_clock::now();
        stages->CommitEdit(2, text::Format("%d", dpi));
        while (rig.done.load() == before) std::this_thread::yield();
        const auto end = std::chrono::steady_clock::now();
        const double seconds = std::chrono::duration<double>(end - start).count();
        state.SetIterationTime(seconds);
        samples.push_back(seconds * 1000.0);
        if (rig.sim->State(rig.mouse_id)->settings.dpi_codes[2] != EncodeDpi(17, dpi)) ++mismatches;
    }
    std::sort(samples.begin(), samples.end());
    if (!samples.empty()) {
        state.counters["median_ms"] = samples[samples.size() / 2];
        state.counters["p99_ms"] = samples[std::min(samples.size() - 1, samples.size() * 99 / 100)];
        state.counters["max_ms"] = samples.back();
    }
    state.counters["not_held"] = mismatches;
}
BENCHMARK(BM_TypedDpiToMouse)->Iterations(1000)->UseManualTime()->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace corvatt

BENCHMARK_MAIN();
