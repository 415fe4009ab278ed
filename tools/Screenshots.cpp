// corvatt-screenshots: starts the program on the virtual devices, walks through its main
// views and saves a PNG of each into the folder given as the first argument.
#include <QApplication>
#include <QElapsedTimer>
#include <QTimer>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "app/CommandLine.h"
#include "app/DeviceMainDlg.h"
#include "app/Startup.h"
#include "common/ui/CDeviceList.h"
#include "common/ui/DPIControl.h"
#include "common/ui/Messages.h"
#include "common/ui/MDialog.h"
#include "common/ui/MTabCtrl.h"
#include "common/ui/Manager.h"
#include "device/HidapiBackend.h"
#include "platform/Environment.h"
#include "platform/Folders.h"
#include "platform/IniRegistry.h"
#include "platform/MemoryAutostart.h"
#include "platform/MemorySingleInstance.h"
#include "platform/PosixLauncher.h"
#include "platform/UserLanguage.h"
#include "sim/VirtualHidBackend.h"
#include "view/QtHost.h"

namespace {

struct Step {
    int settle_ms;                // after the step before, and once ready
    std::function<bool()> ready;  // none: ready at once
    std::function<void()> action;
};

corvatt::dui::MDialog* MainWindow() {
    auto windows = corvatt::dui::Manager::Instance().FindWindows("MWindow", "Corvatt");
    return windows.empty() ? nullptr : dynamic_cast<corvatt::dui::MDialog*>(windows.front());
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 2) {
        std::fprintf(stderr, "usage: corvatt-screenshots OUTPUT_FOLDER [--simulate=LIST] [--prefix=NAME]\n");
        return 2;
    }
    const std::string out = argv[1];
    std::string simulate = "v1-wired,v2-wired";
    std::string prefix;
    for (int i = 2; i < argc; ++i) {
        const std::string arg = argv[i];
        if (arg.rfind("--simulate=", 0) == 0) simulate = arg.substr(11);
        if (arg.rfind("--prefix=", 0) == 0) prefix = arg.substr(9);
    }
    std::filesystem::create_directories(out);

    // Fresh user folders, so that every picture shows a first start.
    const auto home = std::filesystem::temp_directory_path() / "corvatt-screenshots";
    std::filesystem::remove_all(home);
    corvatt::Environment env = corvatt::Environment::FromProcess();
    env.Set("XDG_DATA_HOME", (home / "data").string());
    env.Set("XDG_CONFIG_HOME", (home / "config").string());

    corvatt::Folders folders(env, corvatt::ExecutablePath());
    corvatt::PosixLauncher launcher;
    corvatt::MemoryInstanceBus bus;
    auto simulated = corvatt::VirtualHidBackend::Create(simulate);
    if (!simulated) {
        std::fprintf(stderr, "corvatt-screenshots: bad device list %s\n", simulate.c_str());
        return 2;
    }

    corvatt::ProgramServices services;
    services.folders = &folders;
    services.launcher = &launcher;
    services.user_ui_language = corvatt::UserUiLanguage(env);
    services.backends = {simulated};
    services.make_registry = [&env](const std::string& app_name) -> std::unique_ptr<corvatt::Registry> {
        return std::make_unique<corvatt::IniRegistry>(corvatt::IniRegistry::DefaultPath(env, app_name));
    };
    // The session's real autostart entry stays untouched.
    services.make_autostart = [](const std::string&) -> std::unique_ptr<corvatt::Autostart> {
        return std::make_unique<corvatt::MemoryAutostart>();
    };
    services.executable_path = corvatt::ExecutablePath();
    services.make_instance = [&bus](const std::string&) -> std::unique_ptr<corvatt::SingleInstance> {
        return std::make_unique<corvatt::MemorySingleInstance>(bus);
    };

    QApplication application(argc, argv);
    corvatt::view::QtHost host;
    services.host = &host;

    int failures = 0;
    auto shot = [&](const std::string& name) {
        const std::string path = out + "/" + prefix + name + ".png";
        if (host.SaveScreenshot(path)) {
            std::printf("%s\n", path.c_str());
        } else {
            std::fprintf(stderr, "corvatt-screenshots: could not save %s\n", path.c_str());
            ++failures;
        }
    };
    auto shot_window = [&](const std::string& name, const char* class_name) {
        const auto windows = corvatt::dui::Manager::Instance().FindWindows(class_name, class_name);
        const std::string path = out + "/" + prefix + name + ".png";
        if (!windows.empty() && host.SaveScreenshot(path, windows.front())) {
            std::printf("%s\n", path.c_str());
        } else {
            std::fprintf(stderr, "corvatt-screenshots: could not save %s\n", path.c_str());
            ++failures;
        }
    };
    // Opens the n-th online model of the device list (0 = the first).
    auto open_online = [](int n) {
        auto* window = MainWindow();
        if (!window) return;
        auto* list = window->GetControl<corvatt::dui::CDeviceList>(57);
        const auto rows = list->GetRows();
        for (int i = 0; i < static_cast<int>(rows.size()); ++i) {
            if (rows[i].IsOnline() && n-- == 0) {
                list->ActivateRow(i);
                return;
            }
        }
    };
    // The opened model's key ("corvatt_v1"), for the file names.
    auto model_key = [] {
        auto* window = dynamic_cast<corvatt::DeviceMainDlg*>(MainWindow());
        return window ? window->Description().model_key : std::string("unknown");
    };
    auto select_tab = [](int index) {
        if (auto* window = MainWindow()) window->GetControl<corvatt::dui::MTabCtrl>(48)->UserSelect(index);
    };

