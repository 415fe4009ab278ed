#pragma once

#include "platform/Environment.h"
#include "platform/Launcher.h"

namespace corvatt {

// posix_spawnp with an argument vector; the child is reaped in the background.
class PosixLauncher : public Launcher {
public:
    PosixLauncher();  // PATH of the running process
    explicit PosixLauncher(std::string search_path);

    bool IsAvailable(std::string_view program) const override;
    bool Spawn(const std::vector<std::string>& argv) override;

    // The executable file for a program name on a ":"-separated search path; "" when none.
    // A name containing "/" is taken as a path.
    static std::string FindProgram(std::string_view program, std::string_view search_path);

private:
    std::string m_search_path;
};

}  // namespace corvatt
