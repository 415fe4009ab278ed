#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace corvatt {

// Starts other programs, without a shell.
class Launcher {
public:
    virtual ~Launcher() = default;
    // True when the program can be found (a name is looked up on PATH).
    virtual bool IsAvailable(std::string_view program) const = 0;
    // Starts argv[0] with the arguments; false when it cannot be started.
    virtual bool Spawn(const std::vector<std::string>& argv) = 0;
};

// Opens a file or an address with the desktop's default program (xdg-open).
bool ShellOpen(Launcher& launcher, const std::string& target);

// The desktop mouse settings tools tried in order, each with its arguments.
const std::vector<std::vector<std::string>>& MouseSettingsCommands();

// Starts the first mouse settings tool that exists; false when none does or it fails to start.
bool OpenMouseSettings(Launcher& launcher);

}  // namespace corvatt
