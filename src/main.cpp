// corvatt: the desktop program. Builds the real services and runs start-up on the Qt host.
#include <QApplication>
#include <QScreen>

#include <cstdio>
#include <string>
#include <vector>

#include "app/CommandLine.h"
#include "app/Startup.h"
#include "device/HidapiBackend.h"
#include "platform/DeviceMonitor.h"
#include "sim/SimulatorActions.h"
#include "sim/VirtualHidBackend.h"
#include "platform/Environment.h"
#include "platform/Folders.h"
#include "platform/IniRegistry.h"
#include "platform/LocalSingleInstance.h"
#include "platform/PosixLauncher.h"
#include "platform/UserLanguage.h"
#include "platform/XdgAutostart.h"
#include "view/QtHost.h"

int main(int argc, char** argv) {
    std::vector<std::string> args(argv + 1, argv + argc);
    const corvatt::CommandLine command_line = corvatt::CommandLine::Parse(args);
    const corvatt::Environment env = corvatt::Environment::FromProcess();

    corvatt::Folders folders(env, corvatt::ExecutablePath());
    corvatt::PosixLauncher launcher;

    corvatt::ProgramServices services;
    services.folders = &folders;
    services.launcher = &launcher;
    services.user_ui_language = corvatt::UserUiLanguage(env);
    services.make_registry = [&env](const std::string& app_name) -> std::unique_ptr<corvatt::Registry> {
        return std::make_unique<corvatt::IniRegistry>(corvatt::IniRegistry::DefaultPath(env, app_name));
    };
    services.make_instance = [&env](const std::string& app_name) -> std::unique_ptr<corvatt::SingleInstance> {
        return std::make_unique<corvatt::LocalSingleInstance>(corvatt::LocalSingleInstance::DefaultFolder(env),
                                                              app_name);
    };

    services.make_autostart = [&env](const std::string& app_name) -> std::unique_ptr<corvatt::Autostart> {
        return std::make_unique<corvatt::XdgAutostart>(corvatt::XdgAutostart::DefaultPath(env, app_name), app_name);
    };
    services.executable_path = corvatt::ExecutablePath();

    // Real devices through hidraw, the virtual ones beside them with --simulate.
    services.backends.push_back(std::make_shared<corvatt::HidapiBackend>());
    std::shared_ptr<corvatt::VirtualHidBackend> simulated;
    if (command_line.simulate) {
        std::string list;
        for (const auto& name : command_line.simulate_devices) list += (list.empty() ? "" : ",") + name;
        std::string error;
        simulated = corvatt::VirtualHidBackend::Create(list, &error);
        if (!simulated) {
            std::fprintf(stderr, "corvatt: unknown virtual device \"%s\" (use v1-wired, v1-receiver, v2-wired)\n",
                         error.c_str());
            return 2;
        }
        services.backends.push_back(simulated);
        // The mouse's own buttons and switch, from the tray menu.
        services.simulator_actions = corvatt::MakeSimulatorActions(simulated, command_line.simulate_devices);
    }
    corvatt::DeviceMonitor monitor;
    services.connect_device_events = [&monitor, simulated](auto handler) -> std::function<void()> {
        monitor.Start(handler);
        if (simulated) simulated->SetDeviceChangeHook(handler);
        return [&monitor, simulated] {
            if (simulated) simulated->SetDeviceChangeHook(nullptr);
            monitor.Stop();
        };
    };

    // --quit only talks to the running instance and needs no window system.
    if (command_line.quit) return corvatt::RunProgram(command_line, services);

    QApplication::setApplicationName("Corvatt");
    QApplication application(argc, argv);
    if (QScreen* screen = QApplication::primaryScreen()) {
        const QSize size = screen->size() * screen->devicePixelRatio();
        services.screen = {size.width(), size.height(), static_cast<int>(screen->logicalDotsPerInchX())};
    }

    corvatt::view::ViewOptions view_options;
    view_options.screenshot_path = command_line.screenshot;
    corvatt::view::QtHost host(view_options);
    services.host = &host;

    return corvatt::RunProgram(command_line, services);
}
