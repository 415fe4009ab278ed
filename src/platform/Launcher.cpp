#include "platform/Launcher.h"

namespace corvatt {

bool ShellOpen(Launcher& launcher, const std::string& target) {
    if (target.empty()) {
        return false;
    }
    return launcher.Spawn({"xdg-open", target});
}

const std::vector<std::vector<std::string>>& MouseSettingsCommands() {
    static const std::vector<std::vector<std::string>> kCommands = {
        {"gnome-control-center", "mouse"},
        {"systemsettings", "kcm_mouse"},
        {"kcmshell6", "kcm_mouse"},
        {"kcmshell5", "kcm_mouse"},
        {"xfce4-mouse-settings"},
    };
    return kCommands;
}

bool OpenMouseSettings(Launcher& launcher) {
    for (const std::vector<std::string>& command : MouseSettingsCommands()) {
        if (launcher.IsAvailable(command.front())) {
            return launcher.Spawn(command);
        }
    }
    return false;
}

}  // namespace corvatt