    auto main_window = [] { return dynamic_cast<corvatt::DeviceMainDlg*>(MainWindow()); };
    auto online_count = [&] {
        auto* window = main_window();
        return window ? window->GetControl<corvatt::dui::CDeviceList>(57)->GetOnlineDevCount() : 0;
    };
    // The worker has read the opened model and has nothing left to do.
    auto settled = [&](const std::string& key) {
        auto* window = main_window();
        return window && window->Description().model_key == key && window->Queue().Empty() &&
               window->State().Info().sensor.sensor_code != 0;
    };
    const std::size_t devices = std::count(simulate.begin(), simulate.end(), ',') + 1;
    std::string first_key;
    std::string second_key;

    std::vector<Step> steps = {
        {800, [&] { return online_count() >= 1; }, [&] { shot("device-list"); }},
        {0, nullptr, [&] { open_online(0); }},
        {300, [&] { return settled(first_key = model_key()); }, [&] { select_tab(1); }},
        {500, nullptr, [&] { shot("opened-device"); }},
        {0, nullptr, [&] { select_tab(2); }},
        {500, nullptr, [&] { shot("dpi-page-" + model_key()); }},
        // The colour dialog of the first stage, as a click on its colour opens it. Its modal
        // loop runs the following steps.
        {0, nullptr, [] {
             QTimer::singleShot(0, [] {
                 if (auto* window = MainWindow()) window->GetControl<corvatt::dui::DPIControl>(116)->ClickColor(0);
             });
         }},
        {400, [] { return !corvatt::dui::Manager::Instance().FindWindows("PaletteDlg", "PaletteDlg").empty(); },
         [&] { shot_window("colour-dialog", "PaletteDlg"); }},
        {0, nullptr, [] {
             for (auto* dialog : corvatt::dui::Manager::Instance().FindWindows("PaletteDlg", "PaletteDlg")) {
                 dialog->PostMessage(corvatt::dui::WM_CLOSE, 0, 0);
             }
         }},
        {200, [] { return corvatt::dui::Manager::Instance().FindWindows("PaletteDlg", "PaletteDlg").empty(); },
         [&] { select_tab(5); }},
        {500, nullptr, [&] { shot("information-page"); }},
        {0, nullptr, [&] {
             if (auto* window = main_window()) window->OnMessage(40, corvatt::dui::kEventClick, 0);
         }},
        {500, nullptr, [&] { shot("settings-page"); }},
        {0, nullptr, [&] {
             if (auto* window = main_window()) window->OnMessage(273, corvatt::dui::kEventClick, 0);
         }},
    };
    if (devices > 1) {
        // The second model: its DPI page once its settings were read.
        const std::vector<Step> second = {
            {300, nullptr, [&] { select_tab(0); }},
            {300, [&] { return online_count() >= 2; }, [&] { open_online(1); }},
            {300, [&] {
                 const std::string key = model_key();
                 return key != first_key && settled(second_key = key);
             }, [&] { select_tab(2); }},
            {600, nullptr, [&] { shot("dpi-page-" + second_key); }},
        };
        steps.insert(steps.end(), second.begin(), second.end());
    }
    // Maximised: the layout scales with the window's height and keeps to its right edge.
    const std::vector<Step> last = {
        {0, nullptr, [&] {
             if (auto* window = main_window()) window->OnMessage(41, corvatt::dui::kEventClick, 0);
         }},
        {700, nullptr, [&] { shot("maximised"); }},
        {0, nullptr, [&] {
             if (auto* window = main_window()) window->EndModal(1);
         }},
    };
    steps.insert(steps.end(), last.begin(), last.end());

    // Each step waits for its condition and then for its settling time after the step before;
    // a condition that does not come within 15 s ends the run as a failure.
    std::size_t next = 0;
    QElapsedTimer since_last;
    since_last.start();
    QTimer runner;
    QObject::connect(&runner, &QTimer::timeout, [&] {
        if (next >= steps.size()) return;
        const Step& step = steps[next];
        if (step.ready && !step.ready()) {
            if (since_last.elapsed() > 15000) {
                std::fprintf(stderr, "corvatt-screenshots: step %zu did not become ready\n", next);
                ++failures;
                next = steps.size();
                if (auto* window = main_window()) window->EndModal(1);
            }
            return;
        }
        if (since_last.elapsed() < step.settle_ms) return;
        ++next;
        step.action();
        since_last.restart();
    });
    runner.start(50);

    corvatt::CommandLine command_line = corvatt::CommandLine::Parse({});
    corvatt::RunProgram(command_line, services);
    std::filesystem::remove_all(home);
    return failures == 0 ? 0 : 1;
}
