#pragma once

#include <functional>
#include <map>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "app/CommandLine.h"
#include "sim/SimulatorActions.h"

namespace corvatt {

class Autostart;
class Folders;
class HidBackend;
class Launcher;
class Registry;
class SingleInstance;
namespace dui {
class Host;
}

// LCID under the application's key: 0 when absent or empty; the key is created when it does
// not exist (2052 when that fails); 2052 when the key cannot be opened for another reason.
int ReadRegistryLanguage(Registry& registry, std::string_view app_key);
// Writes LCID under the existing key only.
bool WriteRegistryLanguage(Registry& registry, std::string_view app_key, int language_id);

// The language of this run. The registry receives 1033 when the chosen language is not
// available, but the run keeps the chosen one.
int ChooseLanguage(Registry& registry, std::string_view app_key,
                   const std::map<int, int>& available_languages, int user_ui_language);

struct ScreenFigures {
    int width = 1920;
    int height = 1080;
    int effective_dpi = 96;
};

// What start-up needs from the system; main() provides the real ones, tests their twins.
struct ProgramServices {
    Folders* folders = nullptr;
    Launcher* launcher = nullptr;
    dui::Host* host = nullptr;
    // Made once the application name is known.
    std::function<std::unique_ptr<Registry>(const std::string& app_name)> make_registry;
    std::function<std::unique_ptr<SingleInstance>(const std::string& app_name)> make_instance;
    int user_ui_language = 1033;
    ScreenFigures screen;
    // HID back ends and device-change sources for the main window (none in most tests).
    std::vector<std::shared_ptr<HidBackend>> backends;
    using DeviceEventHandler = std::function<void(int event, std::string path)>;
    std::function<std::function<void()>(DeviceEventHandler)> connect_device_events;
    // The session's autostart entry, made once the application name is known (none: not offered).
    std::function<std::unique_ptr<Autostart>(const std::string& app_name)> make_autostart;
    std::string executable_path;
    // Tray menu entries that drive the virtual devices.
    std::vector<SimulatorAction> simulator_actions;
};

// Start-up, the main window's modal loop and the orderly shutdown. Returns the exit code:
// 1 after a normal run, 0 when another instance was found (or asked to quit).
int RunProgram(const CommandLine& command_line, ProgramServices& services);

}  // namespace corvatt
