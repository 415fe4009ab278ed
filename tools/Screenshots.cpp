// corvatt-screenshots: starts the program on the virtual devices, walks through its main
// views and saves a PNG of each into the folder given as the first argument.
#include <QApplication>
#include <QTimer>

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
    int at_ms;
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

    const std::vector<Step> steps = {
        {1500, [&] { shot("device-list"); }},
        {1600, [&] { open_online(0); }},
        {2000, [&] { select_tab(1); }},
        {2400, [&] { shot("opened-device"); }},
        {2600, [&] { select_tab(2); }},
        {3000, [&] { shot("dpi-page-" + model_key()); }},
        // The colour dialog of the first stage, opened as a click on its colour would.
        {3050, [] {
             if (auto* window = MainWindow()) window->GetControl<corvatt::dui::DPIControl>(116)->ClickColor(0);
         }},
        {3100, [&] { shot_window("colour-dialog", "PaletteDlg"); }},
        {3150, [] {
             for (auto* dialog : corvatt::dui::Manager::Instance().FindWindows("PaletteDlg", "PaletteDlg")) {
                 dialog->PostMessage(corvatt::dui::WM_CLOSE, 0, 0);
             }
         }},
        {3200, [&] { select_tab(5); }},
        {3600, [&] { shot("information-page"); }},
        {3650, [] {
             if (auto* window = MainWindow()) window->OnMessage(40, corvatt::dui::kEventClick, 0);
         }},
        {3950, [&] { shot("settings-page"); }},
        {3980, [] {
             if (auto* window = MainWindow()) window->OnMessage(273, corvatt::dui::kEventClick, 0);
         }},
        // The second model, when there is one: its DPI page after its settings were read.
        {4200, [&] { select_tab(0); }},
        {4400, [&] { open_online(1); }},
        {5000, [&] { select_tab(2); }},
        {5400, [&] {
             auto* window = MainWindow();
             auto* list = window ? window->GetControl<corvatt::dui::CDeviceList>(57) : nullptr;
             if (list && list->GetOnlineDevCount() > 1) shot("dpi-page-" + model_key());
         }},
        // Maximised: the layout scales with the window's height.
        {5500, [] {
             if (auto* window = MainWindow()) window->OnMessage(41, corvatt::dui::kEventClick, 0);
         }},
        {6000, [&] { shot("maximised"); }},
        {6100, [] {
             if (auto* window = MainWindow()) window->EndModal(1);
         }},
    };
    for (const auto& step : steps) QTimer::singleShot(step.at_ms, step.action);

    corvatt::CommandLine command_line = corvatt::CommandLine::Parse({});
    corvatt::RunProgram(command_line, services);
    std::filesystem::remove_all(home);
    return failures == 0 ? 0 : 1;
}
