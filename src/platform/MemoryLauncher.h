#pragma once

#include <mutex>
#include <set>
#include <string>
#include <vector>

#include "platform/Launcher.h"

namespace corvatt {

// Records the programs it is asked to start; only the programs made available start.
class MemoryLauncher : public Launcher {
public:
    void AddProgram(std::string program);

    bool IsAvailable(std::string_view program) const override;
    bool Spawn(const std::vector<std::string>& argv) override;

    std::vector<std::vector<std::string>> Started() const;

private:
    mutable std::mutex m_mutex;
    std::set<std::string, std::less<>> m_programs;
    std::vector<std::vector<std::string>> m_started;
};

}  // namespace corvatt
