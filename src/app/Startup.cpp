#include "app/Startup.h"

#include <atomic>
#include <cstdio>

#include "app/DeviceMainDlg.h"
#include "app/Language.h"
#include "app/StartupConfig.h"
#include "common/text/Text.h"
#include "common/ui/Manager.h"
#include "common/ui/Messages.h"
#include "platform/Autostart.h"
#include "platform/DpiDecision.h"
#include "platform/Folders.h"
#include "platform/Log.h"
#include "platform/Registry.h"
#include "platform/SingleInstance.h"

namespace corvatt {

namespace {
constexpr int kFallbackLanguage = 2052;
constexpr int kEnglish = 1033;
constexpr const char* kLcid = "LCID";
}  // namespace

int ReadRegistryLanguage(Registry& registry, std::string_view app_key) {
    switch (registry.OpenKey(app_key)) {
        case RegistryStatus::kOk:
            return ReadRegistryDecimal(registry, app_key, kLcid);
        case RegistryStatus::kNotFound:
            return registry.CreateKey(app_key) ? 0 : kFallbackLanguage;
        case RegistryStatus::kError:
            break;
    }
    return kFallbackLanguage;
}

bool WriteRegistryLanguage(Registry& registry, std::string_view app_key, int language_id) {
    return WriteRegistryDecimal(registry, app_key, kLcid, language_id);
}

int ChooseLanguage(Registry& registry, std::string_view app_key,
                   const std::map<int, int>& available_languages, int user_ui_language) {
    int current = ReadRegistryLanguage(registry, app_key);
    if (current == 0) {
        current = user_ui_language;
        WriteRegistryLanguage(registry, app_key,
                              available_languages.count(current) ? current : kEnglish);
    }
    if (!available_languages.count(current)) {
        WriteRegistryLanguage(registry, app_key, kEnglish);
    }
    return current;
}

namespace {

// Routes the commands of later starts to the main window once it exists.
class InstanceRouter {
public:
    void Attach(dui::MWindow* window) {
        std::lock_guard lock(m_mutex);
        m_window = window;
    }
    void Handle(const std::string& command) {
        std::lock_guard lock(m_mutex);
        if (!m_window) return;
        if (command == kInstanceCommandShow) {
            m_window->PostMessage(DeviceMainDlg::kMsgActivate, 0, 0);
        } else if (command == kInstanceCommandQuit) {
            m_window->PostMessage(DeviceMainDlg::kMsgExit, 0, DeviceMainDlg::kExitParam);
        }
    }

private:
    std::mutex m_mutex;
    dui::MWindow* m_window = nullptr;
};

}  // namespace

int RunProgram(const CommandLine& command_line, ProgramServices& services) {
    Log::SetVerbosity(command_line.verbosity);
    for (const auto& error : command_line.errors) {
        std::fprintf(stderr, "corvatt: %s\n", error.c_str());
    }
    Folders& folders = *services.folders;
    if (!command_line.install_dir.empty()) folders.SetInstallOverride(command_line.install_dir);
    if (!command_line.data_dir.empty()) folders.SetDataOverride(command_line.data_dir);

    // 1. The scale decision. Qt scales the window itself on Linux; the verdict is only logged.
    const bool dpi_aware = DecideDpiAware(services.screen.width, services.screen.height,
                                          services.screen.effective_dpi);
    Log::Diag(text::Format("screen %dx%d at %d dpi: %s", services.screen.width,
                           services.screen.height, services.screen.effective_dpi,
                           dpi_aware ? "scaled by the program" : "scaled by the system"));

    // 2. Languages and the application name.
    const StartupConfig config = StartupConfig::Read(folders.InstallFolderNoSlash() + "/config.xml");
    auto& manager = dui::Manager::Instance();
    if (config.application_name) manager.SetDeviceName(*config.application_name);
    const std::string app_name = manager.GetDeviceName();
    const std::string app_key = ApplicationKey(app_name);

    // 3. One instance per user: a later start brings the first forward and leaves.
    InstanceRouter router;
    std::unique_ptr<SingleInstance> instance = services.make_instance(app_name);
    if (command_line.quit) {
        if (instance->Send(kInstanceCommandQuit, 1000)) return 0;
        std::fprintf(stderr, "corvatt: no running instance to quit\n");
        return 1;
    }
    const auto claim = instance->TryClaim([&router](const std::string& command) { router.Handle(command); });
    if (claim == SingleInstance::Claim::kRunning) {
        instance->Send(kInstanceCommandShow, 1000);
        return 0;
    }

    // 4, 5. Debug privilege and GDI+: nothing to do on Linux.

    // 6. The language of this run.
    std::unique_ptr<Registry> registry = services.make_registry(app_name);
    const int language = ChooseLanguage(*registry, app_key, config.available_languages,
                                        services.user_ui_language);
    Language::Instance().SetInstallFolder(folders.InstallFolder());
    Language::Instance().SetCurrentLanguage(language);
    Log::Diag(text::Format("language %d", language));

    // 7. The module handle: none on Linux.
    dui::Manager::SetInstance(nullptr);
    manager.SetSkinRoot(folders.InstallFolder() + "skins/" + manager.GetTheme() + "/");

    // 8. The data folder and its database folder; the result is not needed here.
    const std::string data_folder = folders.DataFolder(app_name);
    CreateFolderTree(data_folder + "db");

    // 9. COM and OLE: nothing to do on Linux.

    // 10. The main window and its modal loop.
    DeviceMainDlg::Context context;
    context.registry = registry.get();
    context.launcher = services.launcher;
    context.install_folder = folders.InstallFolder();
    context.install_folder_no_slash = folders.InstallFolderNoSlash();
    context.data_folder = data_folder;
    context.backends = services.backends;
    context.connect_device_events = services.connect_device_events;
    context.simulator_actions = services.simulator_actions;
    context.exit_after_ms = command_line.exit_after_ms;
    context.open_device = command_line.open_device;
    for (const auto& [id, installed] : config.available_languages) {
        if (installed) context.languages.push_back(id);
    }
    std::unique_ptr<Autostart> autostart = services.make_autostart ? services.make_autostart(app_name) : nullptr;
    context.autostart = autostart.get();
    context.executable_path = services.executable_path;

    manager.SetHost(services.host);
    {
        auto window = std::make_unique<DeviceMainDlg>(context);
        const bool show = !command_line.hide;
        if (window->MWindow::Create(nullptr, "MWindow",
                           dui::WS_POPUP | (show ? dui::WS_VISIBLE : 0) | dui::WS_CLIPSIBLINGS |
                               dui::WS_CLIPCHILDREN,
                           dui::Rect{0, 0, DeviceMainDlg::kDesignWidth, DeviceMainDlg::kDesignHeight},
                           app_name)) {
            window->CenterWindow();
            router.Attach(window.get());
            window->ShowModal(show);
            router.Attach(nullptr);
        }
        // 11. Orderly shutdown: the window goes last.
        window->DestroyWindow();
    }
    instance->Release();
    return 1;
}

}  // namespace corvatt
